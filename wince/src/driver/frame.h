// Copies of pixel surfaces for the test driver.
#pragma once

#include "common/surface.h"
#include "wince/testdriver.h"

namespace wince::test {

Frame CopySurface(const Surface& surface);

}  // namespace wince::test
