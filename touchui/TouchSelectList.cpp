#include "touchui/TouchSelectList.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gfx/ScreenCaps.h"

namespace {

// Fling friction: the share of the velocity lost per millisecond.
constexpr double kDecayPerMs = 0.0008;
// A press held longer than this before release gives no fling.
constexpr double kFlingMaxDurationMs = 500.0;

double Now() { return static_cast<double>(static_cast<DWORD>(GetTickCount())); }

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  if (!brush) return;
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

}  // namespace

TouchSelectList::TouchSelectList(int id)
    : TouchControl(id),
      mainMargins_{Sx(2), Sy(1), Sx(2), Sy(1)},
      secondMargins_{Sx(2), Sy(1), Sx(2), Sy(1)},
      rowHeight_(Sy(40)) {}

void TouchSelectList::AddItem(const SelectListItem& item) {
  items_.push_back(item);
  selected_ = -1;
  contentHeight_ = rowHeight_ * ItemCount();
}

bool TouchSelectList::GetItem(int index, SelectListItem* item) const {
  if (!item || index < 0 || index >= ItemCount()) return false;
  *item = items_[index];
  return true;
}

bool TouchSelectList::Select(int index) {
  if (items_.empty() || index < -1 || index >= ItemCount()) return false;
  selected_ = index;
  return true;
}

void TouchSelectList::StartAnimation(HWND window, UINT_PTR timerId, UINT period, TIMERPROC proc) {
  dragging_ = 0;
  animating_ = 1;
  SetTimer(window, timerId, period, proc);
}

void TouchSelectList::StopAnimation(HWND window, UINT_PTR timerId) {
  dragging_ = 0;
  animating_ = 0;
  KillTimer(window, timerId);
}

// An offset exactly at either end counts as out of range, so that clamping it is a
// no-op that still ends a fling.
TouchSelectList::Range TouchSelectList::CheckRange() const {
  if (contentHeight_ < height_) return Range::Short;
  if (scrollOffset_ <= 0) return Range::Top;
  if (scrollOffset_ >= contentHeight_ - height_) return Range::Bottom;
  return Range::Inside;
}

void TouchSelectList::ClampTo(Range range) {
  if (range == Range::Short || range == Range::Top) scrollOffset_ = 0;
  if (range == Range::Bottom) scrollOffset_ = contentHeight_ - height_;
}

int TouchSelectList::RowAt(int y) const {
  int contentY = y + scrollOffset_;
  if (rowHeight_ <= 0 || contentY < 0) return -1;
  int index = contentY / rowHeight_;
  return index < ItemCount() ? index : -1;
}

void TouchSelectList::OnMouseDown(HWND window, int x, int y) {
  pressed_ = HitTest(x, y) ? 1 : 0;
  if (!pressed_) return;
  POINT p = {x - x_, y - y_};
  // While a fling runs, the touch only catches the list.
  if (!animating_) {
    Select(RowAt(p.y));
    Invalidate(window);
  }
  downPoint_ = p;
  lastPoint_ = p;
  downTime_ = Now();
  Notify(window, TN_PRESSED);
}

void TouchSelectList::OnMouseMove(HWND window, int x, int y) {
  if (!pressed_) return;
  POINT p = {x - x_, y - y_};
  if (!dragging_ && std::abs(p.y - downPoint_.y) <= Sy(10)) {
    Notify(window, TN_MOVED);
    return;
  }
  dragging_ = 1;
  animating_ = 0;
  Select(-1);
  // Not clamped: the content may be pulled past either end until the release.
  scrollOffset_ += lastPoint_.y - p.y;
  lastPoint_ = p;
  Invalidate(window);
  Notify(window, TN_MOVED);
}

// Every release reaches the list, pressed or not; the velocity then comes from the
// list's previous press, so a late release elsewhere ends a running fling.
void TouchSelectList::OnMouseUp(HWND window, int x, int y) {
  double now = Now();
  lastTickTime_ = now;
  double duration = now - downTime_;
  // A release in the press's own millisecond, or across the tick count's wrap, flings nothing.
  velocity_ = duration > 0 && duration <= kFlingMaxDurationMs
                  ? (lastPoint_.y - downPoint_.y) / duration
                  : 0.0;
  Range range = CheckRange();
  if (range != Range::Inside) ClampTo(range);
  if (pressed_) {
    Notify(window, TN_RELEASED);
    POINT p = {x - x_, y - y_};
    int tolerance = Sy(10);
    if (std::abs(p.x - downPoint_.x) < tolerance && std::abs(p.y - downPoint_.y) < tolerance) {
      Notify(window, TN_CLICKED);
    }
  }
  pressed_ = 0;
  Invalidate(window);
}

void TouchSelectList::OnMouseWheel(HWND window, int x, int y, int delta) {
  if (!HitTest(x, y) || pressed_) return;
  UINT rows = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &rows, 0);
  // A running fling ends at its next step; the selection stays, as nothing was touched.
  velocity_ = 0;
  dragging_ = 0;
  scrollOffset_ -= int(int64_t(delta) * int64_t(rows) * rowHeight_ / WHEEL_DELTA);
  Range range = CheckRange();
  if (range != Range::Inside) ClampTo(range);
  Invalidate(window);
}

void TouchSelectList::Tick(HWND window, UINT_PTR timerId) {
  double now = Now();
  double dt = now - lastTickTime_;
  double decay = velocity_ * dt * kDecayPerMs;
  velocity_ = std::abs(decay) > std::abs(velocity_) ? 0.0 : velocity_ - decay;
  int distance = static_cast<int>(velocity_ * dt);
  scrollOffset_ -= distance;
  Range range = CheckRange();
  if (distance != 0 && range == Range::Inside) {
    lastTickTime_ = now;
    Invalidate(window);
    return;
  }
  // The fling stops exactly at an end it reaches, or when it no longer moves.
  if (distance != 0) ClampTo(range);
  dragging_ = 0;
  animating_ = 0;
  KillTimer(window, timerId);
  lastTickTime_ = now;
  Invalidate(window);
}

void TouchSelectList::Draw(HDC dc) {
  if (width_ <= 0 || height_ <= 0) return;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return;
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width_, height_);
  if (!bitmap) {
    DeleteDC(memory);
    return;
  }
  HGDIOBJ previous = SelectObject(memory, bitmap);
  RECT area = {0, 0, width_, height_};
  FillSolid(memory, area, backgroundColor_);
  DrawRows(memory, area);
  DrawPositionBar(memory, area);
  BitBlt(dc, x_, y_, width_, height_, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

// Only the rows that intersect the area are drawn; the first one is found by division.
void TouchSelectList::DrawRows(HDC dc, const RECT& area) const {
  int count = ItemCount();
  if (count == 0 || rowHeight_ <= 0) return;
  int first = 0;
  if (scrollOffset_ >= 0) {
    int b = std::max(0, std::min(scrollOffset_, contentHeight_ - 1));
    first = std::min(b / rowHeight_, count);
  }
  int y = area.top + first * rowHeight_ - scrollOffset_;
  for (; first < count && y < area.bottom; ++first, y += rowHeight_) {
    RECT row = {area.left, y, area.right, y + rowHeight_};
    DrawRow(dc, items_[first], row, first == selected_);
  }
}

void TouchSelectList::DrawRow(HDC dc, const SelectListItem& item, const RECT& row,
                              bool selected) const {
  int h = row.bottom - row.top;
  int half = h / 2;
  if (selected && selectionStyle_ == SELECTION_SOLID) FillSolid(dc, row, selectionColor_);
  if (selected && selectionStyle_ == SELECTION_PATTERN) {
    if (selectionImage_) {
      FillPatternRect(dc, row.left, row.top, row.right, row.bottom, selectionImage_, PATCOPY);
    } else {
      FillSolid(dc, row, selectionColor_);
    }
  }
  if (item.Icon) {
    DrawTransparentBitmapCentered(dc, row.left, row.top, row.left + h, row.bottom, item.Icon,
                                  kColorKeyMagenta);
  }
  RECT main = {row.left + h, row.top, row.right, row.top + half};
  DeflateRectBy(main, mainMargins_.left, mainMargins_.top, mainMargins_.right,
                mainMargins_.bottom);
  DrawTextInRect(dc, item.Text, main, mainFormat_, selected ? mainSelectedColor_ : mainColor_,
                 mainFont_);
  RECT second = {row.left + h, row.bottom - half, row.right, row.bottom};
  DeflateRectBy(second, secondMargins_.left, secondMargins_.top, secondMargins_.right,
                secondMargins_.bottom);
  DrawTextInRect(dc, item.SecondText, second, secondFormat_,
                 selected ? secondSelectedColor_ : secondColor_, secondFont_);
  // Style 0 draws its line also without a pen of its own: the DC's current pen is used.
  if (separatorStyle_ == SEPARATOR_LINE) {
    DrawLine(dc, row.left, row.bottom - 1, row.right, row.bottom - 1, separatorPen_);
  } else if (separatorStyle_ == SEPARATOR_IMAGE) {
    DrawBitmapStretched(dc, row.left, row.bottom - 1, row.right, row.bottom, separatorImage_);
  }
}

void TouchSelectList::DrawPositionBar(HDC dc, const RECT& area) const {
  int view = height_;
  if (!showScrollBar_ || contentHeight_ <= view) return;
  float ratio = std::max(1.0f, static_cast<float>(contentHeight_) / static_cast<float>(view));
  int track = view - 2 * Sy(1);
  int thumb = static_cast<int>(static_cast<float>(track) / ratio);
  int slack = track - thumb;
  float position = static_cast<float>(scrollOffset_) /
                   static_cast<float>(contentHeight_ - view) * static_cast<float>(slack);
  int pos = std::clamp(static_cast<int>(position), 0, std::max(slack, 0));
  RECT bar;
  bar.left = area.right - Sx(1) - Sx(2);
  bar.top = area.top + Sy(1) + pos;
  bar.right = area.right - Sx(1);
  bar.bottom = bar.top + thumb;
  FillSolid(dc, bar, scrollBarColor_);
}
