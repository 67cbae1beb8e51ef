// The executable's embedded resources: the build generates a table of them
// (res/CMakeLists.txt) and registers it during static initialisation.
#pragma once

#include <cstddef>
#include <cstdint>

#include <windows.h>

namespace wince {

enum class ResourceKind { Bitmap, Icon };

// One resource: the bytes of its file (a .bmp or an .ico) as the build embedded them.
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
