#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "win32/ResourceIds.h"
#include "win32/SettingsDialog.h"
#include "win32/Text.h"

namespace tavrino::win32 {
namespace {

// 15 twips per pixel.
constexpr PixelsPerInch kResolution{96, 96};

// Records what the dialog reports; hooks let a test act as the program would.
class RecordingEvents final : public SettingsDialogEvents {
  public:
    std::vector<std::string> log;
    std::function<void()> onOk;
    std::function<void()> onClose;

    void OnEvent(const DialogEvent& event) override { std::visit(*this, event); }
    void operator()(const DialogActivated&) { log.push_back("Activate"); }
    void operator()(const DialogLeft&) { log.push_back("Left"); }
    void operator()(const CloseRequested&) {
        log.push_back("Close");
        if (onClose) {
            onClose();
        }
    }
    void operator()(const OkPressed&) {
        log.push_back("Ok");
        if (onOk) {
            onOk();
        }
    }
    void operator()(const CheckBoxClicked& clicked) {
        log.push_back("CheckBox " + std::to_string(static_cast<int>(clicked.box)));
    }
    void operator()(const SliderMoved& moved) {
        log.push_back("Slider " + std::to_string(moved.amount));
    }
    void operator()(const BrightnessMoved& moved) {
        log.push_back("Brightness " + std::to_string(moved.percent));
    }
    void operator()(const PictureClicked&) { log.push_back("Picture"); }

    bool Saw(const std::string& entry) const {
        for (const std::string& e : log) {
            if (e == entry) {
                return true;
            }
        }
        return false;
    }
};

std::string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

RECT ClientPlace(HWND dialog, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Shown in its parent, whether the parent shows or not.
bool Shown(HWND control) {
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Left, top, right and bottom, to compare.
std::vector<LONG> EdgesOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = std::make_unique<SettingsDialog>(GetModuleHandleW(nullptr), events, kResolution);
        ASSERT_NE(Window(), nullptr);
    }

    HWND Window() const { return dialog->Handle(); }
    HWND Control(DialogControl id) const { return dialog->Control(id); }

    // One pass of the program's message loop, which offers every message to the dialog first.
    void Pump() {
        MSG message{};
        for (int round = 0; round < 3; ++round) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (!dialog || !dialog->PreTranslate(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
            Sleep(20);
        }
    }

    RecordingEvents events;
    std::unique_ptr<SettingsDialog> dialog;
    DialogState state = StateAsMade();  // what a test hands the dialog with ShowState
};

TEST_F(SettingsDialogTest, IsAHiddenFixedDialogWithoutTaskbarButton) {
    EXPECT_FALSE(IsWindowVisible(Window()));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Window(), GWL_EXSTYLE));
    EXPECT_NE(style & WS_CAPTION, 0u);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u);
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0u);
    // An owned window gets no taskbar button; its owner is never shown.
    const HWND owner = GetWindow(Window(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));

    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 363);   // 5445 twips
    EXPECT_EQ(client.bottom, 247);  // 3705 twips

    // Its rectangle is the outer one, in pixels on the screen.
    dialog->SetRect({30, 40, 30 + 400, 40 + 300});
    EXPECT_EQ(dialog->Rect(), (PixelRect{30, 40, 430, 340}));
    RECT outer{};
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(outer.left, 30);
    EXPECT_EQ(outer.bottom, 340);
}

// At 144 pixels an inch everything is laid out half as large again, from the same twips.
TEST_F(SettingsDialogTest, TheLayoutFollowsTheScreensResolution) {
    const SettingsDialog large(GetModuleHandleW(nullptr), events, PixelsPerInch{144, 144});
    RECT client{};
    GetClientRect(large.Handle(), &client);
    EXPECT_EQ(client.right, 545);   // 5445 twips, 544.5 pixels
    EXPECT_EQ(client.bottom, 371);  // 3705 twips, 370.5 pixels
    RECT ok{};
    GetWindowRect(large.Control(DialogControl::OkButton), &ok);
    EXPECT_EQ(ok.right - ok.left, 317);  // 3165 twips, 316.5 pixels
}

TEST_F(SettingsDialogTest, ControlsShowTheirGermanTexts) {
    const std::vector<std::pair<DialogControl, std::string>> expected{
        {DialogControl::OkButton, "&OK"},
        {DialogControl::TaskbarButtonBox, "in &Task-Leiste sichtbar"},
        {DialogControl::LockPositionBox, "Fenster-&Position sperren"},
        {DialogControl::AlwaysOnTopBox, "immer im &Vordergrund"},
        {DialogControl::BlueDigitsBox, "blaue &Ziffern-LED's"},
        {DialogControl::FadeBox, "Langsames Ein-/Aus&blenden bei Programm-Start/-Ende ..."},
        {DialogControl::AboutFrame, ""},
        {DialogControl::TitleLabel, "Quenmark  Tavrino"},
        {DialogControl::CreditLabel, "von Quenmark"},
        {DialogControl::VersionLabel, "Version "},
        {DialogControl::TranslucencyFrame, "Transparenz:"},
        {DialogControl::AmountLabel, "0"},
        {DialogControl::WindowOptionsFrame, ""},
    };
    for (const auto& [id, text] : expected) {
        SCOPED_TRACE(static_cast<int>(id));
        ASSERT_NE(Control(id), nullptr);
        EXPECT_EQ(TextOf(Control(id)), text);
    }
    ASSERT_NE(Control(DialogControl::TranslucencySlider), nullptr);
    ASSERT_NE(Control(DialogControl::SeparatorLine), nullptr);
    ASSERT_NE(Control(DialogControl::ClockPicture), nullptr);

    dialog->SetTitle(" Tavrino  (Bildschirmschoner)");
    EXPECT_EQ(TextOf(Window()), " Tavrino  (Bildschirmschoner)");
    state.versionText = "Version 1.00a - 02.02.2015";
    state.amountText = "239";
    dialog->ShowState(state);
    EXPECT_EQ(TextOf(Control(DialogControl::VersionLabel)), "Version 1.00a - 02.02.2015");
    EXPECT_EQ(TextOf(Control(DialogControl::AmountLabel)), "239");
    state.versionText = "Grüße";  // umlauts survive the way to the window
    dialog->ShowState(state);
    EXPECT_EQ(TextOf(Control(DialogControl::VersionLabel)), "Grüße");
}

TEST_F(SettingsDialogTest, ControlsSitAtTheirPlacesInPixels) {
    struct Place {
        DialogControl id;
        LONG left, top, width, height;
    };
    // Twips over 15 twips per pixel; controls in a frame add the frame's offset.
    const std::vector<Place> expected{
        {DialogControl::ClockPicture, 4, 4, 124, 123},
        {DialogControl::AboutFrame, 132, -2, 227, 129},
        {DialogControl::TitleLabel, 140, 12, 211, 29},
        {DialogControl::CreditLabel, 140, 38, 211, 23},
        {DialogControl::VersionLabel, 140, 62, 211, 17},
        {DialogControl::SeparatorLine, 142, 83, 206, 2},
        {DialogControl::OkButton, 140, 94, 211, 25},
        {DialogControl::WindowOptionsFrame, 4, 128, 355, 57},
        {DialogControl::TaskbarButtonBox, 12, 142, 133, 17},
        {DialogControl::LockPositionBox, 218, 142, 133, 17},
        {DialogControl::AlwaysOnTopBox, 12, 160, 125, 17},
        {DialogControl::BlueDigitsBox, 218, 160, 133, 17},
        {DialogControl::TranslucencyFrame, 4, 186, 355, 57},
        {DialogControl::TranslucencySlider, 12, 202, 313, 13},
        {DialogControl::AmountLabel, 328, 202, 21, 15},
        {DialogControl::FadeBox, 12, 220, 339, 17},
    };
    for (const Place& p : expected) {
        SCOPED_TRACE(static_cast<int>(p.id));
        const RECT r = ClientPlace(Window(), Control(p.id));
        EXPECT_EQ(r.left, p.left);
        EXPECT_EQ(r.top, p.top);
        EXPECT_EQ(r.right - r.left, p.width);
        EXPECT_EQ(r.bottom - r.top, p.height);
    }
    // Inside Image1's border there is exactly room for the picture.
    RECT inside{};
    GetClientRect(Control(DialogControl::ClockPicture), &inside);
    EXPECT_EQ(inside.right, 120);
    EXPECT_EQ(inside.bottom, 119);
}

// The tab order runs through the controls that show, back to OK.
void ExpectTabOrder(HWND dialog, const std::vector<HWND>& order) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetNextDlgTabItem(dialog, order[i], FALSE), order[(i + 1) % order.size()]);
    }
    EXPECT_EQ(GetNextDlgTabItem(dialog, order.front(), TRUE), order.back());
}

// Without the screensaver's frame its controls are no tab stops; with it they come last, and the
// brightness label's access key puts the focus on the slider it names.
TEST_F(SettingsDialogTest, TabOrderRunsFromOkThroughBoxesAndSlider) {
    std::vector<HWND> order;
    for (const DialogControl id :
         {DialogControl::OkButton, DialogControl::TaskbarButtonBox, DialogControl::LockPositionBox,
          DialogControl::AlwaysOnTopBox, DialogControl::BlueDigitsBox,
          DialogControl::TranslucencySlider, DialogControl::FadeBox}) {
        order.push_back(Control(id));
    }
    ExpectTabOrder(Window(), order);

    state.screensaverFrame = true;
    dialog->ShowState(state);
    for (const DialogControl id : {DialogControl::AllMonitorsBox, DialogControl::DriftBox,
                                   DialogControl::BrightnessSlider}) {
        order.push_back(Control(id));
    }
    ExpectTabOrder(Window(), order);

    dialog->Show();
    Pump();
    MSG message{Control(DialogControl::OkButton), WM_SYSCHAR, 'h', 0, 0, {}};
    EXPECT_TRUE(dialog->PreTranslate(message));
    EXPECT_EQ(GetFocus(), Control(DialogControl::BrightnessSlider));
    EXPECT_EQ(TextOf(Control(DialogControl::BrightnessLabel)), "&Helligkeit:");
}

struct ShapeExpectation {
    bool translucencyStrip;
    bool screensaverFrame;
    LONG clientHeight;
    LONG screensaverFrameTop;  // -1: hidden
    bool translucencyFrameShown;
};

// The screensaver's frame adds its height below the translucency strip, or takes the strip's
// place where the strip is cut off; its controls go with it, and at another scale the client
// area keeps that shape.
TEST_F(SettingsDialogTest, TheScreensaverFrameGrowsTheDialogOrTakesTheCutStripsPlace) {
    for (const ShapeExpectation& e : {ShapeExpectation{true, true, 320, 244, true},
                                      ShapeExpectation{false, true, 262, 186, false},
                                      ShapeExpectation{false, false, 189, -1, true},
                                      ShapeExpectation{true, false, 247, -1, true}}) {
        SCOPED_TRACE(testing::Message() << e.translucencyStrip << e.screensaverFrame);
        state.translucencyStrip = e.translucencyStrip;
        state.screensaverFrame = e.screensaverFrame;
        dialog->ShowState(state);
        RECT client{};
        GetClientRect(Window(), &client);
        EXPECT_EQ(client.right, 363);
        EXPECT_EQ(client.bottom, e.clientHeight);
        for (const DialogControl id :
             {DialogControl::ScreensaverFrame, DialogControl::AllMonitorsBox,
              DialogControl::DriftBox, DialogControl::BrightnessLabel,
              DialogControl::BrightnessSlider, DialogControl::BrightnessAmountLabel}) {
            EXPECT_EQ(Shown(Control(id)), e.screensaverFrameTop >= 0);
        }
        for (const DialogControl id :
             {DialogControl::TranslucencyFrame, DialogControl::TranslucencySlider,
              DialogControl::FadeBox, DialogControl::AmountLabel}) {
            EXPECT_EQ(Shown(Control(id)), e.translucencyFrameShown);
        }
        if (e.screensaverFrameTop >= 0) {
            // Twips over 15 twips per pixel, the frame's controls 14 to 52 pixels below its top.
            const LONG top = e.screensaverFrameTop;
            EXPECT_EQ(EdgesOf(ClientPlace(Window(), Control(DialogControl::ScreensaverFrame))),
                      (std::vector<LONG>{4, top, 359, top + 73}));
            EXPECT_EQ(EdgesOf(ClientPlace(Window(), Control(DialogControl::AllMonitorsBox))),
                      (std::vector<LONG>{12, top + 14, 351, top + 31}));
            EXPECT_EQ(EdgesOf(ClientPlace(Window(), Control(DialogControl::DriftBox))),
                      (std::vector<LONG>{12, top + 32, 351, top + 49}));
            EXPECT_EQ(EdgesOf(ClientPlace(Window(), Control(DialogControl::BrightnessLabel))),
                      (std::vector<LONG>{12, top + 52, 72, top + 67}));
            EXPECT_EQ(EdgesOf(ClientPlace(Window(), Control(DialogControl::BrightnessSlider))),
                      (std::vector<LONG>{76, top + 52, 325, top + 65}));
            EXPECT_EQ(EdgesOf(ClientPlace(Window(), Control(DialogControl::BrightnessAmountLabel))),
                      (std::vector<LONG>{328, top + 52, 349, top + 67}));
        }
    }

    state.screensaverFrame = true;
    dialog->ShowState(state);
    RECT suggested{100, 80, 100 + 560, 80 + 400};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.bottom, 480);  // 4800 twips
    EXPECT_EQ(EdgesOf(ClientPlace(Window(), Control(DialogControl::BrightnessSlider))),
              (std::vector<LONG>{114, 444, 488, 464}));
}

// In the topmost band it is shown, and stays there while the program runs on.
TEST_F(SettingsDialogTest, OnTopShowsItInTheTopmostBand) {
    dialog->SetOnTop(true);
    Pump();
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_NE(GetWindowLongPtrW(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(SettingsDialogTest, OkIsTheDefaultButton) {
    const LRESULT id = SendMessageW(Window(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(id), DC_HASDEFID);
    EXPECT_EQ(LOWORD(id), IDOK);
    EXPECT_EQ(GetWindowLongPtrW(Control(DialogControl::OkButton), GWL_STYLE) & BS_TYPEMASK,
              BS_DEFPUSHBUTTON);
}

// The width of the colour image of the icon the dialog shows for which (ICON_SMALL, ICON_BIG).
LONG IconWidth(HWND window, WPARAM which) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (icon == nullptr || GetIconInfo(icon, &info) == FALSE) {
        return 0;
    }
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

TEST_F(SettingsDialogTest, TitleBarAndTaskSwitcherShowTheirOwnIconSizes) {
    EXPECT_EQ(IconWidth(Window(), ICON_SMALL), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconWidth(Window(), ICON_BIG), GetSystemMetrics(SM_CXICON));
}

LONG FontPixels(HWND control) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    GetObjectW(font, sizeof logFont, &logFont);
    return std::abs(logFont.lfHeight);
}

// The control's text on one line in the control's font, beside the box of a check box (13 pixels
// and a gap of 3 at 96 pixels an inch), fits inside its client area.
void ExpectTextInside(HWND control, bool checkBox, int pixelsPerInch) {
    const std::wstring text = Widen(TextOf(control));
    RECT client{};
    GetClientRect(control, &client);
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const int box = checkBox ? MulDiv(16, pixelsPerInch, 96) : 0;
    EXPECT_LE(needed.right + box, client.right) << TextOf(control);
    EXPECT_LE(needed.bottom, client.bottom) << TextOf(control);
}

// Moved to a monitor of 150 %, the dialog lays itself out as one opened there: the place the
// system suggests, every control where it would be with a font of the same size, the picture
// drawn anew to fill the inside of its border, and every text inside its control.
TEST_F(SettingsDialogTest, OnAMonitorOfAnotherScaleItLaysItselfOutAgain) {
    RECT suggested{100, 80, 100 + 560, 80 + 400};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    const SettingsDialog opened(GetModuleHandleW(nullptr), events, PixelsPerInch{144, 144});
    RECT outer{};
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 80);
    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 545);
    EXPECT_EQ(client.bottom, 371);
    for (const DialogControlLayout& control : kDialogControls) {
        SCOPED_TRACE(static_cast<int>(control.control));
        const RECT moved = ClientPlace(Window(), Control(control.control));
        const RECT there = ClientPlace(opened.Handle(), opened.Control(control.control));
        EXPECT_EQ(std::vector({moved.left, moved.top, moved.right, moved.bottom}),
                  std::vector({there.left, there.top, there.right, there.bottom}));
        EXPECT_EQ(FontPixels(Control(control.control)),
                  FontPixels(opened.Control(control.control)));
        if (control.kind == ControlKind::CheckBox || control.kind == ControlKind::Label ||
            control.kind == ControlKind::Button) {
            ExpectTextInside(Control(control.control), control.kind == ControlKind::CheckBox, 144);
        }
    }
    EXPECT_EQ(FontPixels(Control(DialogControl::TitleLabel)),
              28);  // 14.25 points at 144 pixels an inch: 28.5

    RECT inside{};
    GetClientRect(Control(DialogControl::ClockPicture), &inside);
    EXPECT_EQ(inside.right - inside.left, 182);  // 120 x 119 at 96 pixels an inch
    EXPECT_EQ(inside.bottom - inside.top, 181);
    const auto picture = reinterpret_cast<HBITMAP>(
        SendMessageW(Control(DialogControl::ClockPicture), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    ASSERT_NE(GetObjectW(picture, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 182);
    EXPECT_EQ(info.bmHeight, 181);
}

// Expected font of each control with a font of its own; the check boxes keep the standard one.
struct FontExpectation {
    DialogControl id;
    const wchar_t* face;
    LONG pixels;  // at 15 twips per pixel: points * 20 / 15
    bool bold;
};

TEST_F(SettingsDialogTest, ControlsCarryTheirFonts) {
    const std::vector<FontExpectation> expected{
        {DialogControl::TitleLabel, L"Comic Sans MS", 19, false},
        {DialogControl::CreditLabel, L"MS Sans Serif", 16, true},
        {DialogControl::VersionLabel, L"Arial", 11, true},
        {DialogControl::OkButton, L"Arial", 11, false},
        {DialogControl::TranslucencyFrame, L"Comic Sans MS", 9, false},
        {DialogControl::ScreensaverFrame, L"Comic Sans MS", 9, false},
        {DialogControl::TaskbarButtonBox, L"MS Shell Dlg", 11, false},
        {DialogControl::FadeBox, L"MS Shell Dlg", 11, false},
        {DialogControl::AmountLabel, L"MS Shell Dlg", 11, false},
    };
    for (const FontExpectation& e : expected) {
        SCOPED_TRACE(static_cast<int>(e.id));
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Control(e.id), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTW logFont{};
        ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
        EXPECT_EQ(std::wstring(logFont.lfFaceName), e.face);
        EXPECT_EQ(std::abs(logFont.lfHeight), e.pixels);
        EXPECT_EQ(logFont.lfWeight >= FW_BOLD, e.bold);
    }
}

TEST_F(SettingsDialogTest, CheckBoxesShowWhatTheLogicSets) {
    const HWND blue = Control(DialogControl::BlueDigitsBox);
    EXPECT_EQ(SendMessageW(blue, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    state[CheckBox::BlueDigits].state = CheckState::Ticked;
    state[CheckBox::TaskbarButton].state = CheckState::Greyed;
    state[CheckBox::LockPosition].enabled = false;
    dialog->ShowState(state);
    EXPECT_EQ(SendMessageW(blue, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(DialogControl::TaskbarButtonBox), BM_GETCHECK, 0, 0),
              BST_INDETERMINATE);
    EXPECT_FALSE(IsWindowEnabled(Control(DialogControl::LockPositionBox)));
    EXPECT_TRUE(IsWindowEnabled(Control(DialogControl::AlwaysOnTopBox)));

    state[CheckBox::BlueDigits].state = CheckState::Clear;
    state[CheckBox::LockPosition].enabled = true;
    dialog->ShowState(state);
    EXPECT_EQ(SendMessageW(blue, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(IsWindowEnabled(Control(DialogControl::LockPositionBox)));
}

// Without translucency the window loses the strip at its foot, 58 pixels at any resolution, and
// keeps it off when it lays itself out again at another one.
TEST_F(SettingsDialogTest, WithoutTheTranslucencyStripTheDialogIsShorter) {
    const PixelRect full = dialog->Rect();
    state.translucencyStrip = false;
    dialog->ShowState(state);
    EXPECT_EQ(dialog->Rect(), (PixelRect{full.left, full.top, full.right, full.bottom - 58}));
    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.bottom, 247 - 58);

    RECT suggested{100, 80, 100 + 560, 80 + 400};
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.bottom, 371 - 58);
    state.translucencyStrip = true;
    dialog->ShowState(state);
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.bottom, 371);
}

TEST_F(SettingsDialogTest, ClickOnABoxIsReportedWithoutTicking) {
    dialog->Show();
    Pump();
    SendMessageW(Control(DialogControl::BlueDigitsBox), BM_CLICK, 0, 0);
    SendMessageW(Control(DialogControl::FadeBox), BM_CLICK, 0, 0);
    EXPECT_TRUE(events.Saw("CheckBox 3"));  // BlueDigits
    EXPECT_TRUE(events.Saw("CheckBox 4"));  // Fade
    EXPECT_EQ(SendMessageW(Control(DialogControl::BlueDigitsBox), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(Control(DialogControl::FadeBox), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(SettingsDialogTest, SliderRangeStepsAndPosition) {
    const HWND slider = Control(DialogControl::TranslucencySlider);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 0);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 239);
    EXPECT_EQ(SendMessageW(slider, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPAGESIZE, 0, 0), 16);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 0);
    state.translucency = 63;
    dialog->ShowState(state);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 63);
    EXPECT_TRUE(events.log.empty());  // showing a value reports nothing back
    state.sliderEnabled = false;
    dialog->ShowState(state);
    EXPECT_FALSE(IsWindowEnabled(slider));

    const HWND brightness = Control(DialogControl::BrightnessSlider);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETPAGESIZE, 0, 0), 10);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(TextOf(Control(DialogControl::BrightnessAmountLabel)), "100");
    state.brightness = 40;
    state.brightnessText = "40";
    dialog->ShowState(state);
    EXPECT_EQ(SendMessageW(brightness, TBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(TextOf(Control(DialogControl::BrightnessAmountLabel)), "40");
    EXPECT_TRUE(IsWindowEnabled(brightness));
    EXPECT_TRUE(events.log.empty());
}

TEST_F(SettingsDialogTest, SliderKeysAndDragsAreReported) {
    dialog->Show();
    Pump();
    const HWND slider = Control(DialogControl::TranslucencySlider);
    SetFocus(slider);
    SendMessageW(slider, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(events.Saw("Slider 1"));
    SendMessageW(slider, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_TRUE(events.Saw("Slider 17"));
    // A drag reports the thumb's position while it moves.
    SendMessageW(slider, TBM_SETPOS, TRUE, 100);
    SendMessageW(Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 100),
                 reinterpret_cast<LPARAM>(slider));
    EXPECT_TRUE(events.Saw("Slider 100"));
    // The end of the drag is no move of its own.
    events.log.clear();
    SendMessageW(Window(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                 reinterpret_cast<LPARAM>(slider));
    EXPECT_TRUE(events.log.empty());

    // The brightness slider reports its own moves, as brightness only.
    state.screensaverFrame = true;
    dialog->ShowState(state);
    const HWND brightness = Control(DialogControl::BrightnessSlider);
    SetFocus(brightness);
    SendMessageW(brightness, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageW(brightness, WM_KEYDOWN, VK_PRIOR, 0);
    SendMessageW(brightness, TBM_SETPOS, TRUE, 55);
    SendMessageW(Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 55),
                 reinterpret_cast<LPARAM>(brightness));
    SendMessageW(Window(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                 reinterpret_cast<LPARAM>(brightness));
    EXPECT_EQ(events.log,
              (std::vector<std::string>{"Brightness 99", "Brightness 89", "Brightness 55"}));
}

TEST_F(SettingsDialogTest, EnterAndEscapeBothPressOk) {
    dialog->Show();
    Pump();
    for (const int key : {VK_RETURN, VK_ESCAPE}) {
        events.log.clear();
        MSG message{Control(DialogControl::TaskbarButtonBox),
                    WM_KEYDOWN,
                    static_cast<WPARAM>(key),
                    0,
                    0,
                    {}};
        EXPECT_TRUE(dialog->PreTranslate(message));
        EXPECT_EQ(events.log, std::vector<std::string>{"Ok"}) << key;
    }
    // A message for another window is left to the loop.
    MSG other{GetDesktopWindow(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(dialog->PreTranslate(other));
}

TEST_F(SettingsDialogTest, AccessKeyReachesItsBox) {
    dialog->Show();
    Pump();
    MSG message{Control(DialogControl::OkButton), WM_SYSCHAR, 'z', 0, 0, {}};
    EXPECT_TRUE(dialog->PreTranslate(message));
    EXPECT_TRUE(events.Saw("CheckBox 3"));  // &Ziffern
}

TEST_F(SettingsDialogTest, ShowModalRunsUntilOkHidesAndDisablesOtherWindows) {
    const HWND other = CreateWindowExW(0, L"STATIC", L"clock", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    bool otherDisabled = false;
    events.onOk = [&] { dialog->Hide(); };
    dialog->ShowModal([&] {
        otherDisabled = !IsWindowEnabled(other);
        PostMessageW(Control(DialogControl::OkButton), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(events.Saw("Ok"));
    DestroyWindow(other);
}

TEST_F(SettingsDialogTest, AHostItBelongsToOwnsItAndIsDisabledOnlyWhileItIsModal) {
    const HWND host = CreateWindowExW(0, L"STATIC", L"settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      0, 0, 200, 150, nullptr, nullptr, nullptr, nullptr);
    dialog->BelongToHost(reinterpret_cast<HostWindowId>(host));
    EXPECT_EQ(GetWindow(Window(), GW_OWNER), host);
    EXPECT_TRUE(IsWindowEnabled(host));

    bool hostDisabled = false;
    bool hostEnabledWhenHidden = false;
    events.onOk = [&] {
        dialog->Hide();
        hostEnabledWhenHidden = IsWindowEnabled(host) != FALSE;
    };
    dialog->ShowModal([&] {
        hostDisabled = IsWindowEnabled(host) == FALSE;
        PostMessageW(Control(DialogControl::OkButton), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(hostEnabledWhenHidden);

    // Closed while modal: the dialog goes, and the host is enabled again.
    hostDisabled = false;
    events.onClose = [&] { dialog.reset(); };
    SettingsDialog* modal = dialog.get();
    modal->ShowModal([&] {
        hostDisabled = IsWindowEnabled(host) == FALSE;
        PostMessageW(Window(), WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(dialog);
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(IsWindowEnabled(host));
    DestroyWindow(host);
}

TEST_F(SettingsDialogTest, ShowModalEndsWhenClosingUnloadsTheDialog) {
    events.onClose = [&] { dialog.reset(); };
    SettingsDialog* modal = dialog.get();
    modal->ShowModal([&] { PostMessageW(Window(), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(dialog);
    EXPECT_TRUE(events.Saw("Close"));
    EXPECT_FALSE(events.Saw("Ok"));  // closing is not OK
}

TEST_F(SettingsDialogTest, ActivationIsReportedAndOnlyTheProgramsWindowsGiveItBack) {
    dialog->Show();
    Pump();
    EXPECT_TRUE(events.Saw("Activate"));

    // Another window of the program (the clock) takes the activation: the dialog hears it.
    const HWND clock = CreateWindowExW(0, L"STATIC", L"clock", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    events.log.clear();
    SetActiveWindow(clock);
    Pump();
    EXPECT_TRUE(events.Saw("Left"));

    // A window of another program (the system tells no handle) keeps it.
    SetActiveWindow(Window());
    Pump();
    events.log.clear();
    SendMessageW(Window(), WM_ACTIVATE, WA_INACTIVE, 0);
    Pump();
    EXPECT_FALSE(events.Saw("Left"));
    DestroyWindow(clock);
}

// Whenever the dialog gets the focus back, by activation or by the program's Focus, the control
// that had it last gets it: the first tab stop when there is none or it has been disabled since.
TEST_F(SettingsDialogTest, TheFocusComesBackToTheControlThatHadIt) {
    dialog->Show();
    Pump();
    EXPECT_EQ(GetFocus(), Control(DialogControl::OkButton));
    const HWND clock = CreateWindowExW(0, L"STATIC", L"clock", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);

    SetFocus(Control(DialogControl::TranslucencySlider));
    SetActiveWindow(clock);
    dialog->Focus();
    EXPECT_EQ(GetActiveWindow(), Window());
    EXPECT_EQ(GetFocus(), Control(DialogControl::TranslucencySlider));
    dialog->Focus();  // again, while the dialog is active
    EXPECT_EQ(GetFocus(), Control(DialogControl::TranslucencySlider));

    SetFocus(Control(DialogControl::BlueDigitsBox));
    SetActiveWindow(clock);
    SetActiveWindow(Window());
    EXPECT_EQ(GetFocus(), Control(DialogControl::BlueDigitsBox));
    SetActiveWindow(clock);
    dialog->Focus();
    EXPECT_EQ(GetFocus(), Control(DialogControl::BlueDigitsBox));

    SetActiveWindow(clock);
    state[CheckBox::BlueDigits].enabled = false;
    dialog->ShowState(state);
    dialog->Focus();
    EXPECT_EQ(GetFocus(), Control(DialogControl::OkButton));
    Pump();
    DestroyWindow(clock);
}

TEST_F(SettingsDialogTest, PictureIsTheClockWithBlueDigits) {
    const auto bitmap = reinterpret_cast<HBITMAP>(
        SendMessageW(Control(DialogControl::ClockPicture), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectW(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 120);
    EXPECT_EQ(info.bmHeight, 119);

    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = 120;
    request.bmiHeader.biHeight = -119;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(std::size_t{120} * 119);
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, 119, pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(rows, 119);

    // At 10:08:42 the ring is lit from the top clockwise to the lower left; the upper left
    // quarter is dark.
    int blueInCentre = 0;
    int greenInCentre = 0;
    int litRight = 0;
    int litUpperLeft = 0;
    for (int y = 0; y < 119; ++y) {
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * 120 + x)];
            const unsigned r = (p >> 16) & 0xFF;
            const unsigned g = (p >> 8) & 0xFF;
            const unsigned b = p & 0xFF;
            const bool centre = x > 25 && x < 95 && y > 45 && y < 74;
            const bool lit = g > 200 && b < 160;  // a green or yellow ring dot
            if (centre) {
                blueInCentre += b > 200 && r < 160 && g < 160 ? 1 : 0;
                greenInCentre += g > 200 && r < 160 && b < 160 ? 1 : 0;
            } else if (lit && x > 65) {
                ++litRight;
            } else if (lit && x < 55 && y < 50) {
                ++litUpperLeft;
            }
        }
    }
    EXPECT_GT(blueInCentre, 100);
    EXPECT_EQ(greenInCentre, 0);
    EXPECT_GT(litRight, 20);
    EXPECT_EQ(litUpperLeft, 0);
    EXPECT_EQ(pixels[0], 0u);  // black around the face
}

TEST_F(SettingsDialogTest, ClickOnThePictureIsReported) {
    dialog->Show();
    Pump();
    const HWND image = Control(DialogControl::ClockPicture);
    SendMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(image, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(events.Saw("Picture"));
}

HWND ToolTipOf(HWND dialog) {
    struct Search {
        HWND owner;
        HWND found;
    } search{dialog, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t name[64]{};
            GetClassNameW(window, name, 64);
            if (GetWindow(window, GW_OWNER) == s.owner && std::wstring(name) == TOOLTIPS_CLASSW) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The tip belongs to the dialog's hidden owner, not to the dialog, and goes with the dialog.
TEST_F(SettingsDialogTest, PictureHasItsToolTip) {
    EXPECT_EQ(ToolTipOf(Window()), nullptr);
    const HWND tip = ToolTipOf(GetWindow(Window(), GW_OWNER));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t buffer[128]{};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Window();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(DialogControl::ClockPicture));
    tool.lpszText = buffer;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(Narrow(buffer), " Die reale Uhr, nachdem dieses Programm entworfen wurde ... ");
    dialog.reset();
    EXPECT_FALSE(IsWindow(tip));
}

TEST_F(SettingsDialogTest, PointersFollowTheControlUnderThem) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HCURSOR hand = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_POINTING_HAND));
    const HCURSOR picture = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_PICTURE));
    const HCURSOR own = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_DIALOG));
    const auto over = [&](HWND window) {
        SendMessageW(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    for (const DialogControl id :
         {DialogControl::OkButton, DialogControl::TaskbarButtonBox, DialogControl::LockPositionBox,
          DialogControl::AlwaysOnTopBox, DialogControl::BlueDigitsBox, DialogControl::FadeBox,
          DialogControl::TranslucencySlider}) {
        EXPECT_EQ(over(Control(id)), hand) << static_cast<int>(id);
    }
    EXPECT_EQ(over(Control(DialogControl::ClockPicture)), picture);
    EXPECT_EQ(over(Window()), own);
    EXPECT_EQ(over(Control(DialogControl::TitleLabel)), own);
}

struct ExpectedPointer {
    int id;
    DWORD hotX;  // at 32 pixels; it grows with the image
    bool colour;
};

// Each pointer has its own image at 100, 150 and 200 %, not one stretched by the system.
TEST(ProgramArt, PointersHaveTheirSizesAndHotSpots) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ExpectedPointer& expected :
         {ExpectedPointer{IDC_CLOCK_ARROW, 0, true}, ExpectedPointer{IDC_DIALOG, 0, true},
          ExpectedPointer{IDC_PICTURE, 0, true}, ExpectedPointer{IDC_POINTING_HAND, 5, false}}) {
        for (const auto& [size, hotX] : {std::pair<int, DWORD>{32, expected.hotX},
                                         {48, expected.hotX * 3 / 2},
                                         {64, expected.hotX * 2}}) {
            SCOPED_TRACE(testing::Message() << expected.id << " at " << size);
            const auto pointer = static_cast<HCURSOR>(
                LoadImageW(instance, MAKEINTRESOURCEW(expected.id), IMAGE_CURSOR, size, size, 0));
            ASSERT_NE(pointer, nullptr);
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(pointer, &info));
            EXPECT_FALSE(info.fIcon);
            EXPECT_EQ(info.xHotspot, hotX);
            EXPECT_EQ(info.yHotspot, 0u);
            BITMAP mask{};
            GetObjectW(info.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(mask.bmWidth, size);
            // A monochrome pointer keeps its image below its mask in one bitmap twice as high.
            EXPECT_EQ(mask.bmHeight, expected.colour ? size : 2 * size);
            EXPECT_EQ(info.hbmColor != nullptr, expected.colour);
            if (info.hbmColor != nullptr) {
                BITMAP colour{};
                GetObjectW(info.hbmColor, sizeof colour, &colour);
                EXPECT_EQ(colour.bmWidth, size);
                EXPECT_EQ(colour.bmHeight, size);
                DeleteObject(info.hbmColor);
            }
            DeleteObject(info.hbmMask);
            DestroyCursor(pointer);
        }
    }
}

TEST(ProgramArt, IconHasAnImageForEachScale) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const int size : {16, 20, 24, 32, 48, 256}) {
        const auto icon = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVRINO), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_TRUE(info.fIcon);
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmBitsPixel, 32);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

}  // namespace
}  // namespace tavrino::win32
