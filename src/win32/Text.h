// The program keeps its text in UTF-8 (the German dialog texts, settings values); Windows wants
// UTF-16. These convert at the boundary.
#pragma once

#include <string>
#include <string_view>

namespace tavrino::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tavrino::win32
