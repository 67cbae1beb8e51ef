// Device contexts: creation, selection of objects, colours and modes, capabilities.
#include "gdi/dc.h"

#include "gdi/objects.h"
#include "text/font.h"
#include "user/display.h"

namespace wince {
namespace {

std::unique_ptr<DeviceContext> NewDC(Surface* surface, bool memory) {
  auto dc = std::make_unique<DeviceContext>();
  dc->surface = surface;
  dc->memory = memory;
  dc->brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc->pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  if (memory) dc->bitmap = StockBitmap();
  return dc;
}

// Lets go of everything the DC holds, then frees it.
BOOL DestroyDC(HDC handle, bool memory) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc || dc->memory != memory) return FALSE;
  ReleaseGdiObject(dc->bitmap);
  ReleaseGdiObject(dc->brush);
  ReleaseGdiObject(dc->pen);
  ReleaseGdiObject(dc->font);
  return DestroyGdiObject(handle, GdiKind::DC) ? TRUE : FALSE;
}

// Swaps the DC's slot for object; the previous object is returned, or null when object
// cannot be selected.
template <typename H>
HGDIOBJ Swap(H* slot, HGDIOBJ object, GdiKind kind) {
  if (*slot == object) return object;
  if (!HoldGdiObject(object, kind)) return nullptr;
  HGDIOBJ previous = *slot;
  *slot = static_cast<H>(object);
  ReleaseGdiObject(previous);
  return previous;
}

}  // namespace

HDC CreateSurfaceDC(Surface* surface) {
  return static_cast<HDC>(RegisterGdiObject(NewDC(surface, false)));
}

void ReleaseSurfaceDC(HDC dc) { DestroyDC(dc, false); }

}  // namespace wince

using namespace wince;

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !LookupDC(dc)) return nullptr;
  return static_cast<HDC>(RegisterGdiObject(NewDC(nullptr, true)));
}

BOOL DeleteDC(HDC dc) { return DestroyDC(dc, true); }

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
  DeviceContext* dc = LookupDC(handle);
  GdiObject* found = LookupAnyGdiObject(object);
  if (!dc || !found) return nullptr;
  switch (found->kind()) {
    case GdiKind::Bitmap: {
      if (!dc->memory) return nullptr;
      HGDIOBJ previous = Swap(&dc->bitmap, object, GdiKind::Bitmap);
      if (previous) {
        // The stock bitmap is 1x1 and shared by every new DC: nothing draws into it.
        dc->surface = object == StockBitmap() ? nullptr : &static_cast<Bitmap*>(found)->surface;
      }
      return previous;
    }
    case GdiKind::Brush: return Swap(&dc->brush, object, GdiKind::Brush);
    case GdiKind::Pen: return Swap(&dc->pen, object, GdiKind::Pen);
    case GdiKind::Font: {
      // A DC starts with the system font, which is made only once text is asked for.
      HGDIOBJ previous = dc->font ? HGDIOBJ(dc->font) : HGDIOBJ(SystemFont());
      Swap(&dc->font, object, GdiKind::Font);
      return dc->font == object ? previous : nullptr;
    }
    default: return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_BITMAP: return dc->bitmap;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_PEN: return dc->pen;
    case OBJ_FONT: return dc->font ? dc->font : SystemFont();
    default: return nullptr;
  }
}

int GetDeviceCaps(HDC handle, int index) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc) return 0;
  const DisplayConfig& display = Display();
  switch (index) {
    // A memory DC reports the screen it is compatible with, not its bitmap.
    case HORZRES: return display.width;
    case VERTRES: return display.height;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return display.dpi;
    default: return 0;
  }
}

int SetBkMode(HDC handle, int mode) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

int GetBkMode(HDC handle) {
  DeviceContext* dc = LookupDC(handle);
  return dc ? dc->bkMode : 0;
}

COLORREF SetBkColor(HDC handle, COLORREF color) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->bkColor;
  dc->bkColor = color & 0xFFFFFF;
  return previous;
}

COLORREF GetBkColor(HDC handle) {
  DeviceContext* dc = LookupDC(handle);
  return dc ? dc->bkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC handle, COLORREF color) {
  DeviceContext* dc = LookupDC(handle);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->textColor;
  dc->textColor = color & 0xFFFFFF;
  return previous;
}

COLORREF GetTextColor(HDC handle) {
  DeviceContext* dc = LookupDC(handle);
  return dc ? dc->textColor : CLR_INVALID;
}
