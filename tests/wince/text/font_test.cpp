// CreateFontIndirectW: matching through fontconfig, Windows heights, metrics, lifetime.
#include <fontconfig/fontconfig.h>

#include <climits>
#include <thread>

#include "text_fixture.h"

#include "text/font.h"
#include "text/font_engine.h"

namespace {

using text_test::kSkinFace;
using text_test::MakeFont;

class WinceFontTest : public text_test::TextCanvas {
 protected:
  TEXTMETRICW MetricsOf(HFONT font) {
    HGDIOBJ previous = SelectObject(dc_, font);
    TEXTMETRICW tm{};
    EXPECT_TRUE(GetTextMetricsW(dc_, &tm));
    SelectObject(dc_, previous);
    return tm;
  }
};

// The skin's face is not installed: its Helvetica-metric substitute is matched, bold for
// semibold, and DejaVu Sans only for what the substitute does not have.
TEST_F(WinceFontTest, MissingFaceFallsBackToItsHelveticaMetricSubstitute) {
  wince::FontMatch skin, nimbus;
  ASSERT_TRUE(wince::MatchFont("HelveticaNeue LT 35 Thin", 500, false, &skin));
  ASSERT_TRUE(wince::MatchFont("Nimbus Sans", 500, false, &nimbus));
  EXPECT_EQ(skin.file, nimbus.file);
  EXPECT_NE(skin.file.find("NimbusSans-Regular"), std::string::npos) << skin.file;
  EXPECT_FALSE(skin.embolden);
  wince::FontMatch semibold;
  ASSERT_TRUE(wince::MatchFont("HelveticaNeue LT 35 Thin", 600, false, &semibold));
  EXPECT_NE(semibold.file.find("NimbusSans-Bold"), std::string::npos) << semibold.file;
  EXPECT_FALSE(semibold.embolden);

  // A face nobody substitutes still gets the default sans face.
  wince::FontMatch unknown, sans;
  ASSERT_TRUE(wince::MatchFont("No Such Face", 500, false, &unknown));
  ASSERT_TRUE(wince::MatchFont("sans-serif", 500, false, &sans));
  EXPECT_EQ(unknown.file, sans.file);

  HFONT font = MakeFont(28);
  EXPECT_NE(font, nullptr);
  EXPECT_TRUE(DeleteObject(font));
}

// Positive heights are cell heights (ascent + descent), negative ones em heights.
TEST_F(WinceFontTest, PositiveHeightIsTheCellAndNegativeTheEm) {
  for (int height : {1, 9, 14, 16, 18, 19, 22, 25, 28, 32, 36, 72}) {
    SCOPED_TRACE(::testing::Message() << "height " << height);
    HFONT cell = MakeFont(height);
    ASSERT_NE(cell, nullptr);
    const TEXTMETRICW tm = MetricsOf(cell);
    EXPECT_EQ(tm.tmHeight, height);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, height);
    EXPECT_GE(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmWeight, FW_MEDIUM);
    DeleteObject(cell);

    HFONT em = MakeFont(-height);
    ASSERT_NE(em, nullptr);
    const TEXTMETRICW emTm = MetricsOf(em);
    EXPECT_EQ(emTm.tmHeight - emTm.tmInternalLeading, height);
    EXPECT_GE(emTm.tmHeight, height);
    DeleteObject(em);
  }
}

// Heights beyond any screen give no font (checked without overflow under UBSan).
TEST_F(WinceFontTest, ZeroHeightGivesTheDefaultHeightAndAbsurdHeightsNoFont) {
  HFONT font = MakeFont(0);
  ASSERT_NE(font, nullptr);
  EXPECT_GT(MetricsOf(font).tmHeight, 8);
  DeleteObject(font);
  for (int height : {INT_MIN, -100000, 100000, INT_MAX}) EXPECT_EQ(nullptr, MakeFont(height)) << height;
}

TEST_F(WinceFontTest, ExtentAgreesWithMetricsAndAddsUp) {
  HFONT font = MakeFont(32);
  SelectObject(dc_, font);
  EXPECT_EQ(Extent(TEXT("Chime")).cy, 32);
  EXPECT_EQ(Extent(TEXT("Chi")).cx + Extent(TEXT("me")).cx, Extent(TEXT("Chime")).cx);
  EXPECT_EQ(Extent(TEXT(""), 0).cx, 0);
  EXPECT_GT(Extent(TEXT("WWW")).cx, Extent(TEXT("iii")).cx);
  SIZE size;
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, TEXT("x"), -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32W(nullptr, TEXT("x"), 1, &size));
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));  // not a font: the font stays
  DeleteObject(font);
}

TEST_F(WinceFontTest, GetObjectReturnsTheLogicalFont) {
  HFONT font = MakeFont(22, FW_SEMIBOLD);
  LOGFONTW lf{};
  EXPECT_EQ(GetObjectW(font, sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfHeight, 22);
  EXPECT_EQ(lf.lfWeight, FW_SEMIBOLD);
  EXPECT_EQ(lf.lfCharSet, EASTEUROPE_CHARSET);
  EXPECT_EQ(lf.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(std::u16string(lf.lfFaceName), std::u16string(kSkinFace));
  EXPECT_EQ(GetObjectW(font, 0, nullptr), int(sizeof lf));
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_FALSE(DeleteObject(font));
}

// A face name without its terminator is cut at 31 characters.
TEST_F(WinceFontTest, OverlongFaceNameIsCut) {
  LOGFONTW lf{};
  lf.lfHeight = 20;
  for (WCHAR& c : lf.lfFaceName) c = u'Z';
  HFONT font = CreateFontIndirectW(&lf);
  ASSERT_NE(font, nullptr);
  LOGFONTW back{};
  GetObjectW(font, sizeof back, &back);
  EXPECT_EQ(std::u16string(back.lfFaceName).size(), size_t(LF_FACESIZE - 1));
  DeleteObject(font);
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
}

// Fonts of the same face and size share one rendered glyph cache.
TEST_F(WinceFontTest, FontsOfTheSameFaceAndSizeShareGlyphs) {
  HFONT first = MakeFont(26);
  HFONT second = MakeFont(26);
  SelectObject(dc_, first);
  Draw(TEXT("abc"), {0, 0, 200, 60}, DT_SINGLELINE);
  EXPECT_EQ(wince::GlyphCacheSize(second), wince::GlyphCacheSize(first));
  EXPECT_GE(wince::GlyphCacheSize(second), 3u);
  SelectObject(dc_, second);
  DeleteObject(first);
  Draw(TEXT("abc"), {0, 0, 200, 60}, DT_SINGLELINE);
  EXPECT_GE(wince::GlyphCacheSize(second), 3u);
  DeleteObject(second);
}

// A deleted font that is still selected is freed only when the DC lets go of it.
TEST_F(WinceFontTest, SelectedFontOutlivesDeleteUntilDeselected) {
  HFONT font = MakeFont(30);
  HFONT other = MakeFont(20);
  SelectObject(dc_, font);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(Extent(TEXT("x")).cy, 30);
  EXPECT_EQ(SelectObject(dc_, other), font);
  EXPECT_EQ(Extent(TEXT("x")).cy, 20);
  EXPECT_EQ(SelectObject(dc_, font), nullptr);  // gone now
  DeleteObject(other);
}

TEST_F(WinceFontTest, WithoutAFontTheSystemFontDraws) {
  HFONT system = wince::SystemFont();
  ASSERT_NE(system, nullptr);
  EXPECT_EQ(wince::SystemFont(), system);
  EXPECT_EQ(MetricsOf(system).tmHeight, Extent(TEXT("x")).cy);
  EXPECT_EQ(Draw(TEXT("x"), {0, 0, 100, 100}, DT_SINGLELINE), Extent(TEXT("x")).cy);
  EXPECT_TRUE(DeleteObject(system));  // a stock object: deleting it does nothing
  EXPECT_EQ(MetricsOf(system).tmHeight, Extent(TEXT("x")).cy);
}

// A DC starts with the system font, so putting back what SelectObject returned
// deselects the caller's font and lets a deleted font go at once.
TEST_F(WinceFontTest, ANewDCHoldsTheSystemFontAndGetsItBack) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), wince::SystemFont());
  HFONT font = MakeFont(30);
  HGDIOBJ previous = SelectObject(dc, font);
  EXPECT_EQ(previous, wince::SystemFont());
  EXPECT_EQ(SelectObject(dc, previous), font);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), wince::SystemFont());
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(SelectObject(dc, font), nullptr);  // freed, not waiting for the DC
  DeleteDC(dc);
}

// Fonts are created by the loading thread while the main thread draws.
TEST_F(WinceFontTest, FontsCanBeCreatedAndDrawnOnTwoThreadsAtOnce) {
  HFONT mainFont = MakeFont(24);
  SelectObject(dc_, mainFont);
  std::thread loader([] {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 32);
    SelectObject(dc, bitmap);
    for (int i = 0; i < 20; ++i) {
      HFONT font = MakeFont(24 + i % 3, i % 2 ? FW_SEMIBOLD : FW_MEDIUM);
      HGDIOBJ previous = SelectObject(dc, font);
      RECT rect{0, 0, 64, 32};
      DrawTextW(dc, TEXT("Loading"), -1, &rect, DT_SINGLELINE | DT_END_ELLIPSIS);
      SelectObject(dc, previous);
      DeleteObject(font);
    }
    DeleteDC(dc);
    DeleteObject(bitmap);
  });
  for (int i = 0; i < 20; ++i) Draw(TEXT("Splash 42%"), {0, 0, 200, 40}, DT_SINGLELINE | DT_CENTER);
  loader.join();
  SelectObject(dc_, wince::SystemFont());
  DeleteObject(mainFont);
}

}  // namespace
