// A vertical list of two-line rows with icons: one row selected at most, scrolled by
// dragging, with a decaying fling after release and a position bar at the right edge.
//
// The list runs no clock of its own: its owner starts a window timer on TN_RELEASED
// (StartAnimation) whose procedure calls Tick; the list kills that timer itself when
// the motion ends, and the owner stops it on TN_PRESSED (StopAnimation).
#pragma once

#include <vector>

#include "touchui/TouchControl.h"

// What separates the rows: a line with the separator pen, or the separator image stretched
// into the row's last pixel line.
enum SeparatorStyle { SEPARATOR_LINE = 0, SEPARATOR_IMAGE = 1 };

// What backs the selected row: the selection colour, or the selection image tiled as a
// pattern (the colour when there is no image).
enum SelectionStyle { SELECTION_SOLID = 0, SELECTION_PATTERN = 3 };

struct SelectListItem {
  WCHAR Text[MAX_PATH];
  WCHAR SecondText[MAX_PATH];
  HBITMAP Icon;  // Not owned by the list; may be null.
  // Opaque to the list and returned with the item; wide enough for an address.
  DWORD_PTR Tag;
};

class TouchSelectList : public TouchControl {
 public:
  explicit TouchSelectList(int id);

  void SetMainFont(HFONT font) { mainFont_ = font; }
  void SetSecondFont(HFONT font) { secondFont_ = font; }
  // A SeparatorStyle.
  void SetSeparatorStyle(int style) { separatorStyle_ = style; }
  void SetSeparatorPen(HPEN pen) { separatorPen_ = pen; }
  void SetSeparatorImage(HBITMAP image) { separatorImage_ = image; }
  // A SelectionStyle.
  void SetSelectionStyle(int style) { selectionStyle_ = style; }
  void SetSelectionImage(HBITMAP image) { selectionImage_ = image; }
  void SetBackgroundColor(COLORREF color) { backgroundColor_ = color; }

  // Appends a copy of the item and clears the selection.
  void AddItem(const SelectListItem& item);
  bool GetItem(int index, SelectListItem* item) const;
  int ItemCount() const { return static_cast<int>(items_.size()); }
  // Accepts -1 (nothing) to count - 1 on a non-empty list; false and no change else.
  bool Select(int index);
  int GetSelection() const { return selected_; }

  int RowHeight() const { return rowHeight_; }
  int ContentHeight() const { return contentHeight_; }
  int ScrollOffset() const { return scrollOffset_; }
  double Velocity() const { return velocity_; }
  bool IsDragging() const { return dragging_ != 0; }
  bool IsAnimating() const { return animating_ != 0; }

  void StartAnimation(HWND window, UINT_PTR timerId, UINT period, TIMERPROC proc);
  void StopAnimation(HWND window, UINT_PTR timerId);
  // One step of the fling, by the time elapsed since the last step.
  void Tick(HWND window, UINT_PTR timerId);

  void Draw(HDC dc) override;
  void OnMouseDown(HWND window, int x, int y) override;
  void OnMouseUp(HWND window, int x, int y) override;
  void OnMouseMove(HWND window, int x, int y) override;
  // Over the list, scrolls it as a drag of the same distance would, without a fling:
  // three rows (the system's wheel setting) a notch, snapped back into range at once.
  void OnMouseWheel(HWND window, int x, int y, int delta) override;

 private:
  enum class Range { Short, Top, Bottom, Inside };

  Range CheckRange() const;
  void ClampTo(Range range);
  int RowAt(int y) const;
  void DrawRows(HDC dc, const RECT& area) const;
  void DrawRow(HDC dc, const SelectListItem& item, const RECT& row, bool selected) const;
  void DrawPositionBar(HDC dc, const RECT& area) const;

  HFONT mainFont_ = nullptr;
  HFONT secondFont_ = nullptr;
  COLORREF mainColor_ = 0x00FFFFFF;
  COLORREF mainSelectedColor_ = 0x00000000;
  COLORREF secondColor_ = 0x00CCCCCC;
  COLORREF secondSelectedColor_ = 0x00000000;
  UINT mainFormat_ = DEFAULT_TEXT_FORMAT;
  UINT secondFormat_ = DEFAULT_TEXT_FORMAT;
  RECT mainMargins_;
  RECT secondMargins_;
  HPEN separatorPen_ = nullptr;
  int separatorStyle_ = SEPARATOR_LINE;
  HBITMAP separatorImage_ = nullptr;
  int selectionStyle_ = SELECTION_SOLID;
  COLORREF selectionColor_ = 0x00FFFFFF;
  HBITMAP selectionImage_ = nullptr;
  int rowHeight_;
  std::vector<SelectListItem> items_;
  int contentHeight_ = 0;
  int scrollOffset_ = 0;
  POINT downPoint_ = {-1, -1};
  POINT lastPoint_ = {-1, -1};
  double downTime_ = 0;
  double lastTickTime_ = 0;
  double velocity_ = 0;
  BYTE dragging_ = 0;
  BYTE animating_ = 0;
  COLORREF backgroundColor_ = 0x00000000;
  int selected_ = -1;
  COLORREF scrollBarColor_ = 0x00808080;
  BYTE showScrollBar_ = 1;
};
