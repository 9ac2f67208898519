// The line protocol with the settings dialog program: every message survives its line, texts keep
// every byte yet never break the line, and hostile lines decode to nothing.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "posix/dialog/DialogProtocol.h"
#include "posix/dialog/LineBuffer.h"

using namespace tavrino;
using namespace tavrino::posix::dialog;

namespace {

const std::string kAwkwardText = std::string(" Tavrino  \\x41\n\r\t\x7f") + '\0' + "ß \\";

DialogState AwkwardState() {
    DialogState state;
    state[CheckBox::Fade] = {CheckState::Greyed, false};
    state[CheckBox::TaskbarButton].state = CheckState::Ticked;
    state.translucency = INT_MIN;
    state.sliderEnabled = false;
    state.amountText = "";
    state.versionText = kAwkwardText;
    state.translucencyStrip = false;
    state[CheckBox::Drift] = {CheckState::Greyed, false};
    state.screensaverFrame = true;
    state.brightness = INT_MAX;
    return state;
}

TEST(DialogProtocol, EveryCommandDecodesAsEncoded) {
    const std::vector<Command> commands{
        command::Open{PixelsPerInch{144, 120}},
        command::ShowState{DialogState{}},
        command::ShowState{AwkwardState()},
        command::SetRect{PixelRect{-20, -3, 343, INT_MAX}},
        command::Show{},
        command::Hide{},
        command::Focus{},
        command::SetTitle{" Tavrino  (Bildschirmschoner)"},
        command::SetTitle{""},
        command::SetOnTop{true},
        command::BelongToHost{0x3a00007},
        command::ShowModal{},
        command::Close{},
    };
    for (const Command& command : commands) {
        const std::string line = Encode(command);
        EXPECT_EQ(line.find_first_of(std::string("\n\r\0", 3)), std::string::npos) << line;
        // Through the reader's line cutting too: a state whose last text is empty ends in a blank.
        LineBuffer received;
        received.Append(line + "\n");
        const auto read = received.NextLine();
        ASSERT_TRUE(read) << line;
        EXPECT_EQ(DecodeCommand(*read), command) << line;
        // A report's decoder does not take a command for one of its own.
        if (!std::holds_alternative<command::Close>(command) &&
            !std::holds_alternative<command::SetRect>(command)) {
            EXPECT_FALSE(DecodeReport(line)) << line;
        }
    }
}

// The state in one line: each box's state and whether it is enabled, the slider's amount and
// whether it is enabled, the two texts, whether the strip shows, whether the screensaver's frame
// shows, the brightness and its text.
TEST(DialogProtocol, TheWholeStateIsOneLineOfFields) {
    DialogState state;
    state[CheckBox::TaskbarButton].state = CheckState::Ticked;
    state[CheckBox::LockPosition].enabled = false;
    state[CheckBox::BlueDigits].state = CheckState::Greyed;
    state.translucency = 63;
    state.amountText = "63";
    state.versionText = "Version 1.00a";
    state.screensaverFrame = true;
    state.brightness = 40;
    state.brightnessText = "40";
    EXPECT_EQ(Encode(command::ShowState{state}),
              "state ticked 1 clear 0 clear 1 greyed 1 clear 1 clear 1 clear 1 63 1 63 "
              "Version\\x201.00a 1 1 40 40");
}

TEST(DialogProtocol, EveryReportDecodesAsEncoded) {
    const std::vector<Report> reports{
        DialogActivated{},
        DialogLeft{},
        CloseRequested{},
        OkPressed{},
        CheckBoxClicked{CheckBox::BlueDigits},
        CheckBoxClicked{CheckBox::AllMonitors},
        CheckBoxClicked{CheckBox::Drift},
        SliderMoved{63},
        BrightnessMoved{40},
        PictureClicked{},
        report::Placed{PixelRect{100, 200, 463, 471}},
        report::Visibility{false},
        report::Shown{},
    };
    for (const Report& report : reports) {
        EXPECT_EQ(DecodeReport(Encode(report)), report) << Encode(report);
    }
}

TEST(DialogProtocol, HostileLinesDecodeToNothing) {
    const std::string state = Encode(command::ShowState{DialogState{}});
    for (const std::string& line :
         {std::string(),
          std::string(" "),
          std::string("show "),
          std::string(" show"),
          std::string("SHOW"),
          state + " 1",
          state.substr(0, state.size() - 2),
          std::string("state clear 1 clear 1 clear 1 clear 1 nobox 1 0 1  "
                      "x 1"),
          std::string("state clear 2 clear 1 clear 1 clear 1 clear 1 0 1 "
                      " x 1"),
          std::string("open 96"),
          std::string("open 96 +96"),
          std::string("slider 1.5"),
          std::string("slider 99999999999"),
          std::string("slider 0x10"),
          std::string("rect 1 2 3"),
          std::string("rect 1 2 3 4 5"),
          std::string("rect 1 2  3 4"),
          std::string("title a b"),
          std::string("title \\"),
          std::string("title \\q"),
          std::string("title \\x4"),
          std::string("title \\x41"),
          std::string("title a\tb"),
          std::string("host abc"),
          std::string("on-top yes"),
          std::string("visible"),
          std::string("clicked"),
          std::string("clicked nobox")}) {
        EXPECT_FALSE(DecodeCommand(line)) << line;
        EXPECT_FALSE(DecodeReport(line)) << line;
    }
}

TEST(LineBuffer, CutsLinesAcrossReadsAndDropsOverlongOnes) {
    LineBuffer buffer;
    buffer.Append("sho");
    EXPECT_FALSE(buffer.NextLine());
    buffer.Append("w\nhide\nfo");
    EXPECT_EQ(buffer.NextLine(), "show");
    EXPECT_EQ(buffer.NextLine(), "hide");
    EXPECT_FALSE(buffer.NextLine());
    buffer.Append(std::string(LineBuffer::kMaxLine + 10, 'x'));
    EXPECT_FALSE(buffer.NextLine());
    buffer.Append("still the long line\nfocus\n");
    EXPECT_EQ(buffer.NextLine(), "focus");
    EXPECT_FALSE(buffer.NextLine());
}

}  // namespace
