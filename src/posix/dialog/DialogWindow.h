// The settings dialog program's window, in GTK 3: the controls of program/SettingsDialogLayout.h,
// laid out at the clock's resolution in the shape of the state the clock sends, showing only what
// the clock sends, and reporting every click, key and move. A click on a check box leaves the box
// as it was until the clock sends its new state.
#pragma once

#include <gtk/gtk.h>

#include <array>
#include <deque>
#include <functional>
#include <string>

#include "posix/dialog/ClockPicture.h"
#include "posix/dialog/DialogProtocol.h"
#include "program/SettingsDialogLayout.h"
#include "program/Twips.h"

namespace tavrino::posix::dialog {

class DialogWindow {
  public:
    using Reporter = std::function<void(const Report&)>;

    // Lays the controls out at the resolution; the screen's fonts follow it too.
    DialogWindow(Reporter report, PixelsPerInch resolution);
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    ~DialogWindow();

    void Apply(const Command& command);
    // Reports where the window is now, even when that has not changed.
    void ReportPlace();

  private:
    void Build();
    // The control's widget, put at its place, with its signals.
    void BuildControl(const DialogControlLayout& control);
    GtkWidget* MakeFrame(const DialogControlLayout& control);
    GtkWidget* MakePicture();
    GtkWidget* MakeLabel(const DialogControlLayout& control);
    GtkWidget* MakeSlider(const SliderRange& range);
    // A label's access key goes to the control after it.
    void LinkAccessKeyLabels();
    GtkWidget* Widget(DialogControl control) const;
    GtkWidget* CheckBoxWidget(CheckBox box) const { return Widget(ControlOf(box)); }
    void Put(GtkWidget* widget, DialogControl control);
    void Do(const command::Open& command);
    void Do(const command::ShowState& command);
    void Do(const command::SetRect& command);
    void Do(const command::Show& command);
    void Do(const command::Hide& command);
    void Do(const command::Focus& command);
    void Do(const command::SetTitle& command);
    void Do(const command::SetOnTop& command);
    void Do(const command::BelongToHost& command);
    void Do(const command::ShowModal& command);
    void Do(const command::Close& command);
    void ShowCheckBox(CheckBox box, CheckState state);
    void ShowCheckBoxes(const DialogState& state);
    // The slider's position as the clock has it; unanswered: the user's moves it has yet to answer.
    void ShowSlider(DialogControl slider, std::deque<int>& unanswered, int position);
    void ShowText(DialogControl label, const std::string& text);
    // Grows or shrinks the window by what the client area does between the shapes, and puts each
    // control where the new shape has it, or hides it.
    void ShowShape(const DialogShape& from, const DialogShape& to);
    void ShowControlsOf(const DialogShape& shape);
    void ReportPlaceIfMoved();
    void CheckActivation();

    static void OnCheckBoxClicked(GtkButton* button, gpointer self);
    static void OnSliderChanged(GtkRange* range, gpointer self);
    static void OnOkClicked(GtkButton* button, gpointer self);
    static gboolean OnKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnPicturePressed(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer self);
    static gboolean OnMapped(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnUnmapped(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnFocusIn(GtkWidget* widget, GdkEventFocus* event, gpointer self);
    static gboolean OnFocusOut(GtkWidget* widget, GdkEventFocus* event, gpointer self);
    static gboolean OnActivationSettled(gpointer self);

    Reporter report_;
    TwipsPerPixel twips_;
    GtkWidget* window_ = nullptr;    // destroyed with this; owns every widget below
    GtkWidget* viewport_ = nullptr;  // clips the controls to the window's size
    GtkWidget* fixed_ = nullptr;
    std::array<GtkWidget*, kDialogControls.size()> widgets_{};  // indexed by DialogControl
    DialogState shown_ = StateAsMade();                         // what the controls show
    // Each slider's moves the clock has yet to answer.
    std::deque<int> unansweredTranslucencyMoves_;
    std::deque<int> unansweredBrightnessMoves_;
    CairoSurface picture_;
    GdkWindow* host_ = nullptr;  // a reference of ours
    // Set while the clock's state is put into the controls, so that it reads as no user action.
    bool applying_ = false;
    bool modalPending_ = false;
    bool visible_ = false;
    bool onLayer_ = false;  // a layer surface over the Wayland clock's
    PixelRect lastPlace_;
    guint activationCheck_ = 0;
};

}  // namespace tavrino::posix::dialog
