#include "program/SettingsDialogLayout.h"

namespace tavrino {

DialogState StateAsMade() {
    return {.translucency = kTranslucencySlider.minimum,
            .amountText = std::string(LayoutOf(DialogControl::AmountLabel).text),
            .versionText = std::string(LayoutOf(DialogControl::VersionLabel).text)};
}

}  // namespace tavrino
