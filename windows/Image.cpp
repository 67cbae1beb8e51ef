// SHLoadImageFile: an image file (PNG, and whatever else the system decodes) as a 32-bit
// top-down DIB section, decoded by the Windows Imaging Component: an image with
// transparency keeps it as premultiplied alpha (which AlphaBlend with AC_SRC_ALPHA draws),
// an opaque one has zero alpha bytes, as the device's loader gives them. A file that
// cannot be read or decoded gives a null bitmap, as on the device.
#include "standins.h"

#include <wincodec.h>

namespace {

// Larger pictures are refused rather than allocated: no skin or sound picture comes near.
constexpr UINT kMaxSide = 8192;

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
};

HBITMAP Decode(LPCWSTR fileName) {
  Com<IWICImagingFactory> factory;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICBitmapSource> pixels;
  UINT width = 0, height = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p))) ||
      FAILED(factory.p->CreateDecoderFromFilename(fileName, nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder.p)) ||
      FAILED(decoder.p->GetFrame(0, &frame.p)) ||
      FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.p, &pixels.p)) ||
      FAILED(pixels.p->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > kMaxSide || height > kMaxSide)
    return nullptr;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = LONG(width);
  info.bmiHeader.biHeight = -LONG(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  const UINT stride = width * 4;
  if (FAILED(pixels.p->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  BYTE* alpha = static_cast<BYTE*>(bits) + 3;
  const size_t pixelCount = size_t(width) * height;
  bool opaque = true;
  for (size_t i = 0; i < pixelCount && opaque; ++i) opaque = alpha[4 * i] == 0xFF;
  if (opaque)
    for (size_t i = 0; i < pixelCount; ++i) alpha[4 * i] = 0;
  return bitmap;
}

}  // namespace

HBITMAP SHLoadImageFile(LPCTSTR fileName) {
  if (!fileName) return nullptr;
  // The program loads pictures on its loading thread as well as its main thread.
  HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  HBITMAP bitmap = Decode(fileName);
  if (SUCCEEDED(com)) CoUninitialize();
  return bitmap;
}
