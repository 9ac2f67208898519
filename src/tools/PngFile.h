// Writes an image as a PNG file that appears whole or not at all: the picture goes to a
// temporary file in the same folder, which replaces the target only once it is complete.
#pragma once

#include <filesystem>
#include <string>

#include "surface/Pixmap.h"

namespace tavrino {

// Returns an empty string on success, otherwise why the file could not be written; throws
// std::bad_alloc when memory ran out. Nothing is left behind when it fails.
std::string WritePng(const std::filesystem::path& path, const PixmapView& image);

}  // namespace tavrino
