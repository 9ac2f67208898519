#include "x11/XProperty.h"

namespace tavrino::x11 {

std::vector<long> ReadCardinals(Display* display, XWindow window, Atom property, long count) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, property, 0, count, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        type == XA_CARDINAL && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* longs = reinterpret_cast<const long*>(data);
        values.assign(longs, longs + items);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

void WriteCardinals(Display* display, XWindow window, Atom property,
                    const std::vector<long>& items) {
    WriteItems(display, window, property, XA_CARDINAL, items);
}

void WriteItems(Display* display, XWindow window, Atom property, Atom type,
                const std::vector<long>& items) {
    XChangeProperty(display, window, property, type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
}

void WriteAtoms(Display* display, XWindow window, Atom property, const std::vector<Atom>& atoms) {
    XChangeProperty(display, window, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()),
                    static_cast<int>(atoms.size()));
}

void WriteUtf8(Display* display, XWindow window, Atom property, Atom utf8, std::string_view text) {
    XChangeProperty(display, window, property, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

}  // namespace tavrino::x11
