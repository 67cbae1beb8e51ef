// The executable's embedded resources: the build generates a table of them
// (res/CMakeLists.txt) and registers it during static initialisation.
#pragma once

#include <cstddef>
#include <cstdint>

#include <windows.h>

namespace wince {

// Text resources are the host's: UTF-8 that the process entry prints for --help (kUsageText)
// and --version (kVersionText) instead of starting the program.
enum class ResourceKind { Bitmap, Icon, Text };
enum { kUsageText = 1, kVersionText = 2 };

// One resource: the bytes of its file (a .bmp, an .ico or a text) as the build embedded them.
struct ResourceEntry {
  ResourceKind kind;
  int id;
  const uint8_t* data;
  size_t size;
};

// Adds the executable's resources; the table must stay valid for the process's life.
void RegisterResources(const ResourceEntry* entries, size_t count);

// The bytes of the resource, or false when the module has no such resource. The
// executable's resources belong to its instance handle and to NULL.
bool FindResourceData(HINSTANCE instance, ResourceKind kind, int id, const uint8_t** data, size_t* size);

}  // namespace wince
