// The dialog above the clock's own layer surfaces on Wayland: an overlay layer surface of its own,
// which the compositor centres on the output, since there a client neither places its windows nor
// stacks them over layer surfaces. Everywhere else the window stays an ordinary one.
#pragma once

#include <gtk/gtk.h>

namespace tavrino::posix::dialog {

// Makes the window a layer surface when the clock asked for one and the display is Wayland; only
// before the window is realised. True when it did.
bool MakeLayerSurface(GtkWindow* window);

}  // namespace tavrino::posix::dialog
