#include "win32/SettingsDialog.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/ClockPicture.h"
#include "win32/ResourceIds.h"
#include "win32/Text.h"
#include "win32/WindowClass.h"

namespace tavrino::win32 {

namespace {

// Posted to the dialog when another window of the program took the activation or the focus; by
// the time it arrives the activation has settled.
constexpr UINT kTakeBackMessage = WM_APP + 1;

// Control identifiers follow the layout's order. OK is IDOK, so that Enter reaches it as the
// dialog's default button.
constexpr int kFirstControlId = 1001;

int IdOf(DialogControl control) {
    return control == DialogControl::OkButton ? IDOK : kFirstControlId + static_cast<int>(control);
}

std::optional<DialogControl> ControlWithId(int id) {
    for (const DialogControlLayout& layout : kDialogControls) {
        if (IdOf(layout.control) == id) {
            return layout.control;
        }
    }
    return std::nullopt;
}

std::optional<CheckBox> CheckBoxWithId(int id) {
    const std::optional<DialogControl> control = ControlWithId(id);
    return control ? CheckBoxOf(*control) : std::nullopt;
}

// Indexed by TextStyle. The standard face is the system's logical dialog face, which Windows maps
// to a scalable face with the metrics of MS Sans Serif: crisp at every scale, where the bitmap
// MS Sans Serif comes in a few sizes only.
constexpr std::array<std::wstring_view, kTextStyleSizes.size()> kFaces{
    L"MS Shell Dlg", L"Comic Sans MS", L"MS Sans Serif", L"Arial", L"Arial", L"Comic Sans MS"};

// The line is two pixels thick whatever the screen's resolution, centred on its box's top edge.
constexpr int kLinePixels = 2;

// An empty dialog template: the controls are made in code, in pixels computed from twips.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WORD title;
};

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

WPARAM ButtonStateOf(CheckState state) {
    switch (state) {
        case CheckState::Ticked:
            return BST_CHECKED;
        case CheckState::Greyed:
            return BST_INDETERMINATE;
        case CheckState::Clear:
            break;
    }
    return BST_UNCHECKED;
}

struct ClassAndStyle {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle ClassAndStyleOf(const DialogControlLayout& control) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
        case ControlKind::Button:
            return {L"BUTTON", kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0};
        case ControlKind::CheckBox:
            // Not an automatic box: a click is reported, and the logic sets the state.
            return {L"BUTTON", kChild | WS_TABSTOP | BS_3STATE, 0};
        case ControlKind::Slider:
            return {TRACKBAR_CLASSW, kChild | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS | TBS_BOTH, 0};
        case ControlKind::Frame:
            return {L"BUTTON", kChild | WS_GROUP | BS_GROUPBOX, 0};
        case ControlKind::Label: {
            const DWORD align = control.align == TextAlign::Centre  ? SS_CENTER
                                : control.align == TextAlign::Right ? SS_RIGHT
                                                                    : SS_LEFT;
            // A label with an access key passes the focus on to the next tab stop, the control
            // it names; any other label shows an "&" as it is.
            const DWORD prefix = control.text.find('&') == std::string_view::npos ? SS_NOPREFIX : 0;
            return {L"STATIC", kChild | prefix | align, 0};
        }
        case ControlKind::Line:
            return {L"STATIC", kChild | SS_OWNERDRAW, 0};
        case ControlKind::Picture:
            break;
    }
    // The sunken edge is the picture's single border; its inside is exactly the picture.
    return {L"STATIC", kChild | SS_BITMAP | SS_CENTERIMAGE | SS_NOTIFY, WS_EX_CLIENTEDGE};
}

// A thumb the user has just moved is there already.
void MoveThumb(HWND slider, int position) {
    if (SendMessageW(slider, TBM_GETPOS, 0, 0) != position) {
        SendMessageW(slider, TBM_SETPOS, TRUE, position);
    }
}

bool OfThisProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return window != nullptr && process == GetCurrentProcessId();
}

// Disables the thread's other top-level windows while a modal dialog runs, and enables them
// again when it ends.
class OtherWindowsDisabled {
  public:
    explicit OtherWindowsDisabled(HWND dialog) : dialog_(dialog) {
        EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        for (const HWND window : disabled_) {
            EnableWindow(window, FALSE);
        }
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;
    ~OtherWindowsDisabled() {
        for (const HWND window : disabled_) {
            if (IsWindow(window)) {
                EnableWindow(window, TRUE);
            }
        }
    }

  private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self) {
        auto& that = *reinterpret_cast<OtherWindowsDisabled*>(self);
        const HWND owner = GetWindow(that.dialog_, GW_OWNER);
        if (window != that.dialog_ && window != owner &&
            GetWindow(window, GW_OWNER) != that.dialog_ && IsWindowVisible(window) &&
            IsWindowEnabled(window)) {
            that.disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND dialog_;
    std::vector<HWND> disabled_;
};

// The dialog lays itself out at a new resolution. Left to itself, the system would rescale it
// from dialog units and give every control the dialog's font. Looked up at run time: older
// systems and Wine do not have it, and do not rescale dialogs either.
void KeepSystemFromRescaling(HWND dialog) {
    using SetBehaviour =
        BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC found =
        user32 != nullptr ? GetProcAddress(user32, "SetDialogDpiChangeBehavior") : nullptr;
    if (found != nullptr) {
        const auto setBehaviour = reinterpret_cast<SetBehaviour>(reinterpret_cast<void*>(found));
        setBehaviour(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
    }
}

}  // namespace

SettingsDialog::SettingsDialog(HINSTANCE instance, SettingsDialogEvents& events,
                               PixelsPerInch resolution)
    : events_(events), twips_(TwipsPerPixel::Of(resolution)) {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);

    owner_.Reset(CreateHiddenOwner(instance));
    EmptyDialogTemplate dialogTemplate{};
    dialogTemplate.header.style = kDialogStyle;
    window_.Reset(CreateDialogIndirectParamW(instance, &dialogTemplate.header, owner_.Get(),
                                             &DialogProc, reinterpret_cast<LPARAM>(this)));
    if (!window_) {
        return;
    }
    Attach(window_.Get());
    FitClientArea();

    // Each icon size from its own image, not the large one scaled down for the title bar.
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(ProgramIcon(instance, SM_CXICON, SM_CYICON)));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON)));

    LoadPointers(instance);
    CreateFonts();
    CreateControls(instance);
    LayOutControls();
    ShowPicture();
    CreateToolTip(instance);
    KeepSystemFromRescaling(Hwnd());
    SendMessageW(Hwnd(), DM_SETDEFID, IDOK, 0);
    // The access keys stay underlined, not only after the user has pressed Alt.
    SendMessageW(Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
}

SettingsDialog::~SettingsDialog() {
    if (destroyed_ != nullptr) {
        *destroyed_ = true;
    }
    EnableHost(true);
    if (window_) {
        // No message of the window's end reaches this half-destroyed object.
        SetWindowLongPtrW(window_.Get(), DWLP_USER, 0);
    }
    Detach();
    window_.Reset();
}

void SettingsDialog::LoadPointers(HINSTANCE instance) {
    dialogPointer_ = ProgramPointer(instance, IDC_DIALOG, IDC_ARROW);
    picturePointer_ = ProgramPointer(instance, IDC_PICTURE, IDC_ARROW);
    handPointer_ = ProgramPointer(instance, IDC_POINTING_HAND, IDC_HAND);
}

HWND SettingsDialog::Control(DialogControl control) const {
    return GetDlgItem(Hwnd(), IdOf(control));
}

void SettingsDialog::CreateFonts() {
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const TextStyleSize& size = kTextStyleSizes[i];
        fonts_[i].Reset(CreateFontW(
            -twips_.FontPixels(size.points), 0, 0, 0, size.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
            FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
            DEFAULT_PITCH | FF_DONTCARE, std::wstring(kFaces[i]).c_str()));
    }
}

RECT SettingsDialog::PlaceOf(const DialogControlLayout& control) const {
    const PixelRect box = ControlPixels(control.control, Shape(), twips_);
    if (control.kind == ControlKind::Line) {
        const int lineTop = box.top - kLinePixels / 2;
        return {box.left, lineTop, box.right, lineTop + kLinePixels};
    }
    return {box.left, box.top, box.right, box.bottom};
}

void SettingsDialog::CreateControls(HINSTANCE instance) {
    for (const DialogControlLayout& control : kDialogControls) {
        const ClassAndStyle kind = ClassAndStyleOf(control);
        CreateWindowExW(kind.exStyle, kind.windowClass, Widen(control.text).c_str(), kind.style, 0,
                        0, 0, 0, Hwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(control.control))),
                        instance, nullptr);
    }

    SetUpSlider(DialogControl::TranslucencySlider, kTranslucencySlider, shown_.translucency);
    SetUpSlider(DialogControl::BrightnessSlider, kBrightnessSlider, shown_.brightness);
}

void SettingsDialog::SetUpSlider(DialogControl slider, const SliderRange& range, int position) {
    const HWND control = Control(slider);
    SendMessageW(control, TBM_SETRANGE, FALSE, MAKELPARAM(range.minimum, range.maximum));
    SendMessageW(control, TBM_SETLINESIZE, 0, range.step);
    SendMessageW(control, TBM_SETPAGESIZE, 0, range.page);
    SendMessageW(control, TBM_SETPOS, TRUE, position);
}

// The frame's thickness is measured, not reckoned: it changes with the scale.
void SettingsDialog::FitClientArea() {
    RECT outer{};
    RECT client{};
    GetWindowRect(Hwnd(), &outer);
    GetClientRect(Hwnd(), &client);
    const PixelRect wanted = ClientPixels(Shape(), twips_);
    const int width = outer.right - outer.left - client.right + wanted.Width();
    const int height = outer.bottom - outer.top - client.bottom + wanted.Height();
    SetWindowPos(Hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | kKeepOrderAndActivation);
}

void SettingsDialog::PlaceControls() {
    const DialogShape shape = Shape();
    for (const DialogControlLayout& control : kDialogControls) {
        const RECT r = PlaceOf(control);
        const HWND child = Control(control.control);
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     kKeepOrderAndActivation);
        ShowWindow(child, ControlShown(control.control, shape) ? SW_SHOWNA : SW_HIDE);
    }
}

void SettingsDialog::LayOutControls() {
    PlaceControls();
    for (const DialogControlLayout& control : kDialogControls) {
        SendMessageW(
            Control(control.control), WM_SETFONT,
            reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(control.style)].Get()), TRUE);
    }
}

void SettingsDialog::ShowPicture() {
    const HWND image = Control(DialogControl::ClockPicture);
    RECT inside{};
    GetClientRect(image, &inside);
    UniqueGdiObject picture = DrawClockPicture(inside.right, inside.bottom);
    SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.Get()));
    picture_ = std::move(picture);  // the old picture is shown no more
}

// The place the system suggests, with the client area the twips give at the new resolution.
void SettingsDialog::OnDpiChanged(WPARAM resolution, const RECT& suggested) {
    twips_ = TwipsPerPixel::Of(PixelsPerInch{LOWORD(resolution), HIWORD(resolution)});
    SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, kKeepOrderAndActivation);
    FitClientArea();

    // The controls let go of the old fonts before these are deleted.
    const auto oldFonts = std::move(fonts_);
    CreateFonts();
    LayOutControls();
    ShowPicture();
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void SettingsDialog::CreateToolTip(HINSTANCE instance) {
    // Owned by the dialog's hidden owner, so it goes with the dialog. Not by the dialog itself:
    // Wine moves a window's owned popups to the top first when the window is made topmost, then
    // places the window right below them, where it keeps its old band.
    const HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner_.Get(), nullptr, instance, nullptr);
    std::wstring text = Widen(LayoutOf(DialogControl::ClockPicture).toolTip);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(DialogControl::ClockPicture));
    tool.lpszText = text.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void SettingsDialog::ShowState(const DialogState& state) {
    const bool reshaped = DialogShape::Of(state) != Shape();
    ShowCheckBoxes(state);
    ShowSliders(state);
    ShowText(DialogControl::AmountLabel, state.amountText, shown_.amountText);
    ShowText(DialogControl::BrightnessAmountLabel, state.brightnessText, shown_.brightnessText);
    ShowText(DialogControl::VersionLabel, state.versionText, shown_.versionText);
    shown_ = state;
    if (reshaped) {
        FitClientArea();
        PlaceControls();
    }
}

void SettingsDialog::ShowCheckBoxes(const DialogState& state) {
    for (std::size_t i = 0; i < kCheckBoxControls.size(); ++i) {
        const HWND control = Control(kCheckBoxControls[i]);
        const DialogState::Box& box = state.boxes[i];
        if (box.state != shown_.boxes[i].state) {
            SendMessageW(control, BM_SETCHECK, ButtonStateOf(box.state), 0);
        }
        if (box.enabled != shown_.boxes[i].enabled) {
            EnableWindow(control, box.enabled ? TRUE : FALSE);
        }
    }
}

void SettingsDialog::ShowSliders(const DialogState& state) {
    const HWND translucency = Control(DialogControl::TranslucencySlider);
    MoveThumb(translucency, state.translucency);
    if (state.sliderEnabled != shown_.sliderEnabled) {
        EnableWindow(translucency, state.sliderEnabled ? TRUE : FALSE);
    }
    MoveThumb(Control(DialogControl::BrightnessSlider), state.brightness);
}

void SettingsDialog::ShowText(DialogControl label, const std::string& text,
                              const std::string& shown) {
    if (text != shown) {
        SetWindowTextW(Control(label), Widen(text).c_str());
    }
}

// The owner stays behind its owned dialog whatever their bands.
void SettingsDialog::BelongToHost(HostWindowId host) {
    const HWND hostWindow = HostWindowHandle(host);
    if (host == 0 || IsWindow(hostWindow) == FALSE) {
        return;
    }
    EnableHost(true);
    host_ = hostWindow;
    SetWindowLongPtrW(Hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(host_));
}

void SettingsDialog::Hide() {
    EnableHost(true);
    TopLevelWindow::Hide();
}

void SettingsDialog::EnableHost(bool enabled) {
    if (host_ == nullptr || hostDisabled_ == !enabled || IsWindow(host_) == FALSE) {
        return;
    }
    hostDisabled_ = !enabled;
    EnableWindow(host_, enabled ? TRUE : FALSE);
}

void SettingsDialog::ShowModal(const std::function<void()>& whenShown) {
    bool destroyed = false;
    destroyed_ = &destroyed;
    {
        const HWND dialog = Hwnd();
        const OtherWindowsDisabled others(dialog);
        EnableHost(false);
        Show();
        whenShown();
        MSG message{};
        while (!destroyed && IsWindowVisible(dialog)) {
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
                break;
            }
            if (got == -1) {
                break;
            }
            if (destroyed || !PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
    if (!destroyed) {
        destroyed_ = nullptr;
        EnableHost(true);
    }
}

bool SettingsDialog::PreTranslate(MSG& message) {
    const HWND dialog = Hwnd();
    if (dialog == nullptr || !IsWindowVisible(dialog)) {
        return false;
    }
    return IsDialogMessageW(dialog, &message) != FALSE;
}

INT_PTR CALLBACK SettingsDialog::DialogProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return FALSE;  // the focus is set when the dialog is shown
    }
    auto* self = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr || self->Hwnd() != window) {
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam) ? TRUE : FALSE;
}

bool SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return true;
        case WM_HSCROLL:
            return OnSlider(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        case WM_ACTIVATE:
            OnActivate(wParam, reinterpret_cast<HWND>(lParam));
            return true;
        case WM_SETFOCUS:
            // The dialog itself got the focus: it goes on to the control that had it last.
            RememberFocus(reinterpret_cast<HWND>(wParam));
            RestoreFocus();
            return true;
        case WM_KILLFOCUS:
            OnKillFocus(reinterpret_cast<HWND>(wParam));
            return false;
        case kTakeBackMessage:
            OnTakeBack();
            return true;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
                SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);
                return true;
            }
            return false;
        case WM_DPICHANGED:
            OnDpiChanged(wParam, *reinterpret_cast<const RECT*>(lParam));
            return true;
        case WM_DRAWITEM:
            if (wParam == static_cast<WPARAM>(IdOf(DialogControl::SeparatorLine))) {
                DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return true;
            }
            return false;
        case WM_CLOSE:
            // The program closes the dialog, which may destroy this object: touch nothing after.
            events_.OnEvent(CloseRequested{});
            return true;
        default:
            return false;
    }
}

void SettingsDialog::OnCommand(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {
        events_.OnEvent(OkPressed{});  // OK, Enter and Escape
    } else if (const auto box = CheckBoxWithId(id); box && code == BN_CLICKED) {
        events_.OnEvent(CheckBoxClicked{*box});
    } else if (id == IdOf(DialogControl::ClockPicture) &&
               (code == STN_CLICKED || code == STN_DBLCLK)) {
        events_.OnEvent(PictureClicked{});  // a double click is two clicks
    }
}

// Every step and every move of the dragged thumb; the end of a drag is no move of its own.
bool SettingsDialog::OnSlider(HWND slider, int code) {
    const bool translucency = slider == Control(DialogControl::TranslucencySlider);
    if (!translucency && slider != Control(DialogControl::BrightnessSlider)) {
        return false;
    }
    if (code != TB_ENDTRACK) {
        const int position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
        events_.OnEvent(translucency ? DialogEvent{SliderMoved{position}}
                                     : DialogEvent{BrightnessMoved{position}});
    }
    return true;
}

bool SettingsDialog::IsOtherWindowOfProgram(HWND other) const {
    return other != nullptr && other != Hwnd() && !IsChild(Hwnd(), other) &&
           GetWindow(other, GW_OWNER) != Hwnd() && OfThisProcess(other);
}

void SettingsDialog::RememberFocus(HWND focus) {
    if (focus != nullptr && IsChild(Hwnd(), focus)) {
        focusedControl_ = focus;
    }
}

void SettingsDialog::RestoreFocus() {
    HWND control = focusedControl_;
    if (control == nullptr || !IsChild(Hwnd(), control) || !IsWindowVisible(control) ||
        !IsWindowEnabled(control)) {
        control = GetNextDlgTabItem(Hwnd(), nullptr, FALSE);
    }
    if (control != nullptr) {
        ::SetFocus(control);
    }
}

void SettingsDialog::OnActivate(WPARAM wParam, HWND other) {
    if (LOWORD(wParam) != WA_INACTIVE) {
        RestoreFocus();
        events_.OnEvent(DialogActivated{});
        return;
    }
    // The focus is still on the control; it comes back there when the dialog is active again.
    RememberFocus(GetFocus());
    // Only the program's own windows give the activation back; another program keeps it.
    if (IsOtherWindowOfProgram(other)) {
        TakeBackLater();
    }
}

void SettingsDialog::OnKillFocus(HWND other) {
    if (IsOtherWindowOfProgram(GetAncestor(other, GA_ROOT))) {
        TakeBackLater();
    }
}

void SettingsDialog::TakeBackLater() {
    if (!takeBackPending_) {
        takeBackPending_ = true;
        PostMessageW(Hwnd(), kTakeBackMessage, 0, 0);
    }
}

void SettingsDialog::OnTakeBack() {
    if (!takeBackPending_) {
        return;
    }
    takeBackPending_ = false;
    // Meanwhile the user may have gone on to another program: then the dialog stays behind.
    if (IsWindowVisible(Hwnd()) && OfThisProcess(GetForegroundWindow()) &&
        GetActiveWindow() != Hwnd()) {
        events_.OnEvent(DialogLeft{});
    }
}

bool SettingsDialog::OnSetCursor(HWND over, int hitTest) {
    if (hitTest != HTCLIENT) {
        return false;  // the frame and the title bar keep the system's pointers
    }
    HCURSOR pointer = dialogPointer_;
    const std::optional<DialogControl> control =
        over != Hwnd() ? ControlWithId(GetDlgCtrlID(over)) : std::nullopt;
    if (control == DialogControl::ClockPicture) {
        pointer = picturePointer_;
    } else if (control) {
        const ControlKind kind = LayoutOf(*control).kind;
        if (kind == ControlKind::Button || kind == ControlKind::Slider ||
            kind == ControlKind::CheckBox) {
            pointer = handPointer_;
        }
    }
    SetCursor(pointer);
    return true;
}

void SettingsDialog::DrawLine(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_GRAYTEXT));
}

}  // namespace tavrino::win32
