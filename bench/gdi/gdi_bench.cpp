// BitBlt, StretchBlt, AlphaBlend, FillRect and GradientFill on screen-sized (480x640)
// surfaces, each beside pixman doing the same work.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <windows.h>

#include <vector>

#include "gdi/blend.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 640;

// A memory DC holding a bitmap filled with a non-uniform pattern.
struct GdiSurface {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
  GdiSurface(int w, int h) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateCompatibleBitmap(dc, w, h);
    previous = SelectObject(dc, bitmap);
    TRIVERTEX v[2] = {{0, 0, 0x1200, 0x8000, 0xFF00, 0}, {w, h, 0xFF00, 0x3400, 0x0000, 0}};
    GRADIENT_RECT r = {0, 1};
    GradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
  }
  ~GdiSurface() {
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
};

struct PixmanSurface {
  std::vector<uint32_t> pixels;
  pixman_image_t* image;
  PixmanSurface(int w, int h) : pixels(size_t(w) * h) {
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u) & 0xFFFFFF;
    image = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, pixels.data(), w * 4);
  }
  ~PixmanSurface() { pixman_image_unref(image); }
};

void Finish(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void GdiBitBlt(benchmark::State& state) {
  GdiSurface src(kWidth, kHeight), dst(kWidth, kHeight);
  for (auto _ : state) BitBlt(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, SRCCOPY);
  Finish(state);
}

void PixmanBlt(benchmark::State& state) {
  PixmanSurface src(kWidth, kHeight), dst(kWidth, kHeight);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
  }
  Finish(state);
}

void GdiStretchBlt(benchmark::State& state) {
  GdiSurface src(kWidth / 2, kHeight / 2), dst(kWidth, kHeight);
  for (auto _ : state) {
    StretchBlt(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, kWidth / 2, kHeight / 2, SRCCOPY);
  }
  Finish(state);
}

void PixmanScaledNearest(benchmark::State& state) {
  PixmanSurface src(kWidth / 2, kHeight / 2), dst(kWidth, kHeight);
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(src.image, &scale);
  pixman_image_set_filter(src.image, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
  }
  Finish(state);
}

void GdiAlphaBlend(benchmark::State& state) {
  GdiSurface src(kWidth, kHeight), dst(kWidth, kHeight);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 128, 0};
  for (auto _ : state) AlphaBlend(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, kWidth, kHeight, blend);
  Finish(state);
}

// The same blend on each vector path this CPU runs (0: the portable one).
void BlendPath(benchmark::State& state) {
  const auto& paths = wince::BlendPaths();
  if (size_t(state.range(0)) >= paths.size()) {
    state.SkipWithError("not on this CPU");
    return;
  }
  state.SetLabel(paths[size_t(state.range(0))].name);
  std::vector<uint8_t> src(size_t(kWidth) * kHeight * 4, 0x5A), dst(src.size(), 0xA5);
  for (auto _ : state) {
    paths[size_t(state.range(0))].blend(dst.data(), src.data(), dst.size(), 128);
    benchmark::ClobberMemory();
  }
  Finish(state);
}

void PixmanOverSolidMask(benchmark::State& state) {
  PixmanSurface src(kWidth, kHeight), dst(kWidth, kHeight);
  pixman_color_t alpha = {0, 0, 0, 128 * 257};
  pixman_image_t* mask = pixman_image_create_solid_fill(&alpha);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.image, mask, dst.image, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
  }
  pixman_image_unref(mask);
  Finish(state);
}

void GdiFillRect(benchmark::State& state) {
  GdiSurface dst(kWidth, kHeight);
  HBRUSH brush = CreateSolidBrush(RGB(12, 34, 56));
  RECT r = {0, 0, kWidth, kHeight};
  for (auto _ : state) FillRect(dst.dc, &r, brush);
  DeleteObject(brush);
  Finish(state);
}

void PixmanFill(benchmark::State& state) {
  PixmanSurface dst(kWidth, kHeight);
  for (auto _ : state) pixman_fill(dst.pixels.data(), kWidth, 32, 0, 0, kWidth, kHeight, 0x0C2238);
  Finish(state);
}

// Colours run along x (mode 0) or y (mode 1).
void GdiGradientFill(benchmark::State& state) {
  GdiSurface dst(kWidth, kHeight);
  TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0x4000, 0}, {kWidth, kHeight, 0, 0x8000, 0xFF00, 0}};
  GRADIENT_RECT r = {0, 1};
  ULONG mode = state.range(0) ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
  for (auto _ : state) GradientFill(dst.dc, v, 2, &r, 1, mode);
  Finish(state);
}

void PixmanLinearGradient(benchmark::State& state) {
  PixmanSurface dst(kWidth, kHeight);
  pixman_point_fixed_t from = {0, 0};
  pixman_point_fixed_t to = {state.range(0) ? 0 : pixman_int_to_fixed(kWidth),
                             state.range(0) ? pixman_int_to_fixed(kHeight) : 0};
  pixman_gradient_stop_t stops[2] = {{0, {0xFF00, 0, 0x4000, 0xFFFF}},
                                     {pixman_int_to_fixed(1), {0, 0x8000, 0xFF00, 0xFFFF}}};
  pixman_image_t* gradient = pixman_image_create_linear_gradient(&from, &to, stops, 2);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, gradient, nullptr, dst.image, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
  }
  pixman_image_unref(gradient);
  Finish(state);
}

BENCHMARK(GdiBitBlt);
BENCHMARK(PixmanBlt);
BENCHMARK(GdiStretchBlt);
BENCHMARK(PixmanScaledNearest);
BENCHMARK(GdiAlphaBlend);
BENCHMARK(BlendPath)->DenseRange(0, 2);
BENCHMARK(PixmanOverSolidMask);
BENCHMARK(GdiFillRect);
BENCHMARK(PixmanFill);
BENCHMARK(GdiGradientFill)->Arg(0)->Arg(1);
BENCHMARK(PixmanLinearGradient)->Arg(0)->Arg(1);

}  // namespace
