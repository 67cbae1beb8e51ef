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

// Where a bitmap of the given size lands when centred: the odd pixel of free space goes
// right or bottom, an oversized bitmap overhangs on both sides.
POINT CenteredOrigin(int left, int top, int right, int bottom, int width, int height) {
  return POINT{left + (right - left - width) / 2, top + (bottom - top - height) / 2};
}

void BlitCentered(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                  DWORD rop) {
  int width = 0, height = 0;
  if (!GetBitmapSize(bitmap, &width, &height)) return;
  POINT at = CenteredOrigin(left, top, right, bottom, width, height);
  BlitBitmap(dc, at.x, at.y, width, height, bitmap, rop);
}

// An empty or inverted rectangle draws nothing (StretchBlt would mirror an inverted one).
bool IsEmptyArea(int left, int top, int right, int bottom) {
  return right <= left || bottom <= top;
}

void StretchWhole(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                  DWORD rop) {
  int width = 0, height = 0;
  if (IsEmptyArea(left, top, right, bottom) || !GetBitmapSize(bitmap, &width, &height)) return;
  WithBitmapDC(dc, bitmap, [&](HDC memory) {
    StretchBlt(dc, left, top, right - left, bottom - top, memory, 0, 0, width, height, rop);
  });
}

void TransparentAt(HDC dc, int x, int y, int width, int height, HBITMAP bitmap,
                   int bitmapWidth, int bitmapHeight, COLORREF key) {
  WithBitmapDC(dc, bitmap, [&](HDC memory) {
    TransparentImage(dc, x, y, width, height, memory, 0, 0, bitmapWidth, bitmapHeight, key);
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
  POINT at = CenteredOrigin(left, top, right, bottom, width, height);
  TransparentAt(dc, at.x, at.y, width, height, bitmap, width, height, key);
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
  TransparentAt(dc, left, top, right - left, bottom - top, bitmap, width, height, key);
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
