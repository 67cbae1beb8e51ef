// The skin's font heights follow the screen's vertical DPI. The layer reads the DPI once
// per process, so each test sets WINCE_DPI before anything asks for it and ctest runs it
// in a process of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gfx/ScreenCaps.h"
#include "gfx/Skin.h"

namespace {

struct Expected {
  HFONT font;
  LONG height;
  LONG weight;
};

void ExpectFontHeightsAt(int dpi, LONG h14, LONG h16, LONG h18) {
  setenv("WINCE_DPI", std::to_string(dpi).c_str(), 1);
  if (GetScreenDeviceCaps(LOGPIXELSY) != dpi) {
    GTEST_SKIP() << "the screen's DPI was read before this test: run it in its own process";
  }
  Skin skin;
  ASSERT_EQ(1, skin.LoadSkin(TEXT("\\nonexistent\\")));
  for (Expected e : {Expected{skin.Font14, h14, 500}, Expected{skin.Font16, h16, 500},
                     Expected{skin.Font18, h18, 500}, Expected{skin.Font14Bold, h14, 600},
                     Expected{skin.Font16Bold, h16, 600}, Expected{skin.Font18Bold, h18, 600}}) {
    LOGFONTW lf{};
    ASSERT_NE(0, GetObjectW(e.font, sizeof(lf), &lf));
    EXPECT_EQ(e.height, lf.lfHeight);
    EXPECT_EQ(e.weight, lf.lfWeight);
    EXPECT_EQ(std::u16string(u"HelveticaNeue LT 35 Thin"), std::u16string(lf.lfFaceName));
  }
  skin.ReleaseSkin();
}

TEST(GfxSkinFontHeights, At96Dpi) { ExpectFontHeightsAt(96, 14, 16, 18); }
TEST(GfxSkinFontHeights, At131DpiRoundToNearest) { ExpectFontHeightsAt(131, 19, 22, 25); }
TEST(GfxSkinFontHeights, At192Dpi) { ExpectFontHeightsAt(192, 28, 32, 36); }

}  // namespace
