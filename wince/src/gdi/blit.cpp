// Transfers between device contexts (BitBlt, StretchBlt, TransparentImage, AlphaBlend),
// pattern fills (PatBlt) and GradientFill. Every operation is clipped to the target's
// surface and reads only inside the source's.
#include <algorithm>
#include <cstring>

#include "gdi/blend.h"
#include "gdi/objects.h"
#include "gdi/raster.h"

namespace wince {

Span ClipSpan(int64_t start, int64_t length, int limit) {
  Span span;
  int64_t begin = std::max<int64_t>(start, 0);
  int64_t end = std::min<int64_t>(start + length, limit);
  if (begin < end) {
    span.begin = int(begin);
    span.end = int(end);
  }
  return span;
}

Span MapSpan(int64_t dst, int64_t dstLength, int dstLimit, int64_t src, int64_t srcLength,
             int srcLimit, bool mirrored) {
  bool mirror = (dstLength < 0) != (srcLength < 0);
  int64_t shift = mirrored ? 1 : 0;
  if (dstLength < 0) {
    dst += dstLength + shift;
    dstLength = -dstLength;
  }
  if (srcLength < 0) {
    src += srcLength + shift;
    srcLength = -srcLength;
  }
  Span span = ClipSpan(dst, dstLength, dstLimit);
  if (span.empty() || srcLength == 0) return Span();
  auto sourceOf = [&](int64_t i) {
    // 128-bit: spans a full int long would overflow 64 bits here.
    int64_t j = int64_t(((2 * __int128(i) + 1) * srcLength - 1) / (2 * dstLength));
    return src + (mirror ? srcLength - 1 - j : j);
  };
  auto inside = [&](int64_t x) { return x >= 0 && x < srcLimit; };
  int64_t first = span.begin - dst;
  int64_t last = span.end - dst;  // exclusive
  // The mapping is monotonic, so the pixels whose source lies outside are at the ends.
  while (first < last && !inside(sourceOf(first))) ++first;
  while (last > first && !inside(sourceOf(last - 1))) --last;
  if (first >= last) return Span();
  span.begin = int(dst + first);
  span.end = int(dst + last);
  // The table steps the division's quotient and remainder instead of dividing per pixel.
  int64_t denominator = 2 * dstLength;
  __int128 numerator = (2 * __int128(first) + 1) * srcLength - 1;
  int64_t quotient = int64_t(numerator / denominator), remainder = int64_t(numerator % denominator);
  int64_t stepQuotient = 2 * srcLength / denominator, stepRemainder = 2 * srcLength % denominator;
  span.source.resize(size_t(last - first));
  for (int64_t i = first; i < last; ++i) {
    span.source[size_t(i - first)] = int(src + (mirror ? srcLength - 1 - quotient : quotient));
    quotient += stepQuotient;
    remainder += stepRemainder;
    if (remainder >= denominator) {
      ++quotient;
      remainder -= denominator;
    }
  }
  return span;
}

}  // namespace wince

using namespace wince;

namespace {

enum class Op { Copy, And, Or, Xor, NotCopy, Keyed, Blend, PixelBlend };

struct Transfer {
  Op op = Op::Copy;
  uint32_t key = 0;    // Keyed: source pixels of this value are skipped
  unsigned alpha = 0;  // Blend, PixelBlend: constant source alpha
};

// x / 255 rounded to the nearest, for x up to 65025.
inline uint32_t Div255(uint32_t x) { return (x + 127) / 255; }

// AC_SRC_ALPHA: the source is premultiplied; scaled by the constant alpha a, it goes over
// the target: each colour c + t * (255 - alpha of the source) / 255, at most 255. The
// target's alpha byte is left as it is: the screen-compatible bitmaps carry none.
void BlendPremultipliedRow(uint32_t* d, const uint32_t* s, int n, unsigned a) {
  for (int i = 0; i < n; ++i) {
    uint32_t source = s[i];
    uint32_t sourceAlpha = source >> 24;
    if (a != 255) sourceAlpha = Div255(sourceAlpha * a);
    if (source == 0) continue;  // transparent: the target stays exactly
    uint32_t target = d[i], out = target & 0xFF000000;
    for (int shift = 0; shift <= 16; shift += 8) {
      uint32_t c = (source >> shift) & 0xFF;
      if (a != 255) c = Div255(c * a);
      uint32_t mixed = c + Div255(((target >> shift) & 0xFF) * (255 - sourceAlpha));
      out |= std::min<uint32_t>(mixed, 255) << shift;
    }
    d[i] = out;
  }
}

bool OpForRop(DWORD rop, Op* op) {
  switch (rop) {
    case SRCCOPY: *op = Op::Copy; return true;
    case SRCAND: *op = Op::And; return true;
    case SRCPAINT: *op = Op::Or; return true;
    case SRCINVERT: *op = Op::Xor; return true;
    case NOTSRCCOPY: *op = Op::NotCopy; return true;
    default: return false;
  }
}

bool IsPatternRop(DWORD rop) {
  return rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS ||
         rop == WHITENESS;
}

void TransferRow(uint32_t* d, const uint32_t* s, int n, const Transfer& t) {
  switch (t.op) {
    case Op::Copy: std::memmove(d, s, size_t(n) * 4); break;
    case Op::And: for (int i = 0; i < n; ++i) d[i] &= s[i]; break;
    case Op::Or: for (int i = 0; i < n; ++i) d[i] |= s[i]; break;
    case Op::Xor: for (int i = 0; i < n; ++i) d[i] ^= s[i]; break;
    case Op::NotCopy: for (int i = 0; i < n; ++i) d[i] = ~s[i] & 0xFFFFFF; break;
    case Op::Keyed:
      // The key is a colour: an alpha byte does not take part.
      for (int i = 0; i < n; ++i) {
        if ((s[i] & 0xFFFFFF) != t.key) d[i] = s[i];
      }
      break;
    case Op::PixelBlend: BlendPremultipliedRow(d, s, n, t.alpha); break;
    case Op::Blend:
      BlendBytes(reinterpret_cast<uint8_t*>(d), reinterpret_cast<const uint8_t*>(s), size_t(n) * 4,
                 t.alpha);
      break;
  }
}

// The surface of a DC (with its origin) or of a bitmap handle.
struct Source {
  const Surface* surface = nullptr;
  int64_t originX = 0, originY = 0;
};

bool SourceOfDC(HDC handle, Source* source) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc || !dc->surface) return false;
  source->surface = dc->surface;
  source->originX = dc->origin.x;
  source->originY = dc->origin.y;
  return true;
}

// Copies the source pixels that xs and ys read, so that a transfer within one surface
// reads the pixels as they were before it began; the spans are rebased onto the copy.
Surface Snapshot(const Surface& from, Span* xs, Span* ys, std::vector<uint32_t>* store) {
  auto [x0, x1] = std::minmax_element(xs->source.begin(), xs->source.end());
  auto [y0, y1] = std::minmax_element(ys->source.begin(), ys->source.end());
  int left = *x0, top = *y0;
  Surface copy{*x1 - left + 1, *y1 - top + 1, *x1 - left + 1, nullptr};
  store->resize(size_t(copy.width) * size_t(copy.height));
  copy.pixels = store->data();
  for (int y = 0; y < copy.height; ++y) {
    std::memcpy(copy.pixels + size_t(y) * copy.width, from.pixels + int64_t(top + y) * from.stride + left,
                size_t(copy.width) * 4);
  }
  for (int& x : xs->source) x -= left;
  for (int& y : ys->source) y -= top;
  return copy;
}

// The clipped run of an unscaled transfer: destination [begin, end) reads source pixel
// i + offset, both inside their surfaces.
struct Run {
  int64_t begin, end, offset;
  bool empty() const { return begin >= end; }
};

Run UnscaledRun(int64_t dst, int64_t length, int dstLimit, int64_t src, int srcLimit) {
  int64_t offset = src - dst;
  int64_t begin = std::max({dst, int64_t(0), -offset});
  int64_t end = std::min({dst + length, int64_t(dstLimit), int64_t(srcLimit) - offset});
  return Run{begin, end, offset};
}

// A transfer of equal sizes between two surfaces maps pixel for pixel (centre sampling
// then is the identity), so it needs no sampling tables: the common BitBlt.
void TransferUnscaled(Surface& target, const Surface& from, const Run& xs, const Run& ys, const Transfer& t) {
  int n = int(xs.end - xs.begin);
  if ((t.op == Op::Copy || t.op == Op::Blend) && n == target.stride && n == from.stride && xs.offset == 0) {
    // Whole rows of both bitmaps: one block, which copies and blends faster than rows.
    uint32_t* d = target.pixels + ys.begin * n;
    const uint32_t* s = from.pixels + (ys.begin + ys.offset) * n;
    size_t bytes = size_t(n) * size_t(ys.end - ys.begin) * 4;
    if (t.op == Op::Copy) {
      std::memcpy(d, s, bytes);
    } else {
      BlendBytes(reinterpret_cast<uint8_t*>(d), reinterpret_cast<const uint8_t*>(s), bytes, t.alpha);
    }
    return;
  }
  for (int64_t row = ys.begin; row < ys.end; ++row) {
    TransferRow(target.pixels + row * target.stride + xs.begin,
                from.pixels + (row + ys.offset) * from.stride + xs.begin + xs.offset, n, t);
  }
}

// Destination logical rectangle (x, y, w, h) of dest takes source logical rectangle
// (sx, sy, sw, sh) of source, sampled and combined as t says.
void Stretch(DeviceContext& dest, int64_t x, int64_t y, int64_t w, int64_t h, const Source& source,
             int64_t sx, int64_t sy, int64_t sw, int64_t sh, const Transfer& t) {
  if (!dest.surface || w == 0 || h == 0 || sw == 0 || sh == 0) return;
  Surface& target = *dest.surface;
  const Surface* from = source.surface;
  if (w > 0 && h > 0 && w == sw && h == sh && from != &target) {
    Run xs = UnscaledRun(x + dest.origin.x, w, target.width, sx + source.originX, from->width);
    Run ys = UnscaledRun(y + dest.origin.y, h, target.height, sy + source.originY, from->height);
    if (!xs.empty() && !ys.empty()) TransferUnscaled(target, *from, xs, ys, t);
    return;
  }
  bool mirrored = (w < 0) != (sw < 0) || (h < 0) != (sh < 0);
  Span xs = MapSpan(x + dest.origin.x, w, target.width, sx + source.originX, sw, from->width, mirrored);
  Span ys = MapSpan(y + dest.origin.y, h, target.height, sy + source.originY, sh, from->height, mirrored);
  if (xs.empty() || ys.empty()) return;
  std::vector<uint32_t> snapshot;
  Surface copy;
  if (from == &target) {
    copy = Snapshot(*from, &xs, &ys, &snapshot);
    from = &copy;
  }
  int n = xs.end - xs.begin;
  bool contiguous = xs.source.back() - xs.source.front() == n - 1;
  std::vector<uint32_t> gathered(contiguous ? 0 : size_t(n));
  for (int row = ys.begin; row < ys.end; ++row) {
    int srcRow = ys.source[size_t(row - ys.begin)];
    uint32_t* d = target.pixels + int64_t(row) * target.stride + xs.begin;
    if (t.op == Op::Copy && row > ys.begin && srcRow == ys.source[size_t(row - ys.begin - 1)]) {
      std::memcpy(d, d - target.stride, size_t(n) * 4);  // an enlarged row repeats
      continue;
    }
    const uint32_t* s = from->pixels + int64_t(srcRow) * from->stride;
    if (contiguous) {
      TransferRow(d, s + xs.source.front(), n, t);
      continue;
    }
    uint32_t* g = t.op == Op::Copy ? d : gathered.data();
    const int* index = xs.source.data();
    for (int i = 0; i < n; ++i) g[i] = s[index[i]];
    if (t.op != Op::Copy) TransferRow(d, g, n, t);
  }
}

}  // namespace

namespace wince {

void FillSpans(const Surface& surface, const Span& xs, const Span& ys, const Brush* brush, DWORD rop,
               int64_t anchorX, int64_t anchorY) {
  int n = xs.end - xs.begin;
  if (n <= 0 || ys.empty()) return;
  bool pattern = rop == PATCOPY || rop == PATINVERT;
  if (pattern && (!brush || brush->style == Brush::Style::Null)) return;
  bool tiled = pattern && brush->style == Brush::Style::Pattern;
  uint32_t solid = rop == BLACKNESS ? 0 : rop == WHITENESS ? 0xFFFFFF : pattern ? brush->pixel : 0;
  if (!tiled && rop != DSTINVERT && rop != PATINVERT && n == surface.stride) {
    // Whole rows: one block.
    std::fill_n(surface.pixels + int64_t(ys.begin) * n, size_t(n) * size_t(ys.end - ys.begin), solid);
    return;
  }
  for (int row = ys.begin; row < ys.end; ++row) {
    uint32_t* d = surface.pixels + int64_t(row) * surface.stride + xs.begin;
    if (rop == DSTINVERT) {
      for (int i = 0; i < n; ++i) d[i] ^= 0xFFFFFF;
      continue;
    }
    if (!tiled) {
      if (rop == PATINVERT) {
        for (int i = 0; i < n; ++i) d[i] ^= solid;
      } else {
        std::fill_n(d, n, solid);
      }
      continue;
    }
    const Surface& p = brush->pattern;
    auto wrap = [](int64_t v, int m) { return int(((v % m) + m) % m); };
    const uint32_t* prow = p.pixels + int64_t(wrap(row - anchorY, p.height)) * p.stride;
    int px = wrap(xs.begin - anchorX, p.width);
    for (int done = 0; done < n;) {
      int run = std::min(p.width - px, n - done);
      if (rop == PATCOPY) {
        std::memcpy(d + done, prow + px, size_t(run) * 4);
      } else {
        for (int i = 0; i < run; ++i) d[done + i] ^= prow[px + i];
      }
      done += run;
      px = 0;
    }
  }
}

}  // namespace wince

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc || !IsPatternRop(rop)) return FALSE;
  if (!dc->surface) return TRUE;
  // Negative extents cover the pixels on the other side of (x, y).
  int64_t left = width < 0 ? int64_t(x) + width : x;
  int64_t top = height < 0 ? int64_t(y) + height : y;
  Span xs = ClipSpan(left + dc->origin.x, std::abs(int64_t(width)), dc->surface->width);
  Span ys = ClipSpan(top + dc->origin.y, std::abs(int64_t(height)), dc->surface->height);
  FillSpans(*dc->surface, xs, ys, LookupGdi<Brush>(dc->brush, GdiKind::Brush), rop, dc->origin.x,
            dc->origin.y);
  return TRUE;
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop) {
  DeviceContext* dc = LookupDC(dest);
  if (!dc) return FALSE;
  if (IsPatternRop(rop)) return PatBlt(dest, x, y, width, height, rop);
  Transfer t;
  Source source;
  if (!OpForRop(rop, &t.op) || !SourceOfDC(src, &source)) return FALSE;
  Stretch(*dc, x, y, width, height, source, srcX, srcY, srcWidth, srcHeight, t);
  return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  return StretchBlt(dest, x, y, width, height, src, srcX, srcY, width, height, rop);
}

BOOL TransparentImage(HDC dest, LONG x, LONG y, LONG width, LONG height, HANDLE src, LONG srcX, LONG srcY,
                      LONG srcWidth, LONG srcHeight, COLORREF transparentColor) {
  DeviceContext* dc = LookupDC(dest);
  if (!dc) return FALSE;
  Source source;
  if (!SourceOfDC(static_cast<HDC>(src), &source)) {
    source.surface = BitmapSurface(static_cast<HBITMAP>(src));
    if (!source.surface) return FALSE;
  }
  Transfer t;
  t.op = Op::Keyed;
  t.key = PixelFromColor(transparentColor);
  Stretch(*dc, x, y, width, height, source, srcX, srcY, srcWidth, srcHeight, t);
  return TRUE;
}

// Constant alpha (AlphaFormat 0), or per-pixel premultiplied alpha from the source's
// alpha bytes (AC_SRC_ALPHA) combined with the constant one. As on Windows, negative
// extents and a source rectangle outside the source surface fail.
BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend) {
  DeviceContext* dc = LookupDC(dest);
  Source source;
  if (!dc || !SourceOfDC(src, &source)) return FALSE;
  if (blend.BlendOp != AC_SRC_OVER || (blend.AlphaFormat != 0 && blend.AlphaFormat != AC_SRC_ALPHA)) return FALSE;
  if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0) return FALSE;
  int64_t left = srcX + source.originX, top = srcY + source.originY;
  if (left < 0 || top < 0 || left + srcWidth > source.surface->width ||
      top + srcHeight > source.surface->height) {
    return FALSE;
  }
  if (blend.SourceConstantAlpha == 0) return TRUE;
  Transfer t;
  t.op = blend.AlphaFormat == AC_SRC_ALPHA ? Op::PixelBlend : blend.SourceConstantAlpha == 255 ? Op::Copy : Op::Blend;
  t.alpha = blend.SourceConstantAlpha;
  Stretch(*dc, x, y, width, height, source, srcX, srcY, srcWidth, srcHeight, t);
  return TRUE;
}

namespace {

// The colour at offset i of n between 16-bit channels c0 and c1, both divisions truncating.
uint32_t GradientPixel(const TRIVERTEX& a, const TRIVERTEX& b, int64_t i, int64_t n) {
  auto channel = [&](COLOR16 c0, COLOR16 c1) {
    return uint32_t((int64_t(c0) * (n - i) + int64_t(c1) * i) / n / 256);
  };
  return (channel(a.Red, b.Red) << 16) | (channel(a.Green, b.Green) << 8) | channel(a.Blue, b.Blue);
}

void FillGradient(const DeviceContext& dc, TRIVERTEX a, TRIVERTEX b, bool vertical) {
  // The colours run from the vertex with the smaller coordinate along the gradient.
  if ((vertical ? a.y > b.y : a.x > b.x)) std::swap(a, b);
  int64_t left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  int64_t top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const Surface& s = *dc.surface;
  Span xs = ClipSpan(left + dc.origin.x, right - left, s.width);
  Span ys = ClipSpan(top + dc.origin.y, bottom - top, s.height);
  if (xs.empty() || ys.empty()) return;
  int n = xs.end - xs.begin;
  if (vertical) {
    int64_t length = bottom - top;
    for (int row = ys.begin; row < ys.end; ++row) {
      uint32_t color = GradientPixel(a, b, row - (top + dc.origin.y), length);
      std::fill_n(s.pixels + int64_t(row) * s.stride + xs.begin, n, color);
    }
    return;
  }
  int64_t length = right - left;
  uint32_t* first = s.pixels + int64_t(ys.begin) * s.stride + xs.begin;
  for (int i = 0; i < n; ++i) first[i] = GradientPixel(a, b, xs.begin + i - (left + dc.origin.x), length);
  for (int row = ys.begin + 1; row < ys.end; ++row) {
    std::memcpy(s.pixels + int64_t(row) * s.stride + xs.begin, first, size_t(n) * 4);
  }
}

}  // namespace

// Rectangles only (GRADIENT_FILL_RECT_H and _V); each mesh element is a GRADIENT_RECT.
BOOL GradientFill(HDC handle, PTRIVERTEX vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount,
                  ULONG mode) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc || !vertices || !mesh) return FALSE;
  if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V) return FALSE;
  const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
  for (ULONG i = 0; i < meshCount; ++i) {
    if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return FALSE;
  }
  if (!dc->surface) return TRUE;
  for (ULONG i = 0; i < meshCount; ++i) {
    FillGradient(*dc, vertices[rects[i].UpperLeft], vertices[rects[i].LowerRight],
                 mode == GRADIENT_FILL_RECT_V);
  }
  return TRUE;
}
