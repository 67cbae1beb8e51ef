// Icons loaded from the resources, for the window system (the host window's icon).
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/dc.h"

namespace wince {

class Icon : public GdiObject {
 public:
  Icon() : GdiObject(GdiKind::Icon) {}

  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top-down, alpha 0 where transparent
};

inline const Icon* LookupIcon(HICON icon) { return LookupGdi<Icon>(icon, GdiKind::Icon); }

}  // namespace wince
