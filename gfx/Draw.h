// Stateless drawing primitives over the GDI: skin bitmaps centred, stretched, masked or
// colour-keyed into a rectangle, pattern and gradient fills, one-line text, lines,
// constant-alpha blends, and the skin's fonts.
//
// None of them keeps a GDI object between calls or owns the bitmaps, fonts or pens it is
// given; each creates and deletes its own memory device context. A null bitmap draws
// nothing. Rectangles are left, top, right, bottom with right and bottom exclusive.
#pragma once

#include <windows.h>

// A rectangle in signed 32-bit pixels, right and bottom exclusive.
struct SkinRect {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

// The colour key of colour-keyed skin images.
constexpr COLORREF kColorKeyMagenta = RGB(255, 0, 255);

// The bitmap at its own size, centred in the rectangle (an odd difference leaves the
// extra pixel on the right or bottom; a larger bitmap overhangs on all sides).
void DrawBitmapCentered(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap);
void DrawBitmapCenteredRop(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                           DWORD rop);
// The mask centred with SRCAND, then the image centred with SRCPAINT.
void DrawMaskedBitmapCentered(HDC dc, int left, int top, int right, int bottom, HBITMAP image,
                              HBITMAP mask);
// Centred, pixels of the key colour left out.
void DrawTransparentBitmapCentered(HDC dc, int left, int top, int right, int bottom,
                                   HBITMAP bitmap, COLORREF key);

// The whole bitmap stretched to fill the rectangle (aspect ratio not kept); an empty or
// inverted rectangle draws nothing.
void DrawBitmapStretched(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap);
void DrawBitmapStretchedRop(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                            DWORD rop);
void DrawMaskedBitmapStretched(HDC dc, int left, int top, int right, int bottom, HBITMAP image,
                               HBITMAP mask);
void DrawTransparentBitmapStretched(HDC dc, int left, int top, int right, int bottom,
                                    HBITMAP bitmap, COLORREF key);

// BitBlt of the bitmap from its origin to (x, y, width, height).
void BlitBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, DWORD rop);

// The rectangle filled with the bitmap tiled as a pattern, the tiles anchored at the
// rectangle's top-left corner; callers pass PATCOPY.
void FillPatternRect(HDC dc, int left, int top, int right, int bottom, HBITMAP bitmap,
                     DWORD rop);

// DrawTextW of a NUL-terminated text with a transparent background, in the colour and
// font given; the DC's background mode, text colour and font are restored afterwards.
// A null font leaves the DC's current font in use.
void DrawTextInRect(HDC dc, const WCHAR* text, const RECT& rect, UINT format, COLORREF color,
                    HFONT font);

// A line from (x1, y1) up to, not including, (x2, y2) with the caller's pen.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, HPEN pen);

// Two-colour GradientFill of the rectangle: mode GRADIENT_FILL_RECT_H (0) runs left to
// right, GRADIENT_FILL_RECT_V (1) top to bottom.
void FillGradientRect(HDC dc, int left, int top, int right, int bottom, COLORREF start,
                      COLORREF end, ULONG mode);

// AlphaBlend with one constant alpha (only its low 8 bits count: 0 keeps the target,
// 255 copies the source).
void AlphaBlendRect(HDC dc, int x, int y, int width, int height, HDC source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, int alpha);
// The same with the source rectangle (0, 0, width, height).
void AlphaBlendCopy(HDC dc, int x, int y, int width, int height, HDC source, int alpha);

// Width and height of a bitmap; false (outputs untouched) when the handle cannot be read.
bool GetBitmapSize(HBITMAP bitmap, int* width, int* height);

// A new font owned by the caller (null on failure): weight 600 when bold, else 500,
// ClearType quality; at most 31 characters of the face name are used.
HFONT CreateSkinFont(const WCHAR* face, int height, bool bold, bool italic, bool underline);

// Moves each edge inward by its own margin, without normalising, and returns the rect.
RECT& DeflateRectBy(RECT& rect, int left, int top, int right, int bottom);
