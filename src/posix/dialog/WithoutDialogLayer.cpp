// A build without gtk-layer-shell: the dialog is an ordinary window everywhere.
#include "posix/dialog/DialogLayer.h"

namespace tavrino::posix::dialog {

bool MakeLayerSurface(GtkWindow* /*window*/) {
    return false;
}

}  // namespace tavrino::posix::dialog
