// The clock's side of the settings dialog program, against small shell scripts standing in for
// the program: the calls arrive as lines, the program's lines arrive as events, and a program that
// dies, never starts, never reports or hangs counts as closed once, without a hang.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "posix/DialogProcess.h"
#include "posix/ExternalSettingsDialogs.h"

using namespace tavrino;
using namespace tavrino::posix;

namespace {

// A poll loop over the watched descriptors.
class PollLoop final : public DescriptorWatch {
  public:
    void Watch(int fd, std::function<void()> onReadable) override {
        watched_[fd] = std::move(onReadable);
    }
    void Unwatch(int fd) override { watched_.erase(fd); }
    void RunUntil(const std::function<bool()>& done) override {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the loop never finished";
            std::vector<pollfd> fds;
            for (const auto& [fd, handler] : watched_) {
                fds.push_back({fd, POLLIN, 0});
            }
            poll(fds.data(), fds.size(), 100);
            for (const pollfd& ready : fds) {
                const auto found = watched_.find(ready.fd);
                if (ready.revents != 0 && found != watched_.end()) {
                    const auto handler = found->second;  // it may unwatch itself
                    handler();
                }
            }
        }
    }
    bool Watching() const { return !watched_.empty(); }

  private:
    std::map<int, std::function<void()>> watched_;
};

constexpr PixelsPerInch kResolution{96, 96};

class RecordedEvents final : public SettingsDialogEvents {
  public:
    void OnEvent(const DialogEvent& event) override {
        struct Name {
            std::string operator()(const DialogActivated&) const { return "activated"; }
            std::string operator()(const DialogLeft&) const { return "left"; }
            std::string operator()(const CloseRequested&) const { return "close"; }
            std::string operator()(const OkPressed&) const { return "ok"; }
            std::string operator()(const CheckBoxClicked& clicked) const {
                return "clicked " + std::to_string(static_cast<int>(clicked.box));
            }
            std::string operator()(const SliderMoved& moved) const {
                return "slider " + std::to_string(moved.amount);
            }
            std::string operator()(const BrightnessMoved& moved) const {
                return "brightness " + std::to_string(moved.percent);
            }
            std::string operator()(const PictureClicked&) const { return "picture"; }
        };
        Note(std::visit(Name{}, event));
    }

    std::vector<std::string> seen;
    std::function<void(const std::string&)> then;  // runs after each event

  private:
    void Note(const std::string& event) {
        seen.push_back(event);
        if (then) {
            then(event);
        }
    }
};

class ExternalSettingsDialogsTest : public testing::Test {
  protected:
    // A stand-in program: reports its place, runs body, and keeps every line it got in a file.
    std::string View(const std::string& body) {
        std::string path = (folder_ / "view.sh").string();
        std::ofstream script(path);
        script << "#!/bin/sh\necho $$ > '" << (folder_ / "pid").string() << "'\n"
               << "echo 'rect 10 20 373 290'\n"
               << body << "\nwhile IFS= read -r line; do echo \"$line\" >> '"
               << (folder_ / "got").string() << "'; done\n";
        script.close();
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    std::string Received() const {
        std::ifstream got(folder_ / "got");
        std::stringstream text;
        text << got.rdbuf();
        return text.str();
    }
    pid_t ViewProcess() const {
        std::ifstream pid(folder_ / "pid");
        pid_t process = 0;
        pid >> process;
        return process;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_ = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrino-XXXXXX").string();
        return std::filesystem::path(mkdtemp(pattern.data()));
    }();
    PollLoop loop_;
    RecordedEvents events_;
};

TEST_F(ExternalSettingsDialogsTest, TheProgramStartsWhenShownAndGetsEveryCallAndEndsOnClose) {
    ExternalSettingsDialogs dialogs(loop_, View(""));
    SettingsDialog& dialog = dialogs.Open(events_, PixelsPerInch{144, 144});
    DialogState state;
    state[CheckBox::BlueDigits].state = CheckState::Ticked;
    state.amountText = "63";
    state.versionText = "Version ";
    dialog.ShowState(state);
    dialog.SetTitle(" Tavrino\n  (x)");
    // Before the program runs: the dialog's size at its resolution, and a move of its edges.
    EXPECT_EQ(dialog.Rect(), (PixelRect{0, 0, 545, 371}));
    dialog.SetRect({0, 0, 545, 351});
    EXPECT_FALSE(std::filesystem::exists(folder_ / "pid")) << "no program before it is shown";
    dialog.Show();
    // The program's window, with the bottom edge moved as asked before it was there.
    loop_.RunUntil([&] { return dialog.Rect() == PixelRect{10, 20, 373, 270}; });
    dialog.SetRect({1, 2, 3, 4});
    EXPECT_EQ(dialog.Rect(), (PixelRect{1, 2, 3, 4}));  // taken before the program reports it
    const pid_t view = ViewProcess();
    dialogs.Close();
    // The resolution before the window is there; then the moved edges, so the window shows with
    // them; then what waited for the program, byte for byte (the state's last text is empty).
    EXPECT_EQ(Received(),
              "open 144 144\nrect 10 20 373 270\n"
              "state clear 1 clear 1 clear 1 ticked 1 clear 1 clear 1 clear 1 0 1 63 Version\\x20 "
              "1 0 100 \n"
              "title \\x20Tavrino\\x0a\\x20\\x20(x)\nshow\nrect 1 2 3 4\nclose\n");
    EXPECT_EQ(kill(view, 0), -1) << "the program was reaped";
    EXPECT_FALSE(loop_.Watching());
    EXPECT_TRUE(events_.seen.empty());
}

// The window grows by the screensaver's frame and shrinks by a cut-off translucency strip, before
// the program runs (5445 x 4800 twips at 144 pixels an inch, less the strip's 58 pixels) and after
// it has reported the window it made in the table's own shape.
TEST_F(ExternalSettingsDialogsTest, TheWindowFollowsTheShapeOfTheState) {
    ExternalSettingsDialogs dialogs(loop_, View(""));
    SettingsDialog& dialog = dialogs.Open(events_, PixelsPerInch{144, 144});
    DialogState state;
    state.screensaverFrame = true;
    state.translucencyStrip = false;
    dialog.ShowState(state);
    EXPECT_EQ(dialog.Rect(), (PixelRect{0, 0, 545, 422}));
    state.translucencyStrip = true;
    dialog.ShowState(state);
    EXPECT_EQ(dialog.Rect(), (PixelRect{0, 0, 545, 480}));
    dialog.Show();
    loop_.RunUntil([&] { return dialog.Rect().left == 10; });
    EXPECT_EQ(dialog.Rect(), (PixelRect{10, 20, 373, 290 + 480 - 371}));
    state.screensaverFrame = false;
    dialog.ShowState(state);
    EXPECT_EQ(dialog.Rect(), (PixelRect{10, 20, 373, 290}));
}

TEST_F(ExternalSettingsDialogsTest, LinesOfTheProgramArriveAsEvents) {
    ExternalSettingsDialogs dialogs(loop_,
                                    View("echo 'clicked blue'; echo 'bogus'; echo 'slider 63'; "
                                         "echo 'visible 1'; echo 'rect 5 6 7 8'; echo ok"));
    SettingsDialog& dialog = dialogs.Open(events_, kResolution);
    dialog.Show();
    loop_.RunUntil([&] { return events_.seen.size() == 3; });
    EXPECT_EQ(events_.seen, (std::vector<std::string>{"clicked 3", "slider 63", "ok"}));
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Rect(), (PixelRect{5, 6, 7, 8}));
}

TEST_F(ExternalSettingsDialogsTest, ShowModalReturnsWhenHiddenAfterRunningWhenShownOnce) {
    // Answers once it has been told to show modally, the line after the resolution.
    ExternalSettingsDialogs dialogs(loop_, View("read -r line; read -r line; echo 'visible 1'; "
                                                "echo shown; echo picture; echo ok"));
    SettingsDialog& dialog = dialogs.Open(events_, kResolution);
    events_.then = [&](const std::string& event) {
        if (event == "ok") {
            dialog.Hide();
        }
    };
    int shown = 0;
    dialog.ShowModal([&] { ++shown; });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(events_.seen, (std::vector<std::string>{"picture", "ok"}));
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(ExternalSettingsDialogsTest, AProgramThatDiesOrNeverStartsClosesOnce) {
    for (const std::string& program :
         {View("echo 'visible 1'; exit 0"), (folder_ / "no-such-program").string()}) {
        events_.seen.clear();
        ExternalSettingsDialogs dialogs(loop_, program);
        SettingsDialog& dialog = dialogs.Open(events_, kResolution);
        dialog.ShowModal([] {});  // returns: the program is gone
        loop_.RunUntil([&] { return !loop_.Watching(); });
        EXPECT_EQ(events_.seen, std::vector<std::string>{"close"}) << program;
        EXPECT_FALSE(dialog.Visible());
        dialog.Show();  // a call to a closed dialog goes nowhere
        EXPECT_FALSE(dialog.Visible());
    }
}

TEST_F(ExternalSettingsDialogsTest, AProgramThatNeverReportsClosesAModalDialogAfterAWhile) {
    const std::string path = (folder_ / "stuck.sh").string();
    std::ofstream(path) << "#!/bin/sh\necho $$ > '" << (folder_ / "pid").string()
                        << "'\ntrap '' TERM HUP PIPE\nexec sleep 60\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    ExternalSettingsDialogs dialogs(loop_, path);
    SettingsDialog& dialog = dialogs.Open(events_, kResolution);
    const auto start = std::chrono::steady_clock::now();
    dialog.ShowModal([] {});
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, kFirstReportWait);
    EXPECT_LT(waited, kFirstReportWait + std::chrono::seconds(2));
    EXPECT_EQ(events_.seen, std::vector<std::string>{"close"});
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(loop_.Watching());
    EXPECT_EQ(kill(ViewProcess(), 0), -1) << "the program was killed and reaped";
}

TEST_F(ExternalSettingsDialogsTest, ClosingFromInsideAnEventEndsEvenAProgramThatIgnoresIt) {
    // This one never reads, and outlives the end of its input until it is killed.
    ExternalSettingsDialogs dialogs(loop_, View("trap '' TERM HUP PIPE; echo 'clicked fade'; "
                                                "echo ok; exec sleep 60"));
    dialogs.Open(events_, kResolution).Show();
    events_.then = [&](const std::string&) { dialogs.Close(); };
    const auto start = std::chrono::steady_clock::now();
    loop_.RunUntil([&] { return !loop_.Watching(); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(events_.seen, std::vector<std::string>{"clicked 4"}) << "nothing after the close";
    EXPECT_EQ(kill(ViewProcess(), 0), -1) << "the program was killed and reaped";
}

}  // namespace
