#include "x11/Screen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "x11/XProperty.h"

namespace tavrino::x11 {

namespace {

PixelRect Shifted(const PixelRect& rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

PixelsPerInch ResolutionOf(const char* resources) {
    constexpr std::string_view kName = "Xft.dpi:";
    const std::string_view text = resources != nullptr ? resources : "";
    std::size_t at = 0;
    while ((at = text.find(kName, at)) != std::string_view::npos) {
        if (at == 0 || text[at - 1] == '\n') {
            const double dpi = std::strtod(text.data() + at + kName.size(), nullptr);
            if (dpi >= 1 && dpi < 10000) {
                const int whole = static_cast<int>(std::lround(dpi));
                return {whole, whole};
            }
        }
        at += kName.size();
    }
    return {};
}

Screen::Screen(Display* display, const Atoms& atoms)
    : display_(display), atoms_(atoms), root_(XDefaultRootWindow(display)) {
    int error = 0;
    int major = 0;
    int minor = 0;
    if (XRRQueryExtension(display, &randrEventBase_, &error) == True &&
        XRRQueryVersion(display, &major, &minor) != 0) {
        randrMonitors_ = major > 1 || (major == 1 && minor >= 5);
        XRRSelectInput(
            display, root_,
            RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    } else {
        randrEventBase_ = -1;
    }
}

PixelsPerInch Screen::Resolution() const {
    return ResolutionOf(XResourceManagerString(display_));
}

std::vector<PixelRect> Screen::RandrMonitors() const {
    std::vector<PixelRect> monitors;
    int count = 0;
    XRRMonitorInfo* found = XRRGetMonitors(display_, root_, True, &count);
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = found[i];
        const PixelRect rect{m.x, m.y, m.x + m.width, m.y + m.height};
        monitors.insert(m.primary != 0 ? monitors.begin() : monitors.end(), rect);
    }
    if (found != nullptr) {
        XRRFreeMonitors(found);
    }
    return monitors;
}

std::vector<PixelRect> Screen::XineramaMonitors() const {
    std::vector<PixelRect> monitors;
    int count = 0;
    XineramaScreenInfo* found =
        XineramaIsActive(display_) == True ? XineramaQueryScreens(display_, &count) : nullptr;
    for (int i = 0; i < count; ++i) {
        const XineramaScreenInfo& s = found[i];
        monitors.push_back({s.x_org, s.y_org, s.x_org + s.width, s.y_org + s.height});
    }
    if (found != nullptr) {
        XFree(found);
    }
    return monitors;
}

std::vector<PixelRect> Screen::MonitorsOnRoot() const {
    std::vector<PixelRect> monitors = randrMonitors_ ? RandrMonitors() : XineramaMonitors();
    if (monitors.empty()) {
        const int screen = XDefaultScreen(display_);
        monitors.push_back(
            {0, 0, XDisplayWidth(display_, screen), XDisplayHeight(display_, screen)});
    }
    return monitors;
}

PixelRect Screen::RootOrigin() const {
    return MonitorsOnRoot().front();
}

PixelRect Screen::PrimaryMonitor() const {
    const PixelRect primary = MonitorsOnRoot().front();
    return Shifted(primary, -primary.left, -primary.top);
}

std::vector<PixelRect> Screen::Monitors() const {
    std::vector<PixelRect> monitors = MonitorsOnRoot();
    const PixelRect primary = monitors.front();
    for (PixelRect& monitor : monitors) {
        monitor = Shifted(monitor, -primary.left, -primary.top);
    }
    return monitors;
}

// The work area is the desktop's, over all monitors; its part on the primary is the primary's.
PixelRect Screen::PrimaryWorkArea() const {
    const PixelRect primary = MonitorsOnRoot().front();
    PixelRect area = primary;
    const std::vector<long> workArea = ReadCardinals(display_, root_, atoms_.netWorkarea, 4);
    if (workArea.size() == 4) {
        const PixelRect desk{static_cast<int>(workArea[0]), static_cast<int>(workArea[1]),
                             static_cast<int>(workArea[0] + workArea[2]),
                             static_cast<int>(workArea[1] + workArea[3])};
        const PixelRect both{std::max(desk.left, primary.left), std::max(desk.top, primary.top),
                             std::min(desk.right, primary.right),
                             std::min(desk.bottom, primary.bottom)};
        if (both.Width() > 0 && both.Height() > 0) {
            area = both;
        }
    }
    return Shifted(area, -primary.left, -primary.top);
}

void Screen::MovePointer(int x, int y) {
    const PixelRect origin = RootOrigin();
    XWarpPointer(display_, 0, root_, 0, 0, 0, 0, x + origin.left, y + origin.top);
    XFlush(display_);
}

bool Screen::IsMonitorChange(XEvent& event) const {
    if (randrEventBase_ < 0 || (event.type != randrEventBase_ + RRScreenChangeNotify &&
                                event.type != randrEventBase_ + RRNotify)) {
        return false;
    }
    XRRUpdateConfiguration(&event);
    return true;
}

}  // namespace tavrino::x11
