// The names the program is known by: the settings store keeps its values under the application
// and the program's name, and the desktop clock's window carries the program's name as its title.
#pragma once

#include <string_view>

namespace tavrino {

constexpr std::string_view kApplicationName = "Quenmark";
constexpr std::string_view kProgramName = "Tavrino";

}  // namespace tavrino
