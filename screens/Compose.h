// What the page compositions share: the screen size, rectangles, frames, and the two
// passes of every page (create and publish the widgets, then configure and link them).
#pragma once

#include <atomic>
#include <initializer_list>
#include <windows.h>

#include "gfx/Skin.h"
#include "touchui/TouchControl.h"

// The screen's width and height as GetSystemMetrics reports them while the pages are built.
struct ScreenSize {
  int W;
  int H;
};

// A rectangle as x, y, width, height in screen pixels (absolute, not panel-relative).
struct Box {
  int x;
  int y;
  int width;
  int height;
};

// Caption formats (DrawTextW flags), all one line ending in "..." when cut.
constexpr UINT TEXT_LEFT = DEFAULT_TEXT_FORMAT;  // left, vertically centred
constexpr UINT TEXT_CENTERED = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT TEXT_CENTERED_TOP = DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT TEXT_CENTERED_BOTTOM = DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS;

class TouchButton;

// One image of a widget's frame: the ImageKind slot and the bitmap stored there.
struct ImageRef {
  int kind;
  HBITMAP bitmap;
};

// What the pages are built from; images and fonts stay owned by the skin and resources.
struct Look {
  const Skin& skin;
  HBITMAP aboutPicture;
  HBITMAP donateUp;
  HBITMAP donateDown;
  ScreenSize screen;
};

// Constructs a widget with its id and publishes it in its global at once.
template <class Widget>
Widget* Create(std::atomic<Widget*>& global, int id) {
  Widget* widget = new Widget(id);
  global.store(widget, std::memory_order_release);
  return widget;
}

void Place(TouchControl* widget, const Box& box);

// Bounds, the images of the frame, its style and its fit.
template <class Widget>
void Frame(Widget* widget, const Box& box, std::initializer_list<ImageRef> images, int style,
           int fit) {
  Place(widget, box);
  for (const ImageRef& image : images) widget->SetImage(image.bitmap, image.kind);
  widget->SetFrameStyle(style);
  widget->SetFrameFit(fit);
}

// A fixed line of text: its font, DrawTextW format and the widget's bounds.
void Text(TouchControl* widget, const Box& box, const WCHAR* text, HFONT font, UINT format);

// A panel: bounds, hidden until the page switching shows it, and its children in painting
// and input order.
void Panel(TouchPanel* panel, const Box& box, std::initializer_list<TouchControl*> children);

// Each page in two steps: Create* constructs and publishes its widgets (the panel last),
// Compose* gives them their looks and links the panel.
void CreateTabs();
void ComposeTabs(const Look& look);
void CreateHomePage();
void ComposeHomePage(const Look& look);
void CreateSoundsPage();
void ComposeSoundsPage(const Look& look);
void CreateSettingsPage();
void ComposeSettingsPage(const Look& look);
void CreateAboutPage();
void ComposeAboutPage(const Look& look);
void CreatePickerPage();
void ComposePickerPage(const Look& look);
void CreateBars();
void ComposeBars(const Look& look);

// BACK, OK or CANCEL: the masked bottom-bar button 200 x 60 at x, 24 pixels below the bar's
// top, with its caption in the back buffer's current font.
void BottomBarButton(TouchButton* button, const Look& look, int x, const WCHAR* caption);
