// AlphaBlend's constant-alpha mix of two runs of bytes, with a vector path for the CPU
// the program runs on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wince {

// Each byte of d becomes (s * a + d * (255 - a) + 127) / 255 (a = 0..255); a zero byte in
// both stays zero.
using BlendBytesFunction = void (*)(uint8_t* d, const uint8_t* s, size_t n, unsigned a);

struct BlendPath {
  const char* name;
  BlendBytesFunction blend;
};

// Every path this CPU can run (SSE2 is always there on x86-64), the portable one first
// and the fastest last; all give the same bytes.
const std::vector<BlendPath>& BlendPaths();

// The fastest path.
void BlendBytes(uint8_t* d, const uint8_t* s, size_t n, unsigned a);

}  // namespace wince
