#include "posix/dialog/DialogWindow.h"

#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "posix/dialog/DialogLayer.h"

namespace tavrino::posix::dialog {

namespace {

// A focus leaving for another window is judged once the window manager has named the new one.
constexpr guint kActivationSettleMs = 60;

// Compact widgets, so that the controls fit their places.
constexpr const char* kWidgetStyle = R"(
checkbutton { padding: 0; min-height: 0; }
checkbutton check { min-width: 13px; min-height: 13px; margin: 0 4px 0 0; padding: 0; }
button { padding: 0; min-height: 0; }
scale { padding: 0; margin: 0; min-height: 0; }
scale trough { min-height: 4px; margin: 0 6px; }
scale slider { min-width: 11px; min-height: 11px; margin: -5px; }
separator { background-color: #8c8c8c; min-height: 2px; }
)";

struct StyleLook {
    const char* name;        // of the widget that shows the text; none for the standard style
    const char* fontFamily;  // none: the standard one
};

// Indexed by TextStyle: the faces of the Windows dialog, or what stands in for them.
constexpr std::array<StyleLook, kTextStyleSizes.size()> kStyleLooks{{
    {nullptr, R"("Liberation Sans", Arial, sans-serif)"},
    {"title", R"("Comic Sans MS", "URW Gothic", sans-serif)"},
    {"credit", nullptr},
    {"version", nullptr},
    {"button", nullptr},
    {"caption", nullptr},
}};

std::string FontRules(const StyleLook& look, const TextStyleSize& size) {
    std::array<char, 16> points{};
    const auto written = std::to_chars(points.data(), points.data() + points.size(), size.points);
    std::string rules = look.fontFamily != nullptr
                            ? std::string("font-family: ") + look.fontFamily + "; "
                            : std::string();
    rules.append("font-size: ").append(points.data(), written.ptr).append("pt;");
    return size.bold ? rules + " font-weight: bold;" : rules;
}

// Every text style as a rule for the widgets of its name (the standard one for all), then the
// widgets' own.
std::string StyleSheet() {
    std::string sheet = "* { " + FontRules(kStyleLooks[0], kTextStyleSizes[0]) + " }\n";
    for (std::size_t i = 1; i < kStyleLooks.size(); ++i) {
        const std::string name = std::string("#") + kStyleLooks[i].name;
        sheet.append(name).append(", ").append(name).append(" * { ");
        sheet.append(FontRules(kStyleLooks[i], kTextStyleSizes[i])).append(" }\n");
    }
    return sheet + kWidgetStyle;
}

void InstallStyle() {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, StyleSheet().c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

void NameForStyle(GtkWidget* widget, TextStyle style) {
    const char* name = kStyleLooks[static_cast<std::size_t>(style)].name;
    if (name != nullptr) {
        gtk_widget_set_name(widget, name);
    }
}

// The text with GTK's mark before the access key instead of the layout's.
std::string MnemonicText(std::string_view text) {
    std::string marked;
    for (const char character : text) {
        if (character == '&') {
            marked += '_';
        } else if (character == '_') {
            marked += "__";  // a plain underscore
        } else {
            marked += character;
        }
    }
    return marked;
}

float AlignmentOf(TextAlign align) {
    switch (align) {
        case TextAlign::Centre:
            return 0.5f;
        case TextAlign::Right:
            return 1.0f;
        case TextAlign::Left:
            break;
    }
    return 0.0f;
}

constexpr bool HasAccessKey(std::string_view text) {
    return text.find('&') != std::string_view::npos;
}

// A label with an access key names the control that follows it in the table, which takes the
// focus from it.
constexpr bool AccessKeyLabelsComeBeforeTheirControl() {
    for (std::size_t i = 0; i < kDialogControls.size(); ++i) {
        const DialogControlLayout& label = kDialogControls[i];
        if (label.kind != ControlKind::Label || !HasAccessKey(label.text)) {
            continue;
        }
        const ControlKind next =
            i + 1 < kDialogControls.size() ? kDialogControls[i + 1].kind : ControlKind::Label;
        if (next != ControlKind::Slider && next != ControlKind::CheckBox &&
            next != ControlKind::Button) {
            return false;
        }
    }
    return true;
}
static_assert(AccessKeyLabelsComeBeforeTheirControl());

const SliderRange& RangeOf(DialogControl slider) {
    return slider == DialogControl::BrightnessSlider ? kBrightnessSlider : kTranslucencySlider;
}

std::string ValidText(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    std::string result(valid);
    g_free(valid);
    return result;
}

// The access keys stay underlined, as in the Windows dialog, not only while Alt is held.
void KeepMnemonicsVisible(GtkWindow* window, GParamSpec*, gpointer) {
    if (!gtk_window_get_mnemonics_visible(window)) {
        gtk_window_set_mnemonics_visible(window, TRUE);
    }
}

// One 32-bit value of a window's property (a window, a process id), or 0.
unsigned long PropertyValue(Display* display, ::Window window, const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    unsigned long value = 0;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, type,
                           &actualType, &format, &count, &after, &data) == Success &&
        format == 32 && count == 1) {
        value = *reinterpret_cast<const unsigned long*>(data);  // Xlib hands out longs
    }
    if (data != nullptr) {
        XFree(data);
    }
    return value;
}

// The process that owns the active window, from the window manager's _NET_ACTIVE_WINDOW and the
// window's _NET_WM_PID; 0 when unknown.
pid_t OwnerOfActiveWindow() {
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(display)) {
        return 0;
    }
    Display* x = gdk_x11_display_get_xdisplay(display);
    const auto active = static_cast<::Window>(
        PropertyValue(x, DefaultRootWindow(x), "_NET_ACTIVE_WINDOW", XA_WINDOW));
    return active == None
               ? 0
               : static_cast<pid_t>(PropertyValue(x, active, "_NET_WM_PID", XA_CARDINAL));
}

}  // namespace

DialogWindow::DialogWindow(Reporter report, PixelsPerInch resolution)
    : report_(std::move(report)), twips_(TwipsPerPixel::Of(resolution)) {
    if (resolution.y > 0) {
        gdk_screen_set_resolution(gdk_screen_get_default(), resolution.y);
    }
    InstallStyle();
    Build();
}

DialogWindow::~DialogWindow() {
    if (activationCheck_ != 0) {
        g_source_remove(activationCheck_);
    }
    if (host_ != nullptr) {
        g_object_unref(host_);
    }
    gtk_widget_destroy(window_);
}

void DialogWindow::Build() {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    onLayer_ = MakeLayerSurface(GTK_WINDOW(window_));
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), TRUE);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
    viewport_ = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(viewport_), GTK_POLICY_EXTERNAL,
                                   GTK_POLICY_EXTERNAL);
    const DialogShape shape = DialogShape::Of(shown_);
    const PixelRect client = ClientPixels(shape, twips_);
    gtk_widget_set_size_request(viewport_, client.Width(), client.Height());
    fixed_ = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(viewport_), fixed_);
    gtk_container_add(GTK_CONTAINER(window_), viewport_);
    // The frames first, so that the controls lie over them.
    for (const bool frames : {true, false}) {
        for (const DialogControlLayout& control : kDialogControls) {
            if ((control.kind == ControlKind::Frame) == frames) {
                BuildControl(control);
            }
        }
    }
    LinkAccessKeyLabels();
    gtk_widget_grab_focus(Widget(DialogControl::OkButton));

    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "configure-event", G_CALLBACK(OnConfigure), this);
    g_signal_connect(window_, "map-event", G_CALLBACK(OnMapped), this);
    g_signal_connect(window_, "unmap-event", G_CALLBACK(OnUnmapped), this);
    g_signal_connect(window_, "focus-in-event", G_CALLBACK(OnFocusIn), this);
    g_signal_connect(window_, "focus-out-event", G_CALLBACK(OnFocusOut), this);
    g_signal_connect(window_, "notify::mnemonics-visible", G_CALLBACK(KeepMnemonicsVisible),
                     nullptr);
    gtk_window_set_mnemonics_visible(GTK_WINDOW(window_), TRUE);
    gtk_widget_show_all(viewport_);
    ShowControlsOf(shape);
    gtk_widget_realize(window_);
}

void DialogWindow::BuildControl(const DialogControlLayout& control) {
    GtkWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Button:
            widget = gtk_button_new_with_mnemonic(MnemonicText(control.text).c_str());
            NameForStyle(widget, control.style);
            if (control.control == DialogControl::OkButton) {
                g_signal_connect(widget, "clicked", G_CALLBACK(OnOkClicked), this);
            }
            break;
        case ControlKind::CheckBox:
            widget = gtk_check_button_new_with_mnemonic(MnemonicText(control.text).c_str());
            NameForStyle(widget, control.style);
            g_signal_connect(widget, "clicked", G_CALLBACK(OnCheckBoxClicked), this);
            break;
        case ControlKind::Slider:
            widget = MakeSlider(RangeOf(control.control));
            break;
        case ControlKind::Frame:
            widget = MakeFrame(control);
            break;
        case ControlKind::Label:
            widget = MakeLabel(control);
            break;
        case ControlKind::Line:
            widget = gtk_separator_new(GTK_ORIENTATION_HORIZONTAL);
            break;
        case ControlKind::Picture:
            widget = MakePicture();
            break;
    }
    if (!control.toolTip.empty()) {
        gtk_widget_set_tooltip_text(widget, std::string(control.toolTip).c_str());
    }
    widgets_.at(static_cast<std::size_t>(control.control)) = widget;
    Put(widget, control.control);
}

void DialogWindow::LinkAccessKeyLabels() {
    for (std::size_t i = 0; i + 1 < kDialogControls.size(); ++i) {
        if (kDialogControls[i].kind == ControlKind::Label &&
            HasAccessKey(kDialogControls[i].text)) {
            gtk_label_set_mnemonic_widget(GTK_LABEL(widgets_[i]), widgets_[i + 1]);
        }
    }
}

GtkWidget* DialogWindow::MakeFrame(const DialogControlLayout& control) {
    GtkWidget* frame = gtk_frame_new(nullptr);
    if (!control.text.empty()) {
        GtkWidget* caption = gtk_label_new(std::string(control.text).c_str());
        NameForStyle(caption, control.style);
        gtk_frame_set_label_widget(GTK_FRAME(frame), caption);
    }
    return frame;
}

// The picture inside a sunken border, taking clicks.
GtkWidget* DialogWindow::MakePicture() {
    const PixelRect size = twips_.BoxPixels(kClockPictureSize);
    picture_ = DrawClockPicture(size.Width(), size.Height());
    GtkWidget* border = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(border), GTK_SHADOW_IN);
    GtkWidget* clickable = gtk_event_box_new();
    gtk_container_add(GTK_CONTAINER(clickable), gtk_image_new_from_surface(picture_.get()));
    gtk_container_add(GTK_CONTAINER(border), clickable);
    g_signal_connect(clickable, "button-press-event", G_CALLBACK(OnPicturePressed), this);
    return border;
}

GtkWidget* DialogWindow::MakeLabel(const DialogControlLayout& control) {
    GtkWidget* label = HasAccessKey(control.text)
                           ? gtk_label_new_with_mnemonic(MnemonicText(control.text).c_str())
                           : gtk_label_new(std::string(control.text).c_str());
    NameForStyle(label, control.style);
    gtk_label_set_xalign(GTK_LABEL(label), AlignmentOf(control.align));
    return label;
}

GtkWidget* DialogWindow::MakeSlider(const SliderRange& range) {
    GtkWidget* slider = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, range.minimum,
                                                 range.maximum, range.step);
    gtk_scale_set_draw_value(GTK_SCALE(slider), FALSE);
    gtk_range_set_increments(GTK_RANGE(slider), range.step, range.page);
    gtk_range_set_round_digits(GTK_RANGE(slider), 0);
    g_signal_connect(slider, "value-changed", G_CALLBACK(OnSliderChanged), this);
    return slider;
}

GtkWidget* DialogWindow::Widget(DialogControl control) const {
    return widgets_.at(static_cast<std::size_t>(control));
}

void DialogWindow::Put(GtkWidget* widget, DialogControl control) {
    const PixelRect box = ControlPixels(control, DialogShape::Of(shown_), twips_);
    gtk_widget_set_size_request(widget, box.Width(), box.Height());
    gtk_fixed_put(GTK_FIXED(fixed_), widget, box.left, box.top);
}

void DialogWindow::Apply(const Command& command) {
    applying_ = true;
    std::visit([this](const auto& what) { Do(what); }, command);
    applying_ = false;
}

void DialogWindow::Do(const command::Open&) {}  // the window is made already

void DialogWindow::Do(const command::ShowState& command) {
    const DialogState& state = command.state;
    ShowCheckBoxes(state);
    ShowSlider(DialogControl::TranslucencySlider, unansweredTranslucencyMoves_, state.translucency);
    ShowSlider(DialogControl::BrightnessSlider, unansweredBrightnessMoves_, state.brightness);
    if (state.sliderEnabled != shown_.sliderEnabled) {
        gtk_widget_set_sensitive(Widget(DialogControl::TranslucencySlider), state.sliderEnabled);
    }
    if (state.amountText != shown_.amountText) {
        ShowText(DialogControl::AmountLabel, state.amountText);
    }
    if (state.versionText != shown_.versionText) {
        ShowText(DialogControl::VersionLabel, state.versionText);
    }
    if (state.brightnessText != shown_.brightnessText) {
        ShowText(DialogControl::BrightnessAmountLabel, state.brightnessText);
    }
    const DialogShape shape = DialogShape::Of(state);
    if (shape != DialogShape::Of(shown_)) {
        ShowShape(DialogShape::Of(shown_), shape);
    }
    shown_ = state;
}

void DialogWindow::ShowCheckBoxes(const DialogState& state) {
    for (std::size_t i = 0; i < kCheckBoxControls.size(); ++i) {
        const auto box = static_cast<CheckBox>(i);
        if (state.boxes[i].state != shown_.boxes[i].state) {
            ShowCheckBox(box, state.boxes[i].state);
        }
        if (state.boxes[i].enabled != shown_.boxes[i].enabled) {
            gtk_widget_set_sensitive(CheckBoxWidget(box), state.boxes[i].enabled);
        }
    }
}

// The clock answers every move of a slider with the position it took. The answer to a move the
// user has gone on from since leaves the slider where the user has it.
void DialogWindow::ShowSlider(DialogControl slider, std::deque<int>& unanswered, int position) {
    const auto answered = std::find(unanswered.begin(), unanswered.end(), position);
    if (answered != unanswered.end()) {
        unanswered.erase(unanswered.begin(), answered + 1);
        return;
    }
    unanswered.clear();
    GtkRange* range = GTK_RANGE(Widget(slider));
    if (std::lround(gtk_range_get_value(range)) != position) {
        gtk_range_set_value(range, position);
    }
}

void DialogWindow::ShowText(DialogControl label, const std::string& text) {
    gtk_label_set_text(GTK_LABEL(Widget(label)), ValidText(text).c_str());
}

// Relative to the size the window has, which the clock may have set.
void DialogWindow::ShowShape(const DialogShape& from, const DialogShape& to) {
    int width = 0;
    int height = 0;
    gtk_widget_get_size_request(viewport_, &width, &height);
    const int growth = ClientPixels(to, twips_).Height() - ClientPixels(from, twips_).Height();
    gtk_widget_set_size_request(viewport_, width, std::max(1, height + growth));
    for (const DialogControlLayout& control : kDialogControls) {
        const PixelRect place = ControlPixels(control.control, to, twips_);
        gtk_fixed_move(GTK_FIXED(fixed_), Widget(control.control), place.left, place.top);
    }
    ShowControlsOf(to);
}

void DialogWindow::ShowControlsOf(const DialogShape& shape) {
    for (const DialogControlLayout& control : kDialogControls) {
        gtk_widget_set_visible(Widget(control.control), ControlShown(control.control, shape));
    }
}

void DialogWindow::ShowCheckBox(CheckBox box, CheckState state) {
    GtkToggleButton* toggle = GTK_TOGGLE_BUTTON(CheckBoxWidget(box));
    gtk_toggle_button_set_inconsistent(toggle, state == CheckState::Greyed);
    gtk_toggle_button_set_active(toggle, state == CheckState::Ticked);
}

// The rectangle is the window's outer edges; the controls' area gets what the frame leaves.
void DialogWindow::Do(const command::SetRect& command) {
    const PixelRect& rect = command.rect;
    GdkWindow* window = gtk_widget_get_window(window_);
    GdkRectangle outer{};
    gdk_window_get_frame_extents(window, &outer);
    const int frameWidth = outer.width - gdk_window_get_width(window);
    const int frameHeight = outer.height - gdk_window_get_height(window);
    gtk_widget_set_size_request(viewport_, std::max(1, rect.Width() - frameWidth),
                                std::max(1, rect.Height() - frameHeight));
    if (!onLayer_) {  // the compositor places a layer surface
        gtk_window_move(GTK_WINDOW(window_), rect.left, rect.top);
    }
}

void DialogWindow::Do(const command::Show&) {
    gtk_widget_show(window_);
}

void DialogWindow::Do(const command::Hide&) {
    gtk_widget_hide(window_);
}

// Only from this program or the clock: another program keeps the focus it has.
void DialogWindow::Do(const command::Focus&) {
    const pid_t owner = OwnerOfActiveWindow();
    if (owner == getpid() || owner == getppid()) {
        gtk_window_present(GTK_WINDOW(window_));
    }
}

void DialogWindow::Do(const command::SetTitle& command) {
    gtk_window_set_title(GTK_WINDOW(window_), ValidText(command.title).c_str());
}

void DialogWindow::Do(const command::SetOnTop& command) {
    gtk_window_set_keep_above(GTK_WINDOW(window_), command.onTop);
    gtk_window_present(GTK_WINDOW(window_));
}

void DialogWindow::Do(const command::BelongToHost& command) {
    GdkDisplay* display = gdk_display_get_default();
    if (command.host <= 0 || !GDK_IS_X11_DISPLAY(display)) {
        return;
    }
    GdkWindow* foreign =
        gdk_x11_window_foreign_new_for_display(display, static_cast<::Window>(command.host));
    if (foreign == nullptr) {
        return;  // no such window
    }
    if (host_ != nullptr) {
        g_object_unref(host_);
    }
    host_ = foreign;
    gdk_window_set_transient_for(gtk_widget_get_window(window_), host_);
}

void DialogWindow::Do(const command::ShowModal&) {
    gtk_window_set_modal(GTK_WINDOW(window_), host_ != nullptr);
    if (visible_) {
        report_(report::Shown{});
        return;
    }
    modalPending_ = true;
    gtk_widget_show(window_);
}

void DialogWindow::Do(const command::Close&) {
    gtk_main_quit();
}

void DialogWindow::ReportPlace() {
    GdkRectangle outer{};
    gdk_window_get_frame_extents(gtk_widget_get_window(window_), &outer);
    lastPlace_ = {outer.x, outer.y, outer.x + outer.width, outer.y + outer.height};
    report_(report::Placed{lastPlace_});
}

void DialogWindow::ReportPlaceIfMoved() {
    GdkRectangle outer{};
    gdk_window_get_frame_extents(gtk_widget_get_window(window_), &outer);
    if (PixelRect{outer.x, outer.y, outer.x + outer.width, outer.y + outer.height} != lastPlace_) {
        ReportPlace();
    }
}

void DialogWindow::OnCheckBoxClicked(GtkButton* button, gpointer self) {
    auto& dialog = *static_cast<DialogWindow*>(self);
    if (dialog.applying_) {
        return;
    }
    for (std::size_t i = 0; i < kCheckBoxControls.size(); ++i) {
        if (dialog.Widget(kCheckBoxControls[i]) == GTK_WIDGET(button)) {
            // The box keeps showing what the clock said until the clock says otherwise.
            dialog.applying_ = true;
            dialog.ShowCheckBox(static_cast<CheckBox>(i), dialog.shown_.boxes[i].state);
            dialog.applying_ = false;
            dialog.report_(CheckBoxClicked{static_cast<CheckBox>(i)});
        }
    }
}

void DialogWindow::OnSliderChanged(GtkRange* range, gpointer self) {
    auto& dialog = *static_cast<DialogWindow*>(self);
    if (dialog.applying_) {
        return;
    }
    const auto position = static_cast<int>(std::lround(gtk_range_get_value(range)));
    if (GTK_WIDGET(range) == dialog.Widget(DialogControl::BrightnessSlider)) {
        dialog.unansweredBrightnessMoves_.push_back(position);
        dialog.report_(BrightnessMoved{position});
    } else {
        dialog.unansweredTranslucencyMoves_.push_back(position);
        dialog.report_(SliderMoved{position});
    }
}

void DialogWindow::OnOkClicked(GtkButton*, gpointer self) {
    static_cast<DialogWindow*>(self)->report_(OkPressed{});
}

// Enter and Escape act as OK anywhere in the dialog.
gboolean DialogWindow::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    if (event->keyval == GDK_KEY_Escape || event->keyval == GDK_KEY_Return ||
        event->keyval == GDK_KEY_KP_Enter) {
        static_cast<DialogWindow*>(self)->report_(OkPressed{});
        return TRUE;
    }
    return FALSE;
}

// The clock decides what closing means; the window stays until it is told.
gboolean DialogWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<DialogWindow*>(self)->report_(CloseRequested{});
    return TRUE;
}

gboolean DialogWindow::OnPicturePressed(GtkWidget*, GdkEventButton* event, gpointer self) {
    if (event->type == GDK_BUTTON_PRESS && event->button == GDK_BUTTON_PRIMARY) {
        static_cast<DialogWindow*>(self)->report_(PictureClicked{});
    }
    return TRUE;
}

gboolean DialogWindow::OnConfigure(GtkWidget*, GdkEventConfigure*, gpointer self) {
    static_cast<DialogWindow*>(self)->ReportPlaceIfMoved();
    return FALSE;
}

gboolean DialogWindow::OnMapped(GtkWidget*, GdkEvent*, gpointer self) {
    auto& dialog = *static_cast<DialogWindow*>(self);
    dialog.visible_ = true;
    dialog.report_(report::Visibility{true});
    dialog.ReportPlaceIfMoved();
    if (dialog.modalPending_) {
        dialog.modalPending_ = false;
        dialog.report_(report::Shown{});
    }
    return FALSE;
}

gboolean DialogWindow::OnUnmapped(GtkWidget*, GdkEvent*, gpointer self) {
    auto& dialog = *static_cast<DialogWindow*>(self);
    dialog.visible_ = false;
    dialog.report_(report::Visibility{false});
    return FALSE;
}

gboolean DialogWindow::OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self) {
    static_cast<DialogWindow*>(self)->report_(DialogActivated{});
    return FALSE;
}

gboolean DialogWindow::OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
    auto& dialog = *static_cast<DialogWindow*>(self);
    if (dialog.activationCheck_ == 0) {
        dialog.activationCheck_ = g_timeout_add(kActivationSettleMs, OnActivationSettled, self);
    }
    return FALSE;
}

gboolean DialogWindow::OnActivationSettled(gpointer self) {
    auto& dialog = *static_cast<DialogWindow*>(self);
    dialog.activationCheck_ = 0;
    dialog.CheckActivation();
    return G_SOURCE_REMOVE;
}

// Only a window of the clock, the process that started this one, counts as the program's own:
// the clock then takes the activation back for the dialog. Another program keeps it.
void DialogWindow::CheckActivation() {
    if (!visible_ || gtk_window_is_active(GTK_WINDOW(window_))) {
        return;
    }
    if (OwnerOfActiveWindow() == getppid()) {
        report_(DialogLeft{});
    }
}

}  // namespace tavrino::posix::dialog
