// Reading and writing the window properties the frontend uses, as 32-bit items.
#pragma once

#include <string_view>
#include <vector>

#include "x11/XHeaders.h"

namespace tavrino::x11 {

// Up to `count` CARDINAL items of the property; empty when it is absent or of another type.
std::vector<long> ReadCardinals(Display* display, XWindow window, Atom property, long count);
void WriteCardinals(Display* display, XWindow window, Atom property,
                    const std::vector<long>& items);
// 32-bit items of the given type (_MOTIF_WM_HINTS is its own type).
void WriteItems(Display* display, XWindow window, Atom property, Atom type,
                const std::vector<long>& items);
void WriteAtoms(Display* display, XWindow window, Atom property, const std::vector<Atom>& atoms);
void WriteUtf8(Display* display, XWindow window, Atom property, Atom utf8, std::string_view text);

}  // namespace tavrino::x11
