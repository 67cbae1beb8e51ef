// The widget base class, the container panel and the shared widget enumerations.
//
// Widgets are plain objects placed in the main window's client area. They draw
// themselves through the drawing primitives, hit-test touches against their own
// rectangle and report what happened by posting WM_COMMAND to the main window:
// LOWORD(wParam) = id, HIWORD(wParam) = notification code, lParam = the widget.
#pragma once

#include <vector>
#include <windows.h>

#include "gfx/Draw.h"

// Slot of a widget's image table that SetImage stores a bitmap in.
enum ImageKind {
  IMAGE_NORMAL = 1,
  IMAGE_NORMAL_MASK = 2,
  IMAGE_PRESSED = 3,
  IMAGE_PRESSED_MASK = 4,
  IMAGE_LEFT_PRESSED = 5,
  IMAGE_LEFT_PRESSED_MASK = 6,
  IMAGE_RIGHT_PRESSED = 7,
  IMAGE_RIGHT_PRESSED_MASK = 8,
  IMAGE_DISABLED = 9,
  IMAGE_DISABLED_MASK = 10,
  IMAGE_BUTTON_ICON = 13,
};

// How a frame is drawn: the image alone, or its mask (SRCAND) then the image (SRCPAINT).
enum FrameStyle { FRAME_SINGLE = 1, FRAME_MASKED = 2 };

// Where a frame goes: centred at the bitmap's own size, or stretched to the rectangle.
enum FrameFit { FIT_CENTERED = 1, FIT_STRETCHED = 2 };

// Notification code in the high word of a widget's WM_COMMAND.
enum TouchNotify {
  TN_PRESSED = 1,
  TN_MOVED = 2,
  TN_RELEASED = 3,
  TN_CLICKED = 4,
  TN_TOGGLED = 5,
  TN_CHANGED = 6,
};

// Caption format of a new widget: DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER.
constexpr UINT DEFAULT_TEXT_FORMAT = 0x8024;

class TouchPanel;

class TouchControl {
 public:
  explicit TouchControl(int id);
  virtual ~TouchControl() = default;

  virtual void Draw(HDC dc);
  virtual void OnMouseDown(HWND window, int x, int y);
  virtual void OnMouseUp(HWND window, int x, int y);
  virtual void OnMouseMove(HWND window, int x, int y);
  // The fingers after the first (pointer messages) reach every widget as the stylus does;
  // only push buttons act on them.
  virtual void OnPointerDown(HWND window, UINT pointer, int x, int y) {}
  virtual void OnPointerUp(HWND window, UINT pointer, int x, int y) {}
  // The mouse wheel turned by delta (WHEEL_DELTA a notch) with the pointer at (x, y);
  // only scrolling widgets take it.
  virtual void OnMouseWheel(HWND window, int x, int y, int delta) {}

  void SetBounds(int x, int y, int width, int height);
  int X() const { return x_; }
  int Y() const { return y_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void GetBounds(SkinRect* rect) const;
  int Id() const { return id_; }
  TouchPanel* Owner() const { return owner_; }
  bool IsPressed() const { return pressed_ != 0; }

  void SetVisible(bool visible) { visible_ = visible ? 1 : 0; }
  bool IsVisible() const { return visible_ != 0; }
  void SetEnabled(bool enabled) { enabled_ = enabled ? 1 : 0; }
  bool IsEnabled() const { return enabled_ != 0; }

  // Copies a text of 1 to 259 characters into the caption; null, empty or longer
  // texts leave it unchanged.
  void SetText(const WCHAR* text);
  // Copies the caption into a buffer of MAX_PATH characters; nothing for null.
  void GetText(WCHAR* buffer) const;
  void SetFont(HFONT font) { font_ = font; }
  void SetTextColors(COLORREF normal, COLORREF pressed);
  void SetTextFormat(UINT format) { textFormat_ = format; }
  void SetTextMargins(int left, int top, int right, int bottom);

  bool HitTest(int x, int y) const;
  void Invalidate(HWND window) const;
  void Notify(HWND window, int code);

  void DrawIfVisible(HDC dc);
  void DispatchMouseDown(HWND window, int x, int y);
  void DispatchMouseUp(HWND window, int x, int y);
  void DispatchMouseMove(HWND window, int x, int y);
  void DispatchPointerDown(HWND window, UINT pointer, int x, int y);
  void DispatchPointerUp(HWND window, UINT pointer, int x, int y);
  void DispatchMouseWheel(HWND window, int x, int y, int delta);

 protected:
  friend class TouchPanel;

  // The widget's rectangle moved inward by margins (left, top, right, bottom).
  RECT InsetBounds(const RECT& margins) const;
  // The caption in the widget's rectangle moved inward by the text margins.
  void DrawCaption(HDC dc, COLORREF color) const;

  BYTE pressed_ = 0;
  BYTE acceptsInput_ = 1;
  int id_;
  WCHAR caption_[MAX_PATH] = {};
  int x_ = 0;
  int y_ = 0;
  int width_;
  int height_;
  BYTE visible_ = 1;
  BYTE enabled_ = 1;
  HFONT font_ = nullptr;
  COLORREF textColor_ = 0x00FFFFFF;
  COLORREF pressedTextColor_ = 0x00000000;
  UINT textFormat_ = DEFAULT_TEXT_FORMAT;
  RECT textMargins_;
  TouchPanel* owner_ = nullptr;
};

// A container without looks of its own: paints and dispatches to its children in the
// order they were added. Children are referred to, never owned.
class TouchPanel : public TouchControl {
 public:
  explicit TouchPanel(int id) : TouchControl(id) {}

  void Draw(HDC dc) override;
  void OnMouseDown(HWND window, int x, int y) override;
  void OnMouseUp(HWND window, int x, int y) override;
  void OnMouseMove(HWND window, int x, int y) override;
  void OnPointerDown(HWND window, UINT pointer, int x, int y) override;
  void OnPointerUp(HWND window, UINT pointer, int x, int y) override;
   void OnMouseWheel(HWND window, int x, int y, int delta) override;
  virtual void AddChild(TouchControl* child);

  const std::vector<TouchControl*>& Children() const { return children_; }

 private:
  std::vector<TouchControl*> children_;
};

// A text of 1 to 259 characters copied into a MAX_PATH field; anything else leaves the
// field unchanged.
void CopyWidgetText(WCHAR* field, const WCHAR* text);
