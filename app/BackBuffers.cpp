#include "app/BackBuffers.h"

#include "app/AppGlobals.h"

static BackBuffer* const kBuffers[] = {&AppGlobals::FrameBuffer, &AppGlobals::OutgoingBuffer,
                                       &AppGlobals::IncomingBuffer};

static void CreateBackBuffer(BackBuffer& buffer, HDC windowDc, int width, int height) {
  if (buffer.Dc) DeleteDC(buffer.Dc);
  buffer.Dc = CreateCompatibleDC(windowDc);
  if (buffer.Bitmap) DeleteObject(buffer.Bitmap);
  buffer.Bitmap = CreateCompatibleBitmap(windowDc, width, height);
  SelectObject(buffer.Dc, buffer.Bitmap);
}

void CreateBackBuffers(HWND window) {
  HDC windowDc = GetDC(window);
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  for (BackBuffer* buffer : kBuffers) CreateBackBuffer(*buffer, windowDc, width, height);
  ReleaseDC(window, windowDc);
}

void DeleteBackBuffers() {
  for (BackBuffer* buffer : kBuffers) {
    if (buffer->Dc) DeleteDC(buffer->Dc);
    buffer->Dc = nullptr;
    if (buffer->Bitmap) DeleteObject(buffer->Bitmap);
    buffer->Bitmap = nullptr;
  }
}
