#include <gtest/gtest.h>
#include <windows.h>
#include <strsafe.h>

TEST(StringCch, CopyTruncatesAndTerminates) {
  WCHAR buf[4];
  EXPECT_EQ(StringCchCopyW(buf, 4, TEXT("abc")), S_OK);
  EXPECT_EQ(wcscmp(buf, TEXT("abc")), 0);
  EXPECT_EQ(StringCchCopyW(buf, 4, TEXT("abcd")), STRSAFE_E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(wcscmp(buf, TEXT("abc")), 0);
  EXPECT_EQ(StringCchCopyW(buf, 0, TEXT("x")), STRSAFE_E_INVALID_PARAMETER);
}

TEST(StringCch, CatAppendsWithinBounds) {
  WCHAR buf[6] = TEXT("ab");
  EXPECT_EQ(StringCchCatW(buf, 6, TEXT("cd")), S_OK);
  EXPECT_EQ(wcscmp(buf, TEXT("abcd")), 0);
  EXPECT_EQ(StringCchCatW(buf, 6, TEXT("efg")), STRSAFE_E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(wcscmp(buf, TEXT("abcde")), 0);
  WCHAR full[3] = {u'a', u'b', u'c'};  // not terminated within its size
  EXPECT_EQ(StringCchCatW(full, 3, TEXT("x")), STRSAFE_E_INVALID_PARAMETER);
}

TEST(WideString, CompareIgnoringCase) {
  EXPECT_EQ(_wcsicmp(TEXT("Sounds.WAV"), TEXT("sounds.wav")), 0);
  EXPECT_LT(_wcsicmp(TEXT("a"), TEXT("B")), 0);
  EXPECT_EQ(_wcsicmp(TEXT("\u00C4rger"), TEXT("\u00E4RGER")), 0);
  EXPECT_EQ(_wcsnicmp(TEXT("RockB.png"), TEXT("rockx"), 4), 0);
}

int Lower(int c) { return towlower(WCHAR(c)); }
int Upper(int c) { return towupper(WCHAR(c)); }

TEST(WideString, LatinExtendedACasePairs) {
  // Upper case sits at even code points, except from U+0139 to U+0148 and U+0179 to U+017E.
  EXPECT_EQ(Lower(0x0100), 0x0101);
  EXPECT_EQ(Lower(0x0101), 0x0101);
  EXPECT_EQ(Lower(0x0139), 0x013A);  // L with acute
  EXPECT_EQ(Lower(0x013A), 0x013A);
  EXPECT_EQ(Upper(0x013A), 0x0139);
  EXPECT_EQ(Lower(0x0147), 0x0148);
  EXPECT_EQ(Lower(0x014A), 0x014B);
  EXPECT_EQ(Lower(0x0179), 0x017A);  // Z with acute
  EXPECT_EQ(Upper(0x017E), 0x017D);
  EXPECT_EQ(Lower(0x0178), 0x00FF);  // Y with diaeresis pairs with Latin-1
  EXPECT_EQ(Upper(0x00FF), 0x0178);
  EXPECT_EQ(Lower(0x0138), 0x0138);  // kra has no upper case
  EXPECT_EQ(Upper(0x0149), 0x0149);
  for (int c = 0x100; c <= 0x17E; ++c)
    if (Lower(c) != c) EXPECT_EQ(Upper(Lower(c)), c) << c;
}

TEST(WideString, NumbersParseLikeTheCLibrary) {
  EXPECT_EQ(_wtoi(TEXT("  42xyz")), 42);
  EXPECT_EQ(_wtoi(TEXT("-17")), -17);
  EXPECT_EQ(_wtoi(TEXT("abc")), 0);
  EXPECT_EQ(_wtoi(TEXT("99999999999")), INT32_MAX);
  EXPECT_EQ(_wtoi(TEXT("-99999999999")), INT32_MIN);
  WCHAR buf[16];
  EXPECT_EQ(wcscmp(_itow(-2147483647 - 1, buf, 10), TEXT("-2147483648")), 0);
  EXPECT_EQ(wcscmp(_itow(255, buf, 16), TEXT("ff")), 0);
}

TEST(WideString, SearchFunctions) {
  const WCHAR* path = TEXT("\\a\\b\\c.wav");
  EXPECT_EQ(wcsrchr(path, u'\\'), path + 4);
  EXPECT_EQ(wcschr(path, u'.'), path + 6);
  EXPECT_EQ(wcschr(path, 0), path + wcslen(path));
  EXPECT_EQ(wcsstr(path, TEXT("b\\")), path + 3);
  EXPECT_EQ(wcsstr(path, TEXT("zz")), nullptr);
}
