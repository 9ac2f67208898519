#include "program/SettingsDialogLayout.h"

namespace tavrino {

namespace {

bool Inside(const TwipsBox& inner, const TwipsBox& outer) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

bool InFrame(DialogControl control, DialogControl frame) {
    return Inside(LayoutOf(control).box, LayoutOf(frame).box);
}

}  // namespace

DialogState StateAsMade() {
    return {.translucency = kTranslucencySlider.minimum,
            .amountText = std::string(LayoutOf(DialogControl::AmountLabel).text),
            .versionText = std::string(LayoutOf(DialogControl::VersionLabel).text),
            .brightness = kBrightnessSlider.maximum,
            .brightnessText = std::string(LayoutOf(DialogControl::BrightnessAmountLabel).text)};
}

PixelRect ClientPixels(const DialogShape& shape, const TwipsPerPixel& twips) {
    TwipsBox client = kDialogClient;
    if (shape.screensaverFrame) {
        client.height += dialog_frames::kScreensaver.height;
    }
    PixelRect rect = twips.BoxPixels(client);
    if (!shape.translucencyStrip) {
        rect.bottom -= kTranslucencyStripPixels;
    }
    return rect;
}

bool ControlShown(DialogControl control, const DialogShape& shape) {
    if (InFrame(control, DialogControl::ScreensaverFrame)) {
        return shape.screensaverFrame;
    }
    if (InFrame(control, DialogControl::TranslucencyFrame)) {
        return shape.translucencyStrip || !shape.screensaverFrame;
    }
    return true;
}

PixelRect ControlPixels(DialogControl control, const DialogShape& shape,
                        const TwipsPerPixel& twips) {
    PixelRect rect = twips.BoxPixels(LayoutOf(control).box);
    if (!shape.translucencyStrip && InFrame(control, DialogControl::ScreensaverFrame)) {
        rect.top -= kTranslucencyStripPixels;
        rect.bottom -= kTranslucencyStripPixels;
    }
    return rect;
}

}  // namespace tavrino
