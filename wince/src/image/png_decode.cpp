#include "image/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <new>

#include "files/paths.h"

namespace wince {
namespace {

// Chunks other than image data never need more than this; a larger one is treated as
// damage rather than allocated.
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;

[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

// Owns the libpng structures and the file for one decode.
class PngReader {
 public:
  explicit PngReader(FILE* file) : file_(file) {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png_) info_ = png_create_info_struct(png_);
  }
  ~PngReader() {
    if (png_) png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
    std::fclose(file_);
  }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  bool Ready() const { return png_ && info_; }
  // Reads the header and every row into image. Holds no object with a destructor in its
  // frame, so libpng's longjmp out of an error skips nothing that needs cleaning up.
  bool Read(DecodedImage* image, std::vector<png_bytep>* rows);

 private:
  void SetUpTransforms();

  FILE* file_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

void PngReader::SetUpTransforms() {
  // Everything becomes 8-bit RGBA: palettes and low bit depths expand, tRNS becomes
  // alpha, gray becomes RGB, 16-bit samples are rounded, opaque images get alpha 255.
  png_set_expand(png_);
  png_set_scale_16(png_);
  png_set_gray_to_rgb(png_);
  png_set_add_alpha(png_, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png_);
  png_read_update_info(png_, info_);
}

bool PngReader::Read(DecodedImage* image, std::vector<png_bytep>* rows) {
  if (setjmp(png_jmpbuf(png_))) return false;
  png_init_io(png_, file_);
  png_set_user_limits(png_, kMaxPngSide, kMaxPngSide);
  png_set_chunk_malloc_max(png_, kMaxChunkBytes);
  // Only the image data and the chunks that shape it (IHDR, PLTE, tRNS) are used: every
  // other chunk, text and metadata included, is skipped as it is read rather than kept,
  // so its declared length costs no memory whatever it claims.
  png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(png_, info_);
  const png_uint_32 width = png_get_image_width(png_, info_);
  const png_uint_32 height = png_get_image_height(png_, info_);
  if (uint64_t{width} * height > kMaxPngPixels) return false;
  image->hasAlpha = (png_get_color_type(png_, info_) & PNG_COLOR_MASK_ALPHA) != 0 ||
                    png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
  SetUpTransforms();
  if (png_get_rowbytes(png_, info_) != size_t{width} * 4) return false;
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  image->pixels.resize(size_t{width} * height);
  rows->resize(height);
  for (png_uint_32 y = 0; y < height; ++y)
    (*rows)[y] = reinterpret_cast<png_bytep>(image->pixels.data() + size_t{y} * width);
  png_read_image(png_, rows->data());
  png_read_end(png_, nullptr);
  return true;
}

// The rows hold R, G, B, A bytes; each pixel becomes 0xAARRGGBB premultiplied (the
// colour over black), the alpha byte kept only for an image with transparency.
void Premultiply(DecodedImage* image) {
  const uint32_t keep = image->hasAlpha ? 0xFFFFFFFF : 0x00FFFFFF;
  for (uint32_t& pixel : image->pixels) {
    const auto* rgba = reinterpret_cast<const uint8_t*>(&pixel);
    const uint32_t a = rgba[3];
    uint32_t channel[3];
    for (int i = 0; i < 3; ++i) channel[i] = (rgba[i] * a + 127) / 255;
    pixel = ((a << 24) | (channel[0] << 16) | (channel[1] << 8) | channel[2]) & keep;
  }
}

}  // namespace

bool DecodePngFile(const std::string& hostPath, DecodedImage* image) {
  if (!IsRegularFile(hostPath)) return false;
  FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (!file) return false;
  PngReader reader(file);
  if (!reader.Ready()) return false;
  std::vector<png_bytep> rows;
  bool ok = false;
  try {
    ok = reader.Read(image, &rows);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) {
    *image = DecodedImage();
    return false;
  }
  Premultiply(image);
  return true;
}

}  // namespace wince
