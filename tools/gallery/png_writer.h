// Writes 0x00RRGGBB pixels, rows top-down, as an RGB PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool WritePng(const std::string& path, int width, int height,
              const std::vector<uint32_t>& pixels);
