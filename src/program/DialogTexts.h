// The settings dialog's texts that the program sets or chooses itself, kept in one place for the
// logic and the dialog's frontends. The texts shown to the user are German.
#pragma once

#include <string_view>

namespace tavrino {

// The dialog's caption is " " + the program name + kCaptionSuffix, in every run mode.
constexpr std::string_view kCaptionSuffix = "  (Bildschirmschoner)";
// lVer shows kVersionPrefix followed by the version text.
constexpr std::string_view kVersionPrefix = "Version ";
// The maker's credit line (Label2).
constexpr std::string_view kCreditLine = "von Quenmark";
// Shown in lVer instead of the version while a click on the picture has turned it on.
constexpr std::string_view kContactLine = "Kontakt: post@quenmark.example";

}  // namespace tavrino
