// Loading and releasing the skin, and the default skin's art as the screens draw it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/Draw.h"
#include "gfx/Skin.h"

namespace {

namespace fs = std::filesystem;

// A host folder as the device path the program uses: '\' for '/', ending in a backslash.
std::u16string DeviceFolder(const fs::path& folder) {
  std::u16string path = folder.u16string();
  for (char16_t& c : path)
    if (c == u'/') c = u'\\';
  if (path.empty() || path.back() != u'\\') path += u'\\';
  return path;
}

fs::path DefaultSkin() { return fs::path(DEFAULT_SKIN_DIR); }

// A fresh, empty temporary folder, removed at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() /
            ("gfx_skin_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

int CountLoaded(const Skin& skin) {
  int loaded = 0;
  for (const Skin::ImageField& image : Skin::kImages) loaded += (skin.*image.field) != nullptr;
  return loaded;
}

void ExpectSixFonts(const Skin& skin) {
  for (HFONT font : {skin.Font14, skin.Font16, skin.Font18, skin.Font14Bold, skin.Font16Bold,
                     skin.Font18Bold}) {
    EXPECT_NE(nullptr, font);
  }
}

void ExpectAllNull(const Skin& skin) {
  EXPECT_EQ(0, CountLoaded(skin));
  for (HFONT font : {skin.Font14, skin.Font16, skin.Font18, skin.Font14Bold, skin.Font16Bold,
                     skin.Font18Bold}) {
    EXPECT_EQ(nullptr, font);
  }
}

TEST(GfxSkin, NewSkinHoldsNoHandles) {
  Skin skin;
  ExpectAllNull(skin);
}

TEST(GfxSkin, FolderWithOnlyTheBottomBarPicture) {
  TempFolder folder;
  fs::copy_file(DefaultSkin() / "Pic_BottomBar.png", folder.path() / "Pic_BottomBar.png");
  Skin skin;
  EXPECT_EQ(1, skin.LoadSkin(DeviceFolder(folder.path()).c_str()));
  EXPECT_EQ(1, CountLoaded(skin));
  int width = 0, height = 0;
  ASSERT_TRUE(GetBitmapSize(skin.Pic_BottomBar, &width, &height));
  EXPECT_EQ(480, width);
  EXPECT_EQ(108, height);
  ExpectSixFonts(skin);
  skin.ReleaseSkin();
  ExpectAllNull(skin);
}

TEST(GfxSkin, MissingFolderCorruptFileAndReleasingAnEmptySkin) {
  TempFolder folder;
  { std::ofstream(folder.path() / "Btn_SoundSlot_Up.png") << "not a picture"; }
  Skin skin;
  EXPECT_EQ(1, skin.LoadSkin(DeviceFolder(folder.path()).c_str()));
  EXPECT_EQ(0, CountLoaded(skin));
  ExpectSixFonts(skin);
  skin.ReleaseSkin();
  skin.ReleaseSkin();
  ExpectAllNull(skin);

  Skin missing;
  EXPECT_EQ(1, missing.LoadSkin(DeviceFolder(folder.path() / "nowhere").c_str()));
  EXPECT_EQ(0, CountLoaded(missing));
  missing.ReleaseSkin();
}

TEST(GfxSkin, PathsThatDoNotFitLoadNothingRatherThanAnotherFile) {
  // A folder whose path plus "Pic_BottomBar.png" is longer than MAX_PATH; cut to fit,
  // the path would name the file "Pic_" in it, which exists.
  TempFolder base;
  std::u16string folder = DeviceFolder(base.path());
  const size_t room = MAX_PATH - 1 - folder.size() - 4;  // leaves exactly "Pic_" of the name
  folder += std::u16string(room - 1, u'x') + u"\\";
  fs::path host = base.path() / std::string(room - 1, 'x');
  ASSERT_NO_THROW(fs::create_directories(host));
  fs::copy_file(DefaultSkin() / "Pic_BottomBar.png", host / "Pic_");
  Skin skin;
  EXPECT_EQ(1, skin.LoadSkin(folder.c_str()));
  EXPECT_EQ(nullptr, skin.Pic_BottomBar);
  EXPECT_EQ(0, CountLoaded(skin));
  ExpectSixFonts(skin);
  skin.ReleaseSkin();
}

// The default skin: every image loads, and the images drawn centred at their own size fit
// the rectangles the screens give them.
TEST(GfxDefaultSkin, EveryImageLoadsAndCentredOnesFitTheirPlace) {
  Skin skin;
  ASSERT_EQ(1, skin.LoadSkin(DeviceFolder(DefaultSkin()).c_str()));
  EXPECT_EQ(Skin::kImageCount, CountLoaded(skin));
  struct Place {
    HBITMAP bitmap;
    int width, height;
  };
  for (Place place : {Place{skin.Btn_SoundSlot_Up, 160, 160}, Place{skin.Btn_SoundSlot_Dn, 160, 160},
                      Place{skin.Pic_OpenSoundsType, 70, 480},
                      Place{skin.Btn_BottomBar_Up, 200, 60}, Place{skin.Btn_BottomBar_Dn, 200, 60},
                      Place{skin.Btn_BottomBar_Mask, 200, 60}}) {
    int width = 0, height = 0;
    ASSERT_TRUE(GetBitmapSize(place.bitmap, &width, &height));
    EXPECT_LE(width, place.width);
    EXPECT_LE(height, place.height);
  }
  skin.ReleaseSkin();
}

// SRCAND with the mask then SRCPAINT with the image must give the page where the mask is
// white, and the image where it is black: the image has to be black outside the button.
TEST(GfxDefaultSkin, BottomBarButtonsAreBlackWhereTheMaskLetsThePageThrough) {
  Skin skin;
  skin.LoadSkin(DeviceFolder(DefaultSkin()).c_str());
  int w = 0, h = 0, mw = 0, mh = 0;
  ASSERT_TRUE(GetBitmapSize(skin.Btn_BottomBar_Mask, &mw, &mh));
  HDC mask = CreateCompatibleDC(nullptr);
  HDC image = CreateCompatibleDC(nullptr);
  HGDIOBJ previousMask = SelectObject(mask, skin.Btn_BottomBar_Mask);
  for (HBITMAP look : {skin.Btn_BottomBar_Up, skin.Btn_BottomBar_Dn}) {
    ASSERT_TRUE(GetBitmapSize(look, &w, &h));
    ASSERT_EQ(mw, w);
    ASSERT_EQ(mh, h);
    HGDIOBJ previousImage = SelectObject(image, look);
    int opaque = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        COLORREF m = GetPixel(mask, x, y);
        ASSERT_TRUE(m == RGB(0, 0, 0) || m == RGB(255, 255, 255)) << x << "," << y;
        if (m == RGB(255, 255, 255)) ASSERT_EQ(RGB(0, 0, 0), GetPixel(image, x, y)) << x << "," << y;
        opaque += m == RGB(0, 0, 0);
      }
    }
    EXPECT_GT(opaque, w * h / 2);
    SelectObject(image, previousImage);
  }
  SelectObject(mask, previousMask);
  DeleteDC(mask);
  DeleteDC(image);
  skin.ReleaseSkin();
}

}  // namespace
