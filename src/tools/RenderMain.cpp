// tavrino-render: draws one full clock face on a fresh black raster surface, exactly as the
// program paints it, and writes it to a PNG file.
#include <cstdio>
#include <ctime>
#include <exception>
#include <new>
#include <string_view>
#include <vector>

#include "clockface/FaceDrift.h"
#include "clockface/Tavrino.h"
#include "clockface/TimeOverride.h"
#include "surface/ImageSurface.h"
#include "tools/PngFile.h"
#include "tools/RenderOptions.h"

namespace {

constexpr int kBadInput = 2;

tavrino::LocalTime CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return {};
    }
    return {local->tm_hour, local->tm_min, local->tm_sec % 60};
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "tavrino-render: %s\n", message.c_str());
    return kBadInput;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tavrino::ParsedRenderOptions parsed = tavrino::ParseRenderOptions(args);
    if (!parsed.error.empty()) {
        return Fail(parsed.error + " (try --help)");
    }
    const tavrino::RenderOptions& o = parsed.options;
    if (o.help) {
        std::fputs(tavrino::RenderUsage().c_str(), stdout);
        return 0;
    }
    try {
        // The clock stands still at the chosen moment.
        const tavrino::LocalTime shown = o.time.value_or(CurrentLocalTime());
        tavrino::TimeOverride clock(tavrino::TimeOverrideSetting{.start = shown});
        tavrino::ImageSurface surface(o.width, o.height, 0x000000);
        tavrino::Tavrino face(clock);
        face.InitClock(surface);
        if (o.green) {
            face.SetGreenDigits();
        } else {
            face.SetBlueDigits();
        }
        if (o.drift) {
            face.SetOffset(tavrino::DriftOffset(tavrino::MinuteOfDay(shown), o.width, o.height));
        }
        face.SetBrightness(o.brightness);
        face.DrawClock(tavrino::Redraw::Everything);
        const std::string error = tavrino::WritePng(o.output, surface.Image());
        if (!error.empty()) {
            return Fail(error);
        }
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tavrino-render: not enough memory for a %dx%d picture\n", o.width,
                     o.height);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavrino-render: %s\n", e.what());
        return 1;
    }
    return 0;
}
