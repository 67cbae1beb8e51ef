// The GDI's objects and device contexts, as the layer's other parts (the text renderer,
// the window system) see them.
#pragma once

#include <memory>

#include <windows.h>

#include "common/surface.h"

namespace wince {

enum class GdiKind { Bitmap, Brush, Pen, Font, DC, Icon };

// Base of every object behind an HGDIOBJ (and HICON). Handles are the objects'
// addresses, but are only ever used after LookupGdiObject has found them alive, so a
// stale or made-up handle is refused instead of followed.
class GdiObject {
 public:
  explicit GdiObject(GdiKind kind) : kind_(kind) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  GdiKind kind() const { return kind_; }
  // Stock objects are never freed; DeleteObject on them succeeds and does nothing.
  bool stock = false;
  // Kept by the handle table: how many DCs hold the object, and whether DeleteObject
  // asked for it while it was held (it is then freed when the last DC lets it go).
  int selections = 0;
  bool deletePending = false;
  // GetObjectW: copies at most size bytes of the object's description into buffer and
  // returns the count written, or the full size when buffer is null; 0 when unsupported.
  virtual int Describe(int size, void* buffer) const { return 0; }

 private:
  GdiKind kind_;
};

// Hands the object to the handle table; the returned handle stays valid until
// DeleteObject (or DestroyIcon) frees it. Null when object is null.
HGDIOBJ RegisterGdiObject(std::unique_ptr<GdiObject> object);
// The live object of that kind behind the handle, or null.
GdiObject* LookupGdiObject(HGDIOBJ handle, GdiKind kind);

template <typename T>
T* LookupGdi(HGDIOBJ handle, GdiKind kind) {
  return static_cast<T*>(LookupGdiObject(handle, kind));
}

// A device context. Coordinates given to GDI calls are logical; the surface pixel of
// logical (x, y) is (x + origin.x, y + origin.y). Every drawing is clipped to the
// surface's bounds. surface is null while the DC has nothing to draw on (a new memory
// DC holds only the 1x1 monochrome stock bitmap): drawing then does nothing.
struct DeviceContext : GdiObject {
  DeviceContext() : GdiObject(GdiKind::DC) {}

  Surface* surface = nullptr;
  POINT origin = {0, 0};
  bool memory = true;  // a memory DC (takes bitmaps), not a window's

  HBITMAP bitmap = nullptr;  // memory DCs only
  HBRUSH brush = nullptr;
  HPEN pen = nullptr;
  HFONT font = nullptr;  // created and interpreted by the text renderer; null: the system font

  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  POINT position = {0, 0};  // MoveToEx / LineTo
};

inline DeviceContext* LookupDC(HDC dc) { return LookupGdi<DeviceContext>(dc, GdiKind::DC); }

// 0x00BBGGRR (COLORREF) to the surfaces' 0x00RRGGBB and back.
inline uint32_t PixelFromColor(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ColorFromPixel(uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

}  // namespace wince
