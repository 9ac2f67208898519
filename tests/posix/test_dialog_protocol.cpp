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

TEST(DialogProtocol, EveryCommandDecodesAsEncoded) {
    const std::vector<Command> commands{
        command::Open{PixelsPerInch{144, 120}},
        command::ShowCheckBox{CheckBox::Fade, CheckState::Greyed},
        command::EnableCheckBox{CheckBox::TaskbarButton, false},
        command::ShowSlider{239},
        command::ShowSlider{INT_MIN},
        command::EnableSlider{true},
        command::ShowLabel{DialogLabel::Version, kAwkwardText},
        command::ShowLabel{DialogLabel::TranslucencyAmount, ""},
        command::SetRect{PixelRect{-20, -3, 343, INT_MAX}},
        command::Show{},
        command::Hide{},
        command::Focus{},
        command::SetTitle{" Tavrino  (Bildschirmschoner)"},
        command::SetOnTop{true},
        command::BelongToHost{0x3a00007},
        command::ShowModal{},
        command::Close{},
    };
    for (const Command& command : commands) {
        const std::string line = Encode(command);
        EXPECT_EQ(line.find_first_of(std::string("\n\r\0", 3)), std::string::npos) << line;
        EXPECT_EQ(DecodeCommand(line), command) << line;
        // A report's decoder does not take a command for one of its own.
        if (!std::holds_alternative<command::Close>(command) &&
            !std::holds_alternative<command::ShowSlider>(command) &&
            !std::holds_alternative<command::SetRect>(command)) {
            EXPECT_FALSE(DecodeReport(line)) << line;
        }
    }
}

TEST(DialogProtocol, EveryReportDecodesAsEncoded) {
    const std::vector<Report> reports{
        report::Activated{},
        report::Deactivated{},
        report::LostFocus{},
        report::Close{},
        report::Ok{},
        report::CheckBoxClicked{CheckBox::BlueDigits},
        report::SliderMoved{63},
        report::PictureClicked{},
        report::Placed{PixelRect{100, 200, 463, 471}},
        report::Visibility{false},
        report::Shown{},
    };
    for (const Report& report : reports) {
        EXPECT_EQ(DecodeReport(Encode(report)), report) << Encode(report);
    }
}

TEST(DialogProtocol, HostileLinesDecodeToNothing) {
    for (const std::string line : {"",
                                   " ",
                                   "show ",
                                   " show",
                                   "SHOW",
                                   "check task",
                                   "check task ticked extra",
                                   "check task  ticked",
                                   "check nobox ticked",
                                   "check task 1",
                                   "enable-check fade 2",
                                   "slider",
                                   "slider 1.5",
                                   "slider +3",
                                   "slider 99999999999",
                                   "slider 0x10",
                                   "rect 1 2 3",
                                   "rect 1 2 3 4 5",
                                   "label",
                                   "label version",
                                   "label colour text",
                                   "label version \\",
                                   "label version \\q",
                                   "label version \\x4",
                                   "label version \\x41",
                                   "label version a\tb",
                                   "title\t x",
                                   "host abc",
                                   "on-top yes",
                                   "visible",
                                   "clicked"}) {
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
