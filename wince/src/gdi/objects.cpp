// The handle table, stock objects and the object-level GDI calls.
#include "gdi/objects.h"

#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

namespace wince {
namespace {

// Bitmaps larger than this many pixels (1 GiB at 32 bpp) are refused.
constexpr int64_t kMaxBitmapPixels = int64_t(1) << 28;

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<const GdiObject*, std::unique_ptr<GdiObject>> objects;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // outlives every static destructor
  return *table;
}

GdiObject* FindLocked(HandleTable& table, HGDIOBJ handle) {
  auto it = table.objects.find(static_cast<const GdiObject*>(handle));
  return it == table.objects.end() ? nullptr : it->second.get();
}

HGDIOBJ RegisterStock(std::unique_ptr<GdiObject> object) {
  object->stock = true;
  return RegisterGdiObject(std::move(object));
}

HGDIOBJ MakeSolidBrush(COLORREF color, Brush::Style style) {
  auto brush = std::make_unique<Brush>();
  brush->style = style;
  brush->pixel = PixelFromColor(color);
  return RegisterStock(std::move(brush));
}

HGDIOBJ MakePen(COLORREF color, int style) {
  auto pen = std::make_unique<Pen>();
  pen->style = style;
  pen->pixel = PixelFromColor(color);
  return RegisterStock(std::move(pen));
}

struct StockObjects {
  HGDIOBJ objects[NULL_PEN + 1];
  HBITMAP bitmap;
  StockObjects() {
    objects[WHITE_BRUSH] = MakeSolidBrush(RGB(255, 255, 255), Brush::Style::Solid);
    objects[LTGRAY_BRUSH] = MakeSolidBrush(RGB(192, 192, 192), Brush::Style::Solid);
    objects[GRAY_BRUSH] = MakeSolidBrush(RGB(128, 128, 128), Brush::Style::Solid);
    objects[DKGRAY_BRUSH] = MakeSolidBrush(RGB(64, 64, 64), Brush::Style::Solid);
    objects[BLACK_BRUSH] = MakeSolidBrush(RGB(0, 0, 0), Brush::Style::Solid);
    objects[NULL_BRUSH] = MakeSolidBrush(RGB(0, 0, 0), Brush::Style::Null);
    objects[WHITE_PEN] = MakePen(RGB(255, 255, 255), PS_SOLID);
    objects[BLACK_PEN] = MakePen(RGB(0, 0, 0), PS_SOLID);
    objects[NULL_PEN] = MakePen(RGB(0, 0, 0), PS_NULL);
    auto mono = Bitmap::Create(1, 1, 1);
    mono->surface.pixels[0] = 0xFFFFFF;
    bitmap = static_cast<HBITMAP>(RegisterStock(std::move(mono)));
  }
};

const StockObjects& Stock() {
  static const StockObjects stock;
  return stock;
}

}  // namespace

std::unique_ptr<Bitmap> Bitmap::Create(int width, int height, int bitsPerPixel) {
  if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxBitmapPixels) return nullptr;
  auto bitmap = std::make_unique<Bitmap>();
  size_t count = size_t(width) * size_t(height);
  bitmap->storage_.reset(new (std::nothrow) uint32_t[count]());
  if (!bitmap->storage_) return nullptr;
  bitmap->surface = Surface{width, height, width, bitmap->storage_.get()};
  bitmap->bitsPerPixel = bitsPerPixel;
  return bitmap;
}

// A buffer too small for the whole BITMAP gets nothing, as on Windows.
int Bitmap::Describe(int size, void* buffer) const {
  if (!buffer) return sizeof(BITMAP);
  if (size < int(sizeof(BITMAP))) return 0;
  BITMAP info = {};
  info.bmType = 0;
  info.bmWidth = surface.width;
  info.bmHeight = surface.height;
  // Scan lines of the reported depth, rounded up to a WORD as GetObject reports them.
  info.bmWidthBytes = ((surface.width * bitsPerPixel + 15) / 16) * 2;
  info.bmPlanes = 1;
  info.bmBitsPixel = WORD(bitsPerPixel);
  info.bmBits = dibSection ? surface.pixels : nullptr;
  std::memcpy(buffer, &info, sizeof info);
  return sizeof info;
}

HBITMAP StockBitmap() { return Stock().bitmap; }

HGDIOBJ RegisterGdiObject(std::unique_ptr<GdiObject> object) {
  if (!object) return nullptr;
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  GdiObject* raw = object.get();
  table.objects.emplace(raw, std::move(object));
  return raw;
}

GdiObject* LookupGdiObject(HGDIOBJ handle, GdiKind kind) {
  if (!handle) return nullptr;
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  GdiObject* object = FindLocked(table, handle);
  return object && object->kind() == kind ? object : nullptr;
}

bool HoldGdiObject(HGDIOBJ handle, GdiKind kind) {
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  GdiObject* object = FindLocked(table, handle);
  if (!object || object->kind() != kind || object->deletePending) return false;
  if (object->stock) return true;
  // A bitmap can be selected into one DC at a time.
  if (kind == GdiKind::Bitmap && object->selections > 0) return false;
  ++object->selections;
  return true;
}

void ReleaseGdiObject(HGDIOBJ handle) {
  std::unique_ptr<GdiObject> doomed;  // freed outside the lock
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.objects.find(static_cast<const GdiObject*>(handle));
  if (it == table.objects.end() || it->second->stock) return;
  GdiObject* object = it->second.get();
  if (object->selections > 0) --object->selections;
  if (object->selections == 0 && object->deletePending) {
    doomed = std::move(it->second);
    table.objects.erase(it);
  }
}

bool DestroyGdiObject(HGDIOBJ handle, GdiKind kind) {
  std::unique_ptr<GdiObject> doomed;
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.objects.find(static_cast<const GdiObject*>(handle));
  if (it == table.objects.end() || it->second->kind() != kind) return false;
  GdiObject* object = it->second.get();
  if (object->stock) return true;
  if (object->deletePending) return false;
  if (object->selections > 0) {
    // A selected bitmap cannot be deleted; pens, brushes and fonts go when released.
    if (kind == GdiKind::Bitmap) return false;
    object->deletePending = true;
    return true;
  }
  doomed = std::move(it->second);
  table.objects.erase(it);
  return true;
}

GdiObject* LookupAnyGdiObject(HGDIOBJ handle) {
  if (!handle) return nullptr;
  HandleTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  return FindLocked(table, handle);
}

}  // namespace wince

using namespace wince;

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index > NULL_PEN) return nullptr;
  return Stock().objects[index];
}

BOOL DeleteObject(HGDIOBJ object) {
  GdiObject* found = LookupAnyGdiObject(object);
  if (!found) return FALSE;
  switch (found->kind()) {
    case GdiKind::Bitmap:
    case GdiKind::Brush:
    case GdiKind::Pen:
    case GdiKind::Font:
      return DestroyGdiObject(object, found->kind()) ? TRUE : FALSE;
    default:
      return FALSE;  // DCs go through DeleteDC, icons through DestroyIcon
  }
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
  GdiObject* found = LookupAnyGdiObject(object);
  if (!found || found->kind() == GdiKind::DC || found->kind() == GdiKind::Icon) return 0;
  if (buffer && size <= 0) return 0;
  return found->Describe(size, buffer);
}

DWORD GetObjectType(HGDIOBJ object) {
  GdiObject* found = LookupAnyGdiObject(object);
  if (!found) return 0;
  switch (found->kind()) {
    case GdiKind::Bitmap: return OBJ_BITMAP;
    case GdiKind::Brush: return OBJ_BRUSH;
    case GdiKind::Pen: return OBJ_PEN;
    case GdiKind::Font: return OBJ_FONT;
    case GdiKind::DC: return static_cast<DeviceContext*>(found)->memory ? OBJ_MEMDC : OBJ_DC;
    case GdiKind::Icon: return 0;
  }
  return 0;
}
