// LoadBitmapW, LoadIconW and DestroyIcon over the resources the build embedded.
#include <mutex>
#include <vector>

#include "gdi/objects.h"
#include "kernel/module.h"
#include "resources/dib.h"
#include "resources/icon.h"
#include "resources/resources.h"

namespace wince {
namespace {

struct Registry {
  std::mutex mutex;
  std::vector<ResourceEntry> entries;
};

Registry& Resources() {
  static Registry* registry = new Registry;  // used during static initialisation
  return *registry;
}

bool FindByName(HINSTANCE instance, LPCWSTR name, ResourceKind kind, const uint8_t** data, size_t* size) {
  if (!name || !IS_INTRESOURCE(name)) return false;
  return FindResourceData(instance, kind, int(reinterpret_cast<uintptr_t>(name)), data, size);
}

}  // namespace

void RegisterResources(const ResourceEntry* entries, size_t count) {
  Registry& registry = Resources();
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.entries.insert(registry.entries.end(), entries, entries + count);
}

bool FindResourceData(HINSTANCE instance, ResourceKind kind, int id, const uint8_t** data, size_t* size) {
  if (instance && instance != ExecutableInstance()) return false;
  Registry& registry = Resources();
  std::lock_guard<std::mutex> lock(registry.mutex);
  for (const ResourceEntry& entry : registry.entries) {
    if (entry.kind == kind && entry.id == id) {
      *data = entry.data;
      *size = entry.size;
      return true;
    }
  }
  return false;
}

}  // namespace wince

using namespace wince;

// A 32-bpp bitmap that reports the resource's own bits per pixel through GetObjectW.
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  DecodedDib image;
  if (!FindByName(instance, name, ResourceKind::Bitmap, &data, &size) || !DecodeBmpFile(data, size, &image)) {
    return nullptr;
  }
  return CreateBitmapFromPixels(image.width, image.height, image.bitsPerPixel, image.pixels.data());
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  DecodedDib image;
  if (!FindByName(instance, name, ResourceKind::Icon, &data, &size) || !DecodeIconFile(data, size, &image)) {
    return nullptr;
  }
  auto icon = std::make_unique<Icon>();
  icon->width = image.width;
  icon->height = image.height;
  icon->pixels = std::move(image.pixels);
  return static_cast<HICON>(RegisterGdiObject(std::move(icon)));
}

BOOL DestroyIcon(HICON icon) { return DestroyGdiObject(icon, GdiKind::Icon) ? TRUE : FALSE; }
