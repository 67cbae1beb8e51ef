#include "text/font_engine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <list>
#include <map>
#include <tuple>

namespace wince {
namespace {

// A height with nothing asked for (0) takes the system's default cell height.
constexpr int kDefaultCellHeight = 16;
constexpr int kMaxPixelHeight = 2048;

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

using FaceKey = std::tuple<std::string, int, int, bool>;  // file, index, height, embolden

std::map<FaceKey, std::weak_ptr<FontFace>>& FaceCache() {
  static auto* cache = new std::map<FaceKey, std::weak_ptr<FontFace>>();
  return *cache;
}

void DropExpiredFaces() {
  auto& cache = FaceCache();
  for (auto it = cache.begin(); it != cache.end();)
    it = it->second.expired() ? cache.erase(it) : std::next(it);
}

// The glyphs of all faces, most recently used first, and the bytes they hold.
struct GlyphCache {
  std::list<CachedGlyph> order;
  size_t bytes = 0;
};

GlyphCache& Cache() {
  static auto* cache = new GlyphCache();
  return *cache;
}

// What an entry costs besides its coverage: the list and map nodes.
constexpr size_t kEntryOverhead = sizeof(CachedGlyph) + 64;

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

// The device's skin face, "HelveticaNeue LT 35 Thin", is a narrow Helvetica. Where it is
// not installed, the Helvetica-metric Nimbus Sans (URW base 35 fonts) keeps texts laid
// out for it within their rectangles; DejaVu Sans, much wider, comes only after it. The
// rule adds the substitutes behind the asked family, so an installed original still wins.
constexpr char kSubstitutes[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>HelveticaNeue LT 35 Thin</family>
    <accept><family>Nimbus Sans</family><family>DejaVu Sans</family></accept>
  </alias>
</fontconfig>
)";

}  // namespace

std::mutex& TextMutex() {
  static auto* mutex = new std::mutex();
  return *mutex;
}

// Loads fontconfig's configuration and the substitutes above once; it is released at exit
// so that the process ends with nothing of it left allocated.
bool FontconfigReady() {
  static const bool ready = [] {
    if (!FcInit()) return false;
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                   reinterpret_cast<const FcChar8*>(kSubstitutes), FcTrue);
    std::atexit([] {
      std::lock_guard<std::mutex> lock(TextMutex());
      FcFini();
    });
    return true;
  }();
  return ready;
}

bool MatchFont(const std::string& family, int weight, bool italic, FontMatch* match) {
  if (!FontconfigReady()) return false;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  if (!family.empty())
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  const int windowsWeight = weight == 0 ? 400 : std::clamp(weight, 1, 1000);
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(windowsWeight));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!found) return false;
  FcChar8* file = nullptr;
  const bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch;
  if (ok) {
    match->file = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(found, FC_INDEX, 0, &match->index) != FcResultMatch) match->index = 0;
    if (FcPatternGetInteger(found, FC_WEIGHT, 0, &match->weight) != FcResultMatch)
      match->weight = FC_WEIGHT_REGULAR;
    // Semibold and heavier asked of a face without such a weight: thicken the outlines.
    match->embolden = windowsWeight >= 600 && match->weight < FC_WEIGHT_DEMIBOLD;
  }
  FcPatternDestroy(found);
  return ok;
}

std::shared_ptr<FontFace> FontFace::Get(const FontMatch& match, int height) {
  if (height == 0) height = kDefaultCellHeight;
  if (height < -kMaxPixelHeight || height > kMaxPixelHeight || !Library()) return nullptr;
  DropExpiredFaces();
  const FaceKey key{match.file, match.index, height, match.embolden};
  auto& slot = FaceCache()[key];
  if (auto shared = slot.lock()) return shared;
  FT_Face face = nullptr;
  if (FT_New_Face(Library(), match.file.c_str(), match.index, &face) != 0) return nullptr;
  std::shared_ptr<FontFace> shared(new FontFace(face, match.embolden));
  if (!FT_IS_SCALABLE(face) || !shared->SetHeight(height)) return nullptr;
  slot = shared;
  return shared;
}

FontFace::FontFace(FT_FaceRec_* face, bool embolden) : face_(face), embolden_(embolden) {}

FontFace::~FontFace() {
  GlyphCache& cache = Cache();
  for (auto& [index, entry] : glyphs_) {
    cache.bytes -= entry->bytes;
    cache.order.erase(entry);
  }
  FT_Done_Face(face_);
}

size_t FontFace::CachedGlyphBytes() { return Cache().bytes; }

bool FontFace::fixedPitch() const { return FT_IS_FIXED_WIDTH(face_); }

// Windows measures the cell with the OS/2 table's Windows ascent and descent (hhea's
// when there is no OS/2 table); internal leading is the cell minus the em.
bool FontFace::SetHeight(int height) {
  const double upem = face_->units_per_EM;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  const double winAscent = os2 && os2->usWinAscent + os2->usWinDescent > 0 ? os2->usWinAscent
                                                                            : face_->ascender;
  const double winDescent = os2 && os2->usWinAscent + os2->usWinDescent > 0 ? os2->usWinDescent
                                                                             : -face_->descender;
  const double designCell = winAscent + winDescent;
  if (upem <= 0 || designCell <= 0) return false;
  double ppem;
  if (height > 0) {
    ppem = height * upem / designCell;
    ascent_ = RoundToInt(winAscent * height / designCell);
    descent_ = height - ascent_;
  } else {
    ppem = -height;
    ascent_ = RoundToInt(winAscent * ppem / upem);
    descent_ = RoundToInt(winDescent * ppem / upem);
  }
  FT_Size_RequestRec request{};
  request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
  request.height = std::max<FT_Long>(1, std::lround(ppem * 64));
  if (FT_Request_Size(face_, &request) != 0) return false;

  const double scale = ppem / upem;
  emHeight_ = RoundToInt(ppem);
  const double hheaGap = face_->height - (face_->ascender - face_->descender);
  const double extra = hheaGap - (designCell - (face_->ascender - face_->descender));
  externalLeading_ = std::max(0, RoundToInt(extra * scale));
  maxWidth_ = RoundToInt(face_->max_advance_width * scale);
  averageWidth_ = os2 && os2->xAvgCharWidth > 0 ? RoundToInt(os2->xAvgCharWidth * scale)
                                                : GlyphFor(U'x').advance;
  underlinePosition_ = std::max(1, RoundToInt(-face_->underline_position * scale));
  lineThickness_ = std::max(1, RoundToInt(face_->underline_thickness * scale));
  return true;
}

const Glyph& FontFace::GlyphFor(char32_t ch) {
  const uint32_t index = FT_Get_Char_Index(face_, ch);
  GlyphCache& cache = Cache();
  auto found = glyphs_.find(index);
  if (found != glyphs_.end()) {
    cache.order.splice(cache.order.begin(), cache.order, found->second);
    return found->second->glyph;
  }
  cache.order.push_front(CachedGlyph{this, index, 0, Glyph()});
  CachedGlyph& entry = cache.order.front();
  Render(index, &entry.glyph);
  entry.bytes = entry.glyph.coverage.capacity() + kEntryOverhead;
  cache.bytes += entry.bytes;
  glyphs_.emplace(index, cache.order.begin());
  DropBeyondBudget();
  return entry.glyph;
}

void FontFace::DropBeyondBudget() {
  GlyphCache& cache = Cache();
  while (cache.bytes > kGlyphCacheBytes && cache.order.size() > 1) {
    const CachedGlyph& oldest = cache.order.back();
    oldest.face->glyphs_.erase(oldest.index);
    cache.bytes -= oldest.bytes;
    cache.order.pop_back();
  }
}

// A glyph that fails to load or render stays empty with no advance.
void FontFace::Render(uint32_t index, Glyph* glyph) {
  if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP) != 0) return;
  FT_GlyphSlot slot = face_->glyph;
  if (embolden_) FT_GlyphSlot_Embolden(slot);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph->left = slot->bitmap_left;
  glyph->top = slot->bitmap_top;
  glyph->width = static_cast<int>(bitmap.width);
  glyph->rows = static_cast<int>(bitmap.rows);
  glyph->coverage.resize(size_t(glyph->width) * glyph->rows);
  if (glyph->coverage.empty()) return;
  for (int y = 0; y < glyph->rows; ++y) {
    const uint8_t* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
    std::memcpy(glyph->coverage.data() + size_t(y) * glyph->width, row, glyph->width);
  }
}

}  // namespace wince
