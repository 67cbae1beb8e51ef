// contactsheet: loads a skin folder with LoadSkin and writes one PNG that shows every
// image at the size the screens draw it, with its name, and a sample of each font.
//
//   contactsheet [skin folder] [output.png]
//
// Defaults: the source tree's content/Skin and contactsheet.png. Runs headless at the
// default screen (480 x 640, 192 dpi) unless WINCE_SCREEN / WINCE_DPI say otherwise.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <wince/testdriver.h>

#include "gfx/Draw.h"
#include "gfx/Skin.h"

namespace {

constexpr int kSheetWidth = 1040;
constexpr int kMargin = 16;
constexpr int kLabelHeight = 22;
constexpr COLORREF kSheetColor = RGB(64, 64, 72);
constexpr COLORREF kFrameColor = RGB(110, 110, 124);

enum class Fit { Stretched, Centered, Masked, Pattern };

struct Entry {
  HBITMAP Skin::*image;
  Fit fit;
  int width, height;  // the rectangle the screens give the image
  const char16_t* note = u"";
};

// Every image at its place on a 480-pixel-wide screen.
const Entry kEntries[] = {
    {&Skin::Pic_TopBar_App, Fit::Stretched, 376, 52},
    {&Skin::Btn_TopBar_About_Up, Fit::Stretched, 52, 52},
    {&Skin::Btn_TopBar_About_Dn, Fit::Stretched, 52, 52},
    {&Skin::Btn_TopBar_About_Ds, Fit::Stretched, 52, 52},
    {&Skin::Btn_TopBar_Close_Up, Fit::Stretched, 52, 52},
    {&Skin::Btn_TopBar_Close_Dn, Fit::Stretched, 52, 52},
    {&Skin::Chk_BottomBar_Home_Up, Fit::Stretched, 160, 108},
    {&Skin::Chk_BottomBar_Sounds_Up, Fit::Stretched, 160, 108},
    {&Skin::Chk_BottomBar_Settings_Up, Fit::Stretched, 160, 108},
    {&Skin::Chk_BottomBar_Home_Dn, Fit::Stretched, 160, 108},
    {&Skin::Chk_BottomBar_Sounds_Dn, Fit::Stretched, 160, 108},
    {&Skin::Chk_BottomBar_Settings_Dn, Fit::Stretched, 160, 108},
    {&Skin::Btn_SoundSlot_Up, Fit::Centered, 160, 160},
    {&Skin::Btn_SoundSlot_Dn, Fit::Centered, 160, 160},
    {&Skin::Chk_General_2_Up, Fit::Stretched, 72, 72},
    {&Skin::Chk_General_2_Dn, Fit::Stretched, 72, 72},
    {&Skin::Chk_General_Up, Fit::Stretched, 70, 60},
    {&Skin::Chk_General_Dn, Fit::Stretched, 70, 60},
    {&Skin::Pic_OpenSoundsType, Fit::Centered, 70, 480},
    {&Skin::BtnEx_OpenSound_Up, Fit::Stretched, 325, 96},
    {&Skin::Btn_PlaySound_Up, Fit::Stretched, 85, 96},
    {&Skin::BtnEx_OpenSound_Dn, Fit::Stretched, 325, 96},
    {&Skin::Btn_PlaySound_Dn, Fit::Stretched, 85, 96},
    {&Skin::Cmb_General_Up, Fit::Stretched, 200, 60},
    {&Skin::Cmb_General_Dn_L, Fit::Stretched, 200, 60},
    {&Skin::Cmb_General_Dn_R, Fit::Stretched, 200, 60},
    {&Skin::Btn_General_Up, Fit::Stretched, 200, 60},
    {&Skin::Btn_General_Dn, Fit::Stretched, 200, 60},
    {&Skin::Btn_BottomBar_Up, Fit::Centered, 200, 60},
    {&Skin::Btn_BottomBar_Dn, Fit::Centered, 200, 60},
    {&Skin::Btn_BottomBar_Mask, Fit::Centered, 200, 60},
    {&Skin::Pic_BottomBar, Fit::Masked, 480, 108, u" with BACK (Up) and OK (Dn) through the mask"},
    {&Skin::Slt_ItemSelected, Fit::Pattern, 480, 80, u" tiled over a row"},
    {&Skin::Slt_Separator, Fit::Stretched, 480, 1, u" stretched into a row's last line"},
};

// The image's file name without ".png", and the entry's note.
std::u16string Label(const Entry& entry) {
  for (const Skin::ImageField& image : Skin::kImages) {
    if (image.field != entry.image) continue;
    std::u16string name(image.fileName);
    return name.substr(0, name.size() - 4) + entry.note;
  }
  return entry.note;
}

struct Placed {
  const Entry* entry;
  int x, y;
};

int CellWidth(const Entry& entry) { return std::max(entry.width, 200); }

// Flows the entries left to right in rows; returns the sheet height needed.
int Lay(std::vector<Placed>* placed) {
  int x = kMargin, y = kMargin, rowHeight = 0;
  for (const Entry& entry : kEntries) {
    const int cellWidth = CellWidth(entry);
    if (x + cellWidth > kSheetWidth - kMargin) {
      x = kMargin;
      y += rowHeight + kMargin;
      rowHeight = 0;
    }
    placed->push_back({&entry, x, y});
    x += cellWidth + kMargin;
    rowHeight = std::max(rowHeight, kLabelHeight + entry.height);
  }
  return y + rowHeight + kMargin;
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  RECT rect{left, top, right, bottom};
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void DrawEntry(HDC dc, const Skin& skin, const Placed& place, HFONT labelFont) {
  const Entry& e = *place.entry;
  const std::u16string text = Label(e);
  RECT label{place.x, place.y, place.x + CellWidth(e), place.y + kLabelHeight};
  DrawTextInRect(dc, text.c_str(), label,
                 DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, RGB(230, 230, 230), labelFont);
  const int l = place.x, t = place.y + kLabelHeight, r = l + e.width, b = t + e.height;
  // A frame one pixel outside the rectangle shows where the screens put the image.
  Fill(dc, l - 1, t - 1, r + 1, b + 1, kFrameColor);
  Fill(dc, l, t, r, b, RGB(0, 0, 0));
  HBITMAP image = skin.*e.image;
  switch (e.fit) {
    case Fit::Stretched: DrawBitmapStretched(dc, l, t, r, b, image); break;
    case Fit::Centered: DrawBitmapCentered(dc, l, t, r, b, image); break;
    case Fit::Pattern: FillPatternRect(dc, l, t, r, b, image, PATCOPY); break;
    case Fit::Masked:
      DrawBitmapStretched(dc, l, t, r, b, image);
      DrawMaskedBitmapCentered(dc, l + 30, t + 24, l + 230, t + 84, skin.Btn_BottomBar_Up,
                               skin.Btn_BottomBar_Mask);
      DrawMaskedBitmapCentered(dc, l + 250, t + 24, l + 450, t + 84, skin.Btn_BottomBar_Dn,
                               skin.Btn_BottomBar_Mask);
      DrawTextInRect(dc, TEXT("BACK"), RECT{l + 30, t + 24, l + 230, t + 84},
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(255, 255, 255), nullptr);
      DrawTextInRect(dc, TEXT("OK"), RECT{l + 250, t + 24, l + 450, t + 84},
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(0, 0, 0), nullptr);
      break;
  }
}

// The six fonts, one sample line each, white on black.
int DrawFonts(HDC dc, const Skin& skin, int top, HFONT labelFont) {
  struct Sample {
    const char16_t* name;
    HFONT font;
  } samples[] = {{u"Font14", skin.Font14},         {u"Font16", skin.Font16},
                 {u"Font18", skin.Font18},         {u"Font14Bold", skin.Font14Bold},
                 {u"Font16Bold", skin.Font16Bold}, {u"Font18Bold", skin.Font18Bold}};
  const int lineHeight = 48;
  Fill(dc, kMargin, top, kSheetWidth - kMargin, top + lineHeight * 6, RGB(0, 0, 0));
  for (int i = 0; i < 6; ++i) {
    const int y = top + i * lineHeight;
    DrawTextInRect(dc, samples[i].name,
                   RECT{kMargin + 8, y, kMargin + 140, y + lineHeight},
                   DT_SINGLELINE | DT_VCENTER, RGB(170, 170, 180), labelFont);
    DrawTextInRect(dc, TEXT("Sensitivity  X-axis: 5  Chimes \u2022 Bell 01.wav  ON OFF"),
                   RECT{kMargin + 150, y, kSheetWidth - kMargin, y + lineHeight},
                   DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, RGB(255, 255, 255),
                   samples[i].font);
  }
  return top + lineHeight * 6 + kMargin;
}

// A host folder as a device path ending in a backslash.
std::u16string DeviceFolder(const std::string& host) {
  std::u16string path = std::filesystem::absolute(host).u16string();
  for (char16_t& c : path)
    if (c == u'/') c = u'\\';
  if (path.empty() || path.back() != u'\\') path += u'\\';
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("WINCE_HEADLESS", "1", 0);
  const std::string folder = argc > 1 ? argv[1] : std::string(TILTCHIME_SOURCE_DIR) + "/content/Skin";
  const std::string output = argc > 2 ? argv[2] : "contactsheet.png";

  Skin skin;
  skin.LoadSkin(DeviceFolder(folder).c_str());

  std::vector<Placed> placed;
  const int imagesHeight = Lay(&placed);
  const int height = imagesHeight + 6 * 48 + kMargin;

  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP sheet = CreateBitmap(kSheetWidth, height, 1, 32, nullptr);
  HGDIOBJ previous = SelectObject(dc, sheet);
  Fill(dc, 0, 0, kSheetWidth, height, kSheetColor);
  HFONT labelFont = CreateSkinFont(TEXT("DejaVu Sans"), 15, false, false, false);
  for (const Placed& place : placed) DrawEntry(dc, skin, place, labelFont);
  DrawFonts(dc, skin, imagesHeight, labelFont);

  const bool written = wince::test::SavePng(wince::test::CaptureBitmap(sheet), output);
  SelectObject(dc, previous);
  DeleteObject(labelFont);
  DeleteDC(dc);
  DeleteObject(sheet);
  skin.ReleaseSkin();
  if (!written) {
    std::fprintf(stderr, "contactsheet: cannot write %s\n", output.c_str());
    return 1;
  }
  std::printf("%s\n", output.c_str());
  return 0;
}
