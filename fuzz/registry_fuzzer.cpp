// The registry file's parser on any text: whatever it reads, it writes back as a file
// that reads cleanly to the same values.
#include <cstdlib>
#include <string>

#include "registry/hive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wince::registry::Hive hive;
  wince::registry::Hive::FromText(std::string(reinterpret_cast<const char*>(data), size), &hive);
  const std::string written = hive.ToText();
  wince::registry::Hive again;
  if (!wince::registry::Hive::FromText(written, &again) || again.ToText() != written) std::abort();
  return 0;
}
