// The settings dialog's texts that the program sets or chooses itself while it runs; the texts the
// dialog shows from the start are in SettingsDialogLayout.h. The texts shown to the user are
// German.
#pragma once

#include <string_view>

namespace tavrino {

// The dialog's caption is " " + the program name + kCaptionSuffix, in every run mode.
constexpr std::string_view kCaptionSuffix = "  (Bildschirmschoner)";
// The version label shows kVersionPrefix followed by the version text.
constexpr std::string_view kVersionPrefix = "Version ";
// Shown in the version label instead of the version while a click on the picture has turned it on.
constexpr std::string_view kContactLine = "Kontakt: post@quenmark.example";

}  // namespace tavrino
