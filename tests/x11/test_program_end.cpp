// The X11 program run in this process as main runs it, on the virtual display the test is given,
// to its end: the module on the root window ended by SIGTERM, and the desktop clock ended by Esc.
// The event loop returns and the process goes on past the program, its frontend and its display,
// rather than ending inside the loop. Each run is a child process of its own, since the signal
// and the end go to the whole process.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "posix/FileSettingsStore.h"
#include "program/Program.h"
#include "program/StartRequest.h"
#include "surface/RasterSurface.h"
#include "x11/X11Frontend.h"

namespace tavrino::x11 {
namespace {

constexpr int kRanToItsEnd = 3;
constexpr int kNoDisplay = 4;
constexpr int kNothingStored = 5;
constexpr unsigned kGiveUpSeconds = 10;

// Esc pressed in the clock window, sent by another client.
void PressEscapeIn(XWindow window) {
    const UniqueDisplay other = OpenDisplay();
    XEvent event{};
    event.xkey.type = kKeyPressEvent;
    event.xkey.display = other.get();
    event.xkey.window = window;
    event.xkey.root = XDefaultRootWindow(other.get());
    event.xkey.keycode = XKeysymToKeycode(other.get(), XK_Escape);
    event.xkey.same_screen = True;
    XSendEvent(other.get(), window, False, KeyPressMask, &event);
    XSync(other.get(), False);
}

// Runs the program as main does, ended by end once it has started; exits with kRanToItsEnd once
// everything is gone and the settings file holds the text expected, if any.
[[noreturn]] void RunToItsEnd(const std::function<StartRequest(Display*)>& request,
                              const std::function<void(X11Frontend&)>& end,
                              const std::string& expectedText) {
    alarm(kGiveUpSeconds);
    std::string folder = "/tmp/tavrino-end-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        std::_Exit(kNothingStored);
    }
    const std::filesystem::path settings = std::filesystem::path(folder) / "settings.ini";
    {
        const UniqueDisplay display = OpenDisplay();
        if (!display) {
            std::_Exit(kNoDisplay);
        }
        posix::FileSettingsStore store(settings);
        X11Frontend frontend(display.get(), store, {"/nonexistent", "10:08:42"});
        RasterSurface faceSurface(frontend.Clock().FaceCanvas());
        Program program(frontend.Parts(), faceSurface);
        frontend.Connect(program.ClockEvents(), program.TickEvents());
        program.Start(request(display.get()));
        end(frontend);
        frontend.Run();
    }
    std::ostringstream stored;
    stored << std::ifstream(settings).rdbuf();
    std::filesystem::remove_all(folder);
    const bool found = stored.str().find(expectedText) != std::string::npos;
    std::_Exit(found ? kRanToItsEnd : kNothingStored);
}

TEST(X11ProgramEndDeathTest, TheLoopReturnsAndTheProgramEndsNormally) {
    const auto root = [](Display* display) {
        return StartRequest{RunMode::Preview,
                            static_cast<HostWindowId>(XDefaultRootWindow(display))};
    };
    const auto sigterm = [](X11Frontend& /*frontend*/) { kill(getpid(), SIGTERM); };
    EXPECT_EXIT(RunToItsEnd(root, sigterm, ""), testing::ExitedWithCode(kRanToItsEnd), "");

    const auto desktop = [](Display* /*display*/) { return StartRequest{}; };
    const auto escape = [](X11Frontend& frontend) { PressEscapeIn(frontend.Clock().Handle()); };
    EXPECT_EXIT(RunToItsEnd(desktop, escape, "WinWidth=256"), testing::ExitedWithCode(kRanToItsEnd),
                "");
}

}  // namespace
}  // namespace tavrino::x11
