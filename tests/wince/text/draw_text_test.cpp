// DrawTextW: placement, ellipsis, clipping, colours and the flags the program uses.
#include "text_fixture.h"

#include <cstdlib>
#include <mutex>
#include <string>

#include "text/font.h"

namespace {

using text_test::Box;
using text_test::MakeFont;

class WinceDrawTextTest : public text_test::TextCanvas {
 protected:
  void SetUp() override {
    TextCanvas::SetUp();
    font_ = MakeFont(28);
    ASSERT_NE(font_, nullptr);
    previousFont_ = SelectObject(dc_, font_);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(dc_, &tm));
    lineHeight_ = tm.tmHeight;
  }
  void TearDown() override {
    SelectObject(dc_, previousFont_);
    EXPECT_TRUE(DeleteObject(font_));
    if (other_) EXPECT_TRUE(DeleteObject(other_));
    TextCanvas::TearDown();
  }

  // Selects a font of another height for the rest of the test.
  bool UseHeight(int height) {
    other_ = MakeFont(height);
    return other_ && SelectObject(dc_, other_);
  }

  // Where the ink of text lands when drawn with format in rect.
  Box InkOf(const WCHAR* text, RECT rect, UINT format, int* result = nullptr) {
    Clear();
    const int height = Draw(text, rect, format);
    if (result) *result = height;
    return Ink();
  }

  HFONT font_ = nullptr;
  HFONT other_ = nullptr;
  HGDIOBJ previousFont_ = nullptr;
  int lineHeight_ = 0;
};

TEST_F(WinceDrawTextTest, PlacesASingleLineAsWindowsDoes) {
  const WCHAR* text = TEXT("Hog");
  const int width = Extent(text).cx;
  for (RECT rect : {RECT{10, 10, 211, 91}, RECT{10, 10, 210, 90}}) {
    SCOPED_TRACE(::testing::Message() << "rect " << rect.right << " x " << rect.bottom);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    int result = 0;
    const Box topLeft = InkOf(text, rect, DT_SINGLELINE, &result);
    EXPECT_EQ(result, lineHeight_);
    auto shifted = [&](int dx, int dy) {
      return Box{topLeft.left + dx, topLeft.top + dy, topLeft.right + dx, topLeft.bottom + dy};
    };
    // The result is the distance from the rectangle's top to the line's bottom.
    EXPECT_EQ(InkOf(text, rect, DT_SINGLELINE | DT_VCENTER, &result),
              shifted(0, (h - lineHeight_) / 2));
    EXPECT_EQ(result, (h - lineHeight_) / 2 + lineHeight_);
    EXPECT_EQ(InkOf(text, rect, DT_SINGLELINE | DT_BOTTOM, &result), shifted(0, h - lineHeight_));
    EXPECT_EQ(result, h);
    EXPECT_EQ(InkOf(text, rect, DT_SINGLELINE | DT_CENTER), shifted((w - width) / 2, 0));
    EXPECT_EQ(InkOf(text, rect, DT_SINGLELINE | DT_RIGHT), shifted(w - width, 0));
    EXPECT_EQ(InkOf(text, rect, DT_SINGLELINE | DT_CENTER | DT_BOTTOM | DT_END_ELLIPSIS),
              shifted((w - width) / 2, h - lineHeight_));
  }
}

TEST_F(WinceDrawTextTest, InkStaysInsideTheLineCellAndTheMeasuredWidth) {
  const WCHAR* text = TEXT("Wjg|");
  const Box ink = InkOf(text, {20, 20, 220, 100}, DT_SINGLELINE);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.bottom, 20 + lineHeight_);
  EXPECT_GE(ink.left, 20 - 2);
  EXPECT_LE(ink.right, 20 + Extent(text).cx + 2);
}

// The longest start of the text that leaves room for "..." is kept.
TEST_F(WinceDrawTextTest, EndEllipsisDropsCharactersUntilTheRestFits) {
  const std::u16string text = TEXT("Wonderful chimes of the evening");
  const int dots = Extent(TEXT("...")).cx;
  for (int width : {60, 97, 150, 201}) {
    SCOPED_TRACE(::testing::Message() << "width " << width);
    int keep = 0;
    while (keep < int(text.size()) && Extent(text.c_str(), keep + 1).cx + dots <= width) ++keep;
    const std::u16string expected = text.substr(0, keep) + TEXT("...");
    Clear();
    Draw(text.c_str(), {5, 5, 5 + width, 60}, DT_SINGLELINE | DT_END_ELLIPSIS);
    const auto cut = Snapshot();
    Clear();
    Draw(expected.c_str(), {5, 5, 5 + width, 60}, DT_SINGLELINE);
    EXPECT_EQ(cut, Snapshot()) << "expected to show " << std::string(expected.begin(), expected.end());
  }
}

TEST_F(WinceDrawTextTest, EndEllipsisAloneWhenNothingElseFitsAndUntouchedWhenAllFits) {
  const RECT narrow{5, 5, 5 + Extent(TEXT("W...")).cx - 1, 60};
  Clear();
  Draw(TEXT("Wonderful"), narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
  const auto cut = Snapshot();
  Clear();
  Draw(TEXT("..."), narrow, DT_SINGLELINE);
  EXPECT_EQ(cut, Snapshot());

  const RECT wide{5, 5, 5 + Extent(TEXT("Chime")).cx, 60};
  Clear();
  Draw(TEXT("Chime"), wide, DT_SINGLELINE | DT_END_ELLIPSIS);
  const auto whole = Snapshot();
  Clear();
  Draw(TEXT("Chime"), wide, DT_SINGLELINE);
  EXPECT_EQ(whole, Snapshot());
}

TEST_F(WinceDrawTextTest, ClipsToTheRectangleUnlessNoClipAndAlwaysToTheBitmap) {
  const RECT small{50, 40, 90, 50};
  const Box ink = InkOf(TEXT("WWWWWWWW"), small, DT_SINGLELINE | DT_VCENTER);
  EXPECT_GE(ink.left, small.left);
  EXPECT_GE(ink.top, small.top);
  EXPECT_LE(ink.right, small.right);
  EXPECT_LE(ink.bottom, small.bottom);
  EXPECT_LT(ink.left, ink.right);

  const Box free = InkOf(TEXT("WWWWWWWW"), small, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  EXPECT_GT(free.right, small.right);
  EXPECT_LT(free.top, small.top);

  // Far outside or straddling the bitmap: nothing is written out of bounds.
  for (RECT rect : {RECT{-100, -30, 40, 10}, RECT{200, 100, 400, 300}, RECT{-5000, -5000, 9000, 9000},
                    RECT{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                    RECT{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}}) {
    Draw(TEXT("Clipped text"), rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
    Draw(TEXT("Clipped text"), rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}

// Full coverage is exactly the text colour; edges blend it with what was there.
TEST_F(WinceDrawTextTest, BlendsTheTextColourOverTheTarget) {
  SetTextColor(dc_, RGB(255, 0, 0));
  InkOf(TEXT("Mill"), {10, 10, 230, 110}, DT_SINGLELINE);
  int solid = 0, partial = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t p = Pixel(x, y);
      if (p == kWhite) continue;
      ASSERT_EQ(p >> 16, 0xFFu) << x << "," << y;       // red stays full
      ASSERT_EQ((p >> 8) & 0xFF, p & 0xFF) << x << "," << y;  // green and blue fall alike
      (p == 0xFF0000 ? solid : partial)++;
    }
  EXPECT_GT(solid, 0);
  EXPECT_GT(partial, 0);  // anti-aliased
}

TEST_F(WinceDrawTextTest, OpaqueModeFillsTheTextCellWithTheBackgroundColour) {
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, RGB(0, 0, 255));
  const WCHAR* text = TEXT("Tone");
  Clear();
  Draw(text, {10, 10, 230, 110}, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const int left = 10 + (220 - Extent(text).cx) / 2;
  const int top = 10 + (100 - lineHeight_) / 2;
  const int right = left + Extent(text).cx, bottom = top + lineHeight_;
  const Box ink = Ink();
  EXPECT_EQ(ink.top, top);
  EXPECT_EQ(ink.bottom, bottom);
  EXPECT_GE(ink.left, left - 2);  // a glyph may overhang its cell by its bearing
  EXPECT_LE(ink.right, right + 2);
  for (int x : {left, right - 1})
    for (int y : {top, bottom - 1}) EXPECT_EQ(Pixel(x, y), 0x0000FFu) << x << "," << y;
  EXPECT_EQ(Pixel((left + right) / 2, top - 1), kWhite);
  EXPECT_EQ(Pixel((left + right) / 2, bottom), kWhite);
}

TEST_F(WinceDrawTextTest, CalcRectMeasuresWithoutDrawing) {
  RECT rect{7, 9, 500, 500};
  const int height = DrawTextW(dc_, TEXT("Pick a sound"), -1, &rect, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(height, lineHeight_);
  EXPECT_EQ(rect.left, 7);
  EXPECT_EQ(rect.top, 9);
  EXPECT_EQ(rect.right, 7 + Extent(TEXT("Pick a sound")).cx);
  EXPECT_EQ(rect.bottom, 9 + lineHeight_);
  EXPECT_EQ(Ink(), (Box{kWidth, kHeight, 0, 0}));
}

TEST_F(WinceDrawTextTest, CountLimitsTheTextAndMinusOneMeansZeroTerminated) {
  RECT rect{5, 5, 235, 60};
  Clear();
  DrawTextW(dc_, TEXT("Chimes"), 3, &rect, DT_SINGLELINE);
  const auto three = Snapshot();
  Clear();
  Draw(TEXT("Chi"), rect, DT_SINGLELINE);
  EXPECT_EQ(three, Snapshot());
  EXPECT_EQ(DrawTextW(dc_, TEXT(""), -1, &rect, DT_SINGLELINE), 0);
  EXPECT_EQ(DrawTextW(nullptr, TEXT("x"), -1, &rect, DT_SINGLELINE), 0);
  EXPECT_EQ(DrawTextW(dc_, nullptr, -1, &rect, DT_SINGLELINE), 0);
  EXPECT_EQ(DrawTextW(dc_, TEXT("x"), -1, nullptr, DT_SINGLELINE), 0);
}

// '&' marks a mnemonic (drawn underlined) unless DT_NOPREFIX; "&&" shows one '&'.
TEST_F(WinceDrawTextTest, PrefixCharactersAsWindowsTreatsThem) {
  RECT rect{5, 5, 500, 60};
  DrawTextW(dc_, TEXT("Rock && Roll"), -1, &rect, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(rect.right - rect.left, Extent(TEXT("Rock & Roll")).cx);
  rect = {5, 5, 500, 60};
  DrawTextW(dc_, TEXT("A&&B"), -1, &rect, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(rect.right - rect.left, Extent(TEXT("A&&B")).cx);

  const Box plain = InkOf(TEXT("Sound"), {5, 5, 235, 60}, DT_SINGLELINE);
  const Box marked = InkOf(TEXT("&Sound"), {5, 5, 235, 60}, DT_SINGLELINE);
  EXPECT_LE(marked.left, plain.left);
  EXPECT_GT(marked.bottom, plain.bottom);  // the underline below the baseline
}

TEST_F(WinceDrawTextTest, LinesBreakWithoutSingleLineAndWordsWrapWithWordBreak) {
  RECT rect{5, 5, 235, 115};
  EXPECT_EQ(DrawTextW(dc_, TEXT("One\r\nTwo\nThree"), -1, &rect, DT_CALCRECT), 3 * lineHeight_);
  rect = {5, 5, 5 + Extent(TEXT("Wind chime")).cx, 115};
  EXPECT_EQ(DrawTextW(dc_, TEXT("Wind chime bells"), -1, &rect, DT_CALCRECT | DT_WORDBREAK),
            2 * lineHeight_);
  EXPECT_EQ(rect.right - rect.left, Extent(TEXT("Wind chime")).cx);
  rect = {5, 5, 235, 115};
  EXPECT_EQ(DrawTextW(dc_, TEXT("One\nTwo"), -1, &rect, DT_SINGLELINE | DT_CALCRECT), lineHeight_);
}

// Once every character has been drawn, drawing renders nothing new.
TEST_F(WinceDrawTextTest, GlyphCacheStaysTheSameSizeInTheSteadyState) {
  const RECT rect{5, 5, 120, 60};
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  Draw(TEXT("Sensitivity 10"), rect, format);
  const size_t warm = wince::GlyphCacheSize(font_);
  EXPECT_GT(warm, 0u);
  for (int i = 0; i < 20; ++i) Draw(TEXT("Sensitivity 10"), rect, format);
  Draw(TEXT("tiny 1"), rect, format);
  EXPECT_EQ(wince::GlyphCacheSize(font_), warm);
  Draw(TEXT("Q"), rect, format);
  EXPECT_EQ(wince::GlyphCacheSize(font_), warm + 1);
}

TEST_F(WinceDrawTextTest, SemiboldInksMoreThanMedium) {
  auto darkness = [&](HFONT font) {
    SelectObject(dc_, font);
    Clear();
    Draw(TEXT("Sensitivity"), {5, 5, 235, 60}, DT_SINGLELINE);
    long sum = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) sum += 255 - (Pixel(x, y) & 0xFF);
    return sum;
  };
  HFONT bold = MakeFont(28, FW_SEMIBOLD);
  ASSERT_NE(bold, nullptr);
  const long medium = darkness(font_);
  EXPECT_GT(darkness(bold), medium * 6 / 5);
  SelectObject(dc_, font_);
  EXPECT_TRUE(DeleteObject(bold));
}

// Texts and rectangles at the limits: each row is drawn in a huge font and must leave the
// bitmap as its row says, return a sane height and keep its measured rectangle ordered.
// Run under UBSan, no sum in the layout may overflow.
TEST_F(WinceDrawTextTest, BadInputNeitherOverflowsNorDrawsStrayInk) {
  ASSERT_TRUE(UseHeight(2048));
  const std::u16string longLine(2500000, u'W');  // wraps a 32-bit pen about twice over
  std::u16string manyLines;
  for (int i = 0; i < 200000; ++i) manyLines += u"W\n";
  std::u16string words;
  for (int i = 0; i < 200000; ++i) words += u"WW ";
  const struct {
    const char* what;
    const std::u16string& text;
    RECT rect;
    UINT format;
    bool ink;  // whether anything may show in the bitmap
  } rows[] = {
      {"long line far right", longLine, {INT32_MAX - 10, 0, INT32_MAX, 100}, DT_SINGLELINE | DT_NOCLIP, false},
      {"long line from the left edge of coordinates", longLine, {INT32_MIN, 0, INT32_MIN + 10, 100}, DT_SINGLELINE | DT_NOCLIP, false},
      {"long line right-aligned far left", longLine, {INT32_MIN, 0, INT32_MIN + 10, 100}, DT_SINGLELINE | DT_RIGHT | DT_NOCLIP, false},
      {"long line centred on everything", longLine, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, DT_SINGLELINE | DT_CENTER | DT_VCENTER, true},
      {"long line cut to an ellipsis below the bitmap", longLine, {0, 0, 100, 100}, DT_SINGLELINE | DT_END_ELLIPSIS, false},
      {"many lines far down", manyLines, {0, INT32_MAX - 10, 100, INT32_MAX}, DT_NOCLIP, false},
      {"many wrapped words far down", words, {0, INT32_MAX - 10, 5000, INT32_MAX}, DT_WORDBREAK | DT_NOCLIP, false},
      {"inverted rectangle", longLine, {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}, DT_SINGLELINE | DT_BOTTOM | DT_CENTER, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Clear();
    RECT rect = row.rect;
    const int height = DrawTextW(dc_, row.text.c_str(), int(row.text.size()), &rect, row.format);
    EXPECT_LT(std::abs(int64_t(height)), int64_t(1) << 30);
    EXPECT_EQ(row.ink, Ink() != (Box{kWidth, kHeight, 0, 0}));
    rect = row.rect;
    DrawTextW(dc_, row.text.c_str(), int(row.text.size()), &rect, row.format | DT_CALCRECT);
    EXPECT_LE(rect.left, rect.right);
    EXPECT_LE(rect.top, rect.bottom);
  }
}

// Hundreds of distinct large glyphs: the cache drops the least recently used ones and
// stays within its budget (plus the one glyph it must keep).
TEST_F(WinceDrawTextTest, GlyphCacheKeepsToItsBudget) {
  ASSERT_TRUE(UseHeight(512));
  const size_t oneGlyph = 512 * 512 * 2;
  std::u16string text(1, u' ');
  for (char16_t c = 0x100; c < 0x250; ++c) {
    text[0] = c;
    Draw(text.c_str(), {0, 0, 100, 100}, DT_SINGLELINE);
    std::lock_guard<std::mutex> lock(wince::TextMutex());
    ASSERT_LE(wince::FontFace::CachedGlyphBytes(), wince::kGlyphCacheBytes + oneGlyph);
  }
  EXPECT_LT(wince::GlyphCacheSize(other_), 0x150u);
  // What is drawn again is served from the cache.
  const size_t kept = wince::GlyphCacheSize(other_);
  Draw(text.c_str(), {0, 0, 100, 100}, DT_SINGLELINE);
  EXPECT_EQ(kept, wince::GlyphCacheSize(other_));
}

}  // namespace
