// Windows icon files (.ico) from the program's 16-colour picture: one 4-bit
// image per size, every pixel taken from the nearest pixel of the picture.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "platform/window_backend.h"

// The whole file, images in the order of `sizes` (each 1 to 256 pixels).
std::vector<uint8_t> icoFile(const IconImage& icon, std::span<const int> sizes);
