// Font matching (fontconfig) and glyph rendering (FreeType) behind the GDI's fonts.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;

namespace wince {

// Serialises every use of FreeType and of the glyph caches: fonts are created on one
// thread (the loader) and drawn on another.
std::mutex& TextMutex();

// What fontconfig chose for a request.
struct FontMatch {
  std::string file;
  int index = 0;
  int weight = 0;      // fontconfig weight of the chosen face
  bool embolden = false;  // the face is lighter than the semibold weight asked for
};

// Matches a family (UTF-8) at a Windows weight (100..900, 0 = normal), upright or
// italic, through fontconfig's substitution rules. False when nothing matches.
bool MatchFont(const std::string& family, int weight, bool italic, FontMatch* match);

struct Glyph {
  int left = 0;     // coverage's offset from the pen position
  int top = 0;      // rows above the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;  // pixels
  std::vector<uint8_t> coverage;  // width * rows, 0 = no ink
};

class FontFace;

// A rendered glyph in the cache that all faces share.
struct CachedGlyph {
  FontFace* face;
  uint32_t index;  // in its face
  size_t bytes;    // what keeping it costs
  Glyph glyph;
};

// The cache holds glyphs of every face up to this many bytes; beyond, the least recently
// used ones are dropped (the newest is kept whatever its size).
constexpr size_t kGlyphCacheBytes = 16 << 20;

// One font file at one pixel size: the FreeType face, the Windows-style line metrics and
// the rendered glyphs. Shared by every font that resolves to the same file and size.
class FontFace {
 public:
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Sizes a face so that a positive height is the cell height (ascent + descent) and a
  // negative height the em height, as Windows does. Call with TextMutex held.
  static std::shared_ptr<FontFace> Get(const FontMatch& match, int height);

  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  int emHeight() const { return emHeight_; }
  int externalLeading() const { return externalLeading_; }
  int averageWidth() const { return averageWidth_; }
  int maxWidth() const { return maxWidth_; }
  bool fixedPitch() const;
  int underlinePosition() const { return underlinePosition_; }  // pixels below the baseline
  int lineThickness() const { return lineThickness_; }

  // The rendered glyph of a character (the face's missing-glyph shape when it has none),
  // from the cache when it is there (which allocates nothing). The reference is valid
  // until the next call on any face. Call with TextMutex held.
  const Glyph& GlyphFor(char32_t ch);
  size_t cachedGlyphCount() const { return glyphs_.size(); }
  // The bytes the cache of all faces holds. Call with TextMutex held.
  static size_t CachedGlyphBytes();

 private:
  FontFace(FT_FaceRec_* face, bool embolden);
  bool SetHeight(int height);
  void Render(uint32_t index, Glyph* glyph);
  static void DropBeyondBudget();

  FT_FaceRec_* face_;
  bool embolden_;
  int ascent_ = 0, descent_ = 0, emHeight_ = 0, externalLeading_ = 0;
  int averageWidth_ = 0, maxWidth_ = 0, underlinePosition_ = 0, lineThickness_ = 1;
  std::unordered_map<uint32_t, std::list<CachedGlyph>::iterator> glyphs_;  // by glyph index
};

}  // namespace wince
