// Describes a window as the end-to-end harness needs to see it: handle, X window, owner process,
// class, text, style bits, rectangles, parent and owner, visibility, topmost band, layered
// attributes and, on request, every descendant window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "JsonWriter.h"

namespace tavrino::e2e {

std::uint64_t HandleNumber(HWND window);
HWND HandleFromNumber(std::uint64_t number);

// The UTF-8 base name of the executable that runs the process, empty when it cannot be read.
std::string ProcessImageName(DWORD processId);

// Writes one window as a JSON object. Rectangles are in screen pixels; "pos" is the window's
// position within its parent's client area (equal to "rect" for a top-level window).
void WriteWindow(JsonWriter& json, HWND window, bool withChildren);

}  // namespace tavrino::e2e
