#include "gfx/Draw.h"

#include <strsafe.h>

namespace {

bool IsBitmap(HBITMAP bitmap) { return bitmap && GetObjectType(bitmap) == OBJ_BITMAP; }

// One transfer from a memory context holding the bitmap; the target is untouched when the
// handle is not a bitmap or it cannot be selected (the context's own stock bitmap would be
// copied instead).
template <typename Transfer>
void WithBitmapDC(HDC dc, HBITMAP bitmap, Transfer transfer) {
  if (!IsBitmap(bitmap)) return;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  HGDIOBJ previous = SelectObject(memory, bitmap);
  if (previous && previous != HGDI_ERROR) {
    transfer(memory);
    SelectObject(memory, previous);
  }
  DeleteDC(memory);
}

// A 32-bpp DIB section with an alpha byte set anywhere carries per-pixel alpha: the
// shell's loader gives a PNG's transparency that way, with premultiplied colours.
// Device bitmaps and opaque images hand out no bits, or only zero alpha bytes.
bool HasAlphaChannel(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof(info), &info) || info.bmBitsPixel != 32 || !info.bmBits) return false;
  const BYTE* row = static_cast<const BYTE*>(info.bmBits);
  for (LONG y = 0; y < info.bmHeight; ++y, row += info.bmWidthBytes)
    for (LONG x = 0; x < info.bmWidth; ++x)
      if (row[4 * x + 3]) return true;
  return false;
}

// The part of a bitmap drawn into a place: target rectangle and source origin.
struct Placement {
  int x, y, width, height, sourceX, sourceY;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// A bitmap of the given size centred in the rectangle (the odd pixel of free space goes
// right or bottom) and cut to it: a larger bitmap never draws over its neighbours.
Placement CenteredPlacement(int left, int top, int right, int bottom, int width, int height) {
  const int x = left + (right - left - width) / 2, y = top + (bottom - top - height) / 2;
  const int x0 = x > left ? x : left, y0 = y > top ? y : top;
  const int x1 = x + width < right ? x + width : right, y1 = y + height < bottom ? y + height : bottom;
  return Placement{x0, y0, x1 - x0, y1 - y0, x0 - x, y0 - y};
}

// Per-pixel alpha over the target, the source rectangle scaled to the target's.
void AlphaBlendBitmap(HDC dc, const Placement& at, HBITMAP bitmap, int sourceWidth, int sourceHeight) {
  WithBitmapDC(dc, bitmap, [&](HDC memory) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, at.x, at.y, at.width, at.height, memory, at.sourceX, at.sourceY, sourceWidth, sourceHeight,
               blend);
  });
}

// A picture with an alpha channel is blended where SRCCOPY asks for the image as it is.
void BlitCentered(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                  DWORD rop) {
  int width = 0, height = 0;
  if (!GetBitmapSize(bitmap, &width, &height)) return;
  Placement at = CenteredPlacement(left, top, right, bottom, width, height);
  if (at.IsEmpty()) return;
  if (rop == SRCCOPY && HasAlphaChannel(bitmap)) {
    AlphaBlendBitmap(dc, at, bitmap, at.width, at.height);
    return;
  }
  WithBitmapDC(dc, bitmap, [&](HDC memory) {
    BitBlt(dc, at.x, at.y, at.width, at.height, memory, at.sourceX, at.sourceY, rop);
  });
}

// An empty or inverted rectangle draws nothing (StretchBlt would mirror an inverted one).
bool IsEmptyArea(int left, int top, int right, int bottom) {
  return right <= left || bottom <= top;
}

void StretchWhole(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                  DWORD rop) {
  int width = 0, height = 0;
  if (IsEmptyArea(left, top, right, bottom) || !GetBitmapSize(bitmap, &width, &height)) return;
  if (rop == SRCCOPY && HasAlphaChannel(bitmap)) {
    AlphaBlendBitmap(dc, Placement{left, top, right - left, bottom - top, 0, 0}, bitmap, width, height);
    return;
  }
  WithBitmapDC(dc, bitmap, [&](HDC memory) {
    StretchBlt(dc, left, top, right - left, bottom - top, memory, 0, 0, width, height, rop);
  });
}

// Colour-keyed, or blended when the picture has an alpha channel of its own (a user's
// PNG with real transparency): anti-aliased edges then mix with what lies behind.
void TransparentAt(HDC dc, const Placement& at, HBITMAP bitmap, int sourceWidth, int sourceHeight,
                   COLORREF key) {
  if (at.IsEmpty()) return;
  if (HasAlphaChannel(bitmap)) {
    AlphaBlendBitmap(dc, at, bitmap, sourceWidth, sourceHeight);
    return;
  }
  WithBitmapDC(dc, bitmap, [&](HDC memory) {
    TransparentImage(dc, at.x, at.y, at.width, at.height, memory, at.sourceX, at.sourceY, sourceWidth,
                     sourceHeight, key);
  });
}

// 8-bit colour channel to the 16-bit channel of a gradient vertex.
COLOR16 Channel16(BYTE channel) { return static_cast<COLOR16>(channel << 8); }

TRIVERTEX Vertex(int x, int y, COLORREF color) {
  TRIVERTEX vertex{};
  vertex.x = x;
  vertex.y = y;
  vertex.Red = Channel16(GetRValue(color));
  vertex.Green = Channel16(GetGValue(color));
  vertex.Blue = Channel16(GetBValue(color));
  vertex.Alpha = 0;
  return vertex;
}

}  // namespace

void DrawBitmapCentered(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap) {
  BlitCentered(dc, left, top, right, bottom, bitmap, SRCCOPY);
}

void DrawBitmapCenteredRop(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                           DWORD rop) {
  BlitCentered(dc, left, top, right, bottom, bitmap, rop);
}

void DrawMaskedBitmapCentered(HDC dc, int left, int top, int right, int bottom, HBITMAP image,
                              HBITMAP mask) {
  BlitCentered(dc, left, top, right, bottom, mask, SRCAND);
  BlitCentered(dc, left, top, right, bottom, image, SRCPAINT);
}

void DrawTransparentBitmapCentered(HDC dc, int left, int top, int right, int bottom,
                                   HBITMAP bitmap, COLORREF key) {
  int width = 0, height = 0;
  if (!GetBitmapSize(bitmap, &width, &height)) return;
  Placement at = CenteredPlacement(left, top, right, bottom, width, height);
  TransparentAt(dc, at, bitmap, at.width, at.height, key);
}

void DrawBitmapStretched(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap) {
  StretchWhole(dc, left, top, right, bottom, bitmap, SRCCOPY);
}

void DrawBitmapStretchedRop(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                            DWORD rop) {
  StretchWhole(dc, left, top, right, bottom, bitmap, rop);
}

void DrawMaskedBitmapStretched(HDC dc, int left, int top, int right, int bottom, HBITMAP image,
                               HBITMAP mask) {
  StretchWhole(dc, left, top, right, bottom, mask, SRCAND);
  StretchWhole(dc, left, top, right, bottom, image, SRCPAINT);
}

void DrawTransparentBitmapStretched(HDC dc, int left, int top, int right, int bottom,
                                    HBITMAP bitmap, COLORREF key) {
  int width = 0, height = 0;
  if (IsEmptyArea(left, top, right, bottom) || !GetBitmapSize(bitmap, &width, &height)) return;
  TransparentAt(dc, Placement{left, top, right - left, bottom - top, 0, 0}, bitmap, width, height, key);
}

void BlitBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, DWORD rop) {
  WithBitmapDC(dc, bitmap, [&](HDC memory) { BitBlt(dc, x, y, width, height, memory, 0, 0, rop); });
}

void FillPatternRect(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                     DWORD rop) {
  const int width = right - left;
  const int height = bottom - top;
  if (!IsBitmap(bitmap) || IsEmptyArea(left, top, right, bottom)) return;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP canvas = memory ? CreateCompatibleBitmap(dc, width, height) : nullptr;
  HBRUSH pattern = canvas ? CreatePatternBrush(bitmap) : nullptr;
  if (pattern) {
    // Laying the pattern in a context of the rectangle's own size anchors the tiles at
    // the rectangle's corner instead of the target's origin.
    HGDIOBJ previousBitmap = SelectObject(memory, canvas);
    HGDIOBJ previousBrush = SelectObject(memory, pattern);
    PatBlt(memory, 0, 0, width, height, rop);
    BitBlt(dc, left, top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previousBrush);
    SelectObject(memory, previousBitmap);
  }
  if (pattern) DeleteObject(pattern);
  if (memory) DeleteDC(memory);
  if (canvas) DeleteObject(canvas);
}

void DrawTextInRect(HDC dc, const WCHAR* text, const RECT& rect, UINT format, COLORREF color,
                    HFONT font) {
  if (!text) return;
  int previousMode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
  COLORREF previousColor = SetTextColor(dc, color);
  RECT area = rect;
  DrawTextW(dc, text, -1, &area, format);
  SetBkMode(dc, previousMode);
  SetTextColor(dc, previousColor);
  if (previousFont) SelectObject(dc, previousFont);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, HPEN pen) {
  int previousMode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ previousPen = pen ? SelectObject(dc, pen) : nullptr;
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SetBkMode(dc, previousMode);
  if (previousPen) SelectObject(dc, previousPen);
}

void FillGradientRect(HDC dc, int left, int top, int right, int bottom, COLORREF start,
                      COLORREF end, ULONG mode) {
  TRIVERTEX vertices[2] = {Vertex(left, top, start), Vertex(right, bottom, end)};
  GRADIENT_RECT mesh{0, 1};
  GradientFill(dc, vertices, 2, &mesh, 1, mode);
}

void AlphaBlendRect(HDC dc, int x, int y, int width, int height, HDC source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, int alpha) {
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.BlendFlags = 0;
  blend.SourceConstantAlpha = static_cast<BYTE>(alpha & 0xFF);
  blend.AlphaFormat = 0;
  AlphaBlend(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
             blend);
}

void AlphaBlendCopy(HDC dc, int x, int y, int width, int height, HDC source, int alpha) {
  AlphaBlendRect(dc, x, y, width, height, source, 0, 0, width, height, alpha);
}

bool GetBitmapSize(HBITMAP bitmap, int* width, int* height) {
  BITMAP info{};
  if (!IsBitmap(bitmap)) return false;
  if (!GetObjectW(bitmap, sizeof(info), &info)) return false;
  *width = info.bmWidth;
  *height = info.bmHeight;
  return true;
}

HFONT CreateSkinFont(const WCHAR* face, int height, bool bold, bool italic, bool underline) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = bold ? 600 : 500;
  font.lfItalic = italic ? 1 : 0;
  font.lfUnderline = underline ? 1 : 0;
  font.lfCharSet = EASTEUROPE_CHARSET;
  font.lfOutPrecision = OUT_RASTER_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = CLEARTYPE_QUALITY;
  if (face) StringCchCopyW(font.lfFaceName, LF_FACESIZE, face);
  return CreateFontIndirectW(&font);
}

RECT& DeflateRectBy(RECT& rect, int left, int top, int right, int bottom) {
  rect.left += left;
  rect.top += top;
  rect.right -= right;
  rect.bottom -= bottom;
  return rect;
}
