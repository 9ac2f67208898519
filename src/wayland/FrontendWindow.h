// What the Wayland frontend needs of its clock window besides the seam's part: the program's
// events, the outputs' first answers, the canvas the faces are drawn on, the monitors as the
// program lays its faces out on them, and the output the settings dialog is shown on. Two kinds
// implement it: the screensaver's and the module's surfaces over every output (ClockWindow) and
// the desktop clock on one output (DesktopWindow).
#pragma once

#include <vector>

#include "seam/ClockWindow.h"
#include "seam/Image.h"

namespace tavrino::wayland {

class FrontendWindow : public tavrino::ClockWindow {
  public:
    virtual void SetEvents(ClockWindowEvents& events) = 0;
    virtual void DisconnectEvents() = 0;
    // Waits for the compositor to tell the outputs it has now.
    virtual void AwaitOutputs() = 0;
    // Destroys the surfaces now (the end of the process).
    virtual void Destroy() = 0;
    virtual Canvas& FaceCanvas() = 0;
    // The primary first, at 0,0.
    virtual std::vector<PixelRect> Monitors() const = 0;
    // The output the dialog goes on, by its place in the order the compositor announced the
    // outputs, which is the order a toolkit on the same compositor lists its monitors in; -1 for
    // none.
    virtual int DialogOutputIndex() const = 0;
};

}  // namespace tavrino::wayland
