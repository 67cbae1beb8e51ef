#include "app/Splash.h"

#include "gfx/Draw.h"
#include "gfx/ScreenCaps.h"

// Text format of the message: centred on one line, cut with an ellipsis.
static const UINT StatusFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

void SplashScreen::SetText(const WCHAR* text) {
  int i = 0;
  if (text)
    for (; i < MAX_PATH - 1 && text[i]; ++i) StatusText[i].store(text[i], std::memory_order_relaxed);
  StatusText[i].store(0, std::memory_order_relaxed);
}

void SplashScreen::SetProgress(UINT percent) {
  Progress.store(percent <= 100 ? percent : 100, std::memory_order_relaxed);
}

void SplashScreen::GetText(WCHAR* buffer) const {
  int i = 0;
  for (; i < MAX_PATH - 1; ++i) {
    buffer[i] = StatusText[i].load(std::memory_order_relaxed);
    if (!buffer[i]) return;
  }
  buffer[i] = 0;
}

static void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void SplashScreen::Draw(HDC target, const RECT& rect) const {
  FillColor(target, rect, BackColor);
  // The picture's square is 240 design units wide and high, at the top left.
  DrawBitmapCentered(target, rect.left, rect.top, rect.left + Sx(240), rect.top + Sy(240), Picture);
  if (!ShowStatus) return;

  WCHAR text[MAX_PATH];
  GetText(text);
  RECT strip = {rect.left, rect.bottom - Sy(60), rect.right, rect.bottom};
  DrawTextInRect(target, text, strip, StatusFormat, TextColor, TextFont);

  // The bar is centred under the picture's square, not on the whole width.
  RECT bar;
  bar.left = rect.left + (Sx(240) - Sx(180)) / 2;
  bar.top = rect.bottom - Sy(80);
  bar.right = bar.left + Sx(180);
  bar.bottom = bar.top + Sy(8);
  RECT frame = bar;
  InflateRect(&frame, 1, 1);
  FillColor(target, frame, BarFrameColor);
  FillColor(target, bar, BarTrackColor);
  UINT filled = UINT(Sx(180)) * GetProgress() / 100;
  FillGradientRect(target, bar.left, bar.top, bar.left + int(filled), bar.bottom, BarTopColor, BarBottomColor,
                   GRADIENT_FILL_RECT_V);
}

void SplashScreen::Paint(HDC target, const RECT& rect, int alpha) const {
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC surface = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  if (surface && bitmap) {
    HGDIOBJ old = SelectObject(surface, bitmap);
    Draw(surface, rect);
    AlphaBlendCopy(target, 0, 0, width, height, surface, alpha);
    SelectObject(surface, old);
  }
  if (surface) DeleteDC(surface);
  if (bitmap) DeleteObject(bitmap);
}
