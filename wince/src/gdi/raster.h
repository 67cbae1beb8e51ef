// Clipping and span mapping shared by the GDI's drawing calls.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/dc.h"

namespace wince {

// A clipped run of destination coordinates [begin, end) on one axis, in surface
// coordinates, with the source coordinate of each (for transfers).
struct Span {
  int begin = 0;
  int end = 0;
  std::vector<int> source;  // source[i - begin]; empty for fills
  bool empty() const { return begin >= end; }
};

// The destination run [start, start + length) clipped to [0, limit).
Span ClipSpan(int64_t start, int64_t length, int limit);

// Destination [dst, dst + dstLength) takes source [src, src + srcLength) (surface
// coordinates; negative lengths extend to the left and mirror when the signs differ),
// destination pixel i sampling source pixel ((2i + 1) * |srcLength| - 1) / (2 * |dstLength|).
// A negative length covers [x + length, x), except in a transfer that mirrors on either
// axis (mirrored), where Windows counts from the origin pixel itself: [x + length + 1, x + 1).
// Clipped to [0, dstLimit) and to the destination pixels whose source is in [0, srcLimit).
Span MapSpan(int64_t dst, int64_t dstLength, int dstLimit, int64_t src, int64_t srcLength,
             int srcLimit, bool mirrored);

// Fills the surface rectangle of spans xs and ys with the brush under PATCOPY (set),
// PATINVERT (xor) or DSTINVERT/BLACKNESS/WHITENESS (brush ignored). Pattern brushes are
// anchored at surface coordinates (anchorX, anchorY).
class Brush;
void FillSpans(const Surface& surface, const Span& xs, const Span& ys, const Brush* brush,
               DWORD rop, int64_t anchorX, int64_t anchorY);

}  // namespace wince
