// Rectangle helpers: left and top inclusive, right and bottom exclusive.
#include <algorithm>
#include <cstdint>

#include <windows.h>

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT dest, CONST RECT* src) {
  if (!dest || !src) return FALSE;
  *dest = *src;
  return TRUE;
}

namespace {

// Coordinates wrap around in 32 bits as on Windows, without signed overflow.
LONG Add(LONG a, LONG b) { return LONG(uint32_t(a) + uint32_t(b)); }
LONG Sub(LONG a, LONG b) { return LONG(uint32_t(a) - uint32_t(b)); }

}  // namespace

BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left = Sub(rect->left, dx);
  rect->top = Sub(rect->top, dy);
  rect->right = Add(rect->right, dx);
  rect->bottom = Add(rect->bottom, dy);
  return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left = Add(rect->left, dx);
  rect->top = Add(rect->top, dy);
  rect->right = Add(rect->right, dx);
  rect->bottom = Add(rect->bottom, dy);
  return TRUE;
}

BOOL IsRectEmpty(CONST RECT* rect) {
  return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL PtInRect(CONST RECT* rect, POINT point) {
  return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
         point.y < rect->bottom;
}

// An empty intersection leaves dest empty (all zero) and returns FALSE.
BOOL IntersectRect(LPRECT dest, CONST RECT* a, CONST RECT* b) {
  if (!dest || !a || !b) return FALSE;
  RECT r = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
            std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&r)) {
    SetRectEmpty(dest);
    return FALSE;
  }
  *dest = r;
  return TRUE;
}

BOOL EqualRect(CONST RECT* a, CONST RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
         a->bottom == b->bottom;
}
