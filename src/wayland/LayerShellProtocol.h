// The layer shell's generated client header, which names an argument "namespace", a keyword of
// C++: the name is changed while it is read.
#pragma once

#include <wayland-client.h>

#define namespace layerNamespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
