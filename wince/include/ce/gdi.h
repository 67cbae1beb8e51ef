// GDI: device contexts, bitmaps, brushes, pens, the blitting operations, the rectangle
// helpers and the executable's bitmap and icon resources.
#pragma once
#include "ce/types.h"

// GetDeviceCaps indices.
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define LOGPIXELSX 88
#define LOGPIXELSY 90

// Raster operations.
#define SRCCOPY ((DWORD)0x00CC0020)
#define SRCPAINT ((DWORD)0x00EE0086)
#define SRCAND ((DWORD)0x008800C6)
#define SRCINVERT ((DWORD)0x00660046)
#define NOTSRCCOPY ((DWORD)0x00330008)
#define PATCOPY ((DWORD)0x00F00021)
#define PATINVERT ((DWORD)0x005A0049)
#define DSTINVERT ((DWORD)0x00550009)
#define BLACKNESS ((DWORD)0x00000042)
#define WHITENESS ((DWORD)0x00FF0062)

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8

// Object types (GetCurrentObject, GetObjectType).
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10

// Pen styles.
#define PS_SOLID 0
#define PS_DASH 1
#define PS_NULL 5

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

#define CLR_INVALID ((COLORREF)0xFFFFFFFF)
#define HGDI_ERROR ((HGDIOBJ)(intptr_t)-1)

// Bitmap compression and colour tables.
#define BI_RGB 0L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0

// AlphaBlend.
#define AC_SRC_OVER 0x00
#define AC_SRC_ALPHA 0x01

// GradientFill.
#define GRADIENT_FILL_RECT_H 0x00000000
#define GRADIENT_FILL_RECT_V 0x00000001

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

typedef struct _BLENDFUNCTION {
  BYTE BlendOp;
  BYTE BlendFlags;
  BYTE SourceConstantAlpha;
  BYTE AlphaFormat;
} BLENDFUNCTION, *PBLENDFUNCTION;

typedef USHORT COLOR16;

typedef struct _TRIVERTEX {
  LONG x;
  LONG y;
  COLOR16 Red;
  COLOR16 Green;
  COLOR16 Blue;
  COLOR16 Alpha;
} TRIVERTEX, *PTRIVERTEX;

typedef struct _GRADIENT_RECT {
  ULONG UpperLeft;
  ULONG LowerRight;
} GRADIENT_RECT, *PGRADIENT_RECT;

// Device contexts and objects.
WINCEAPI HDC CreateCompatibleDC(HDC dc);
WINCEAPI BOOL DeleteDC(HDC dc);
WINCEAPI HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
WINCEAPI HGDIOBJ GetCurrentObject(HDC dc, UINT type);
WINCEAPI DWORD GetObjectType(HGDIOBJ object);
WINCEAPI HGDIOBJ GetStockObject(int index);
WINCEAPI BOOL DeleteObject(HGDIOBJ object);
WINCEAPI int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
#define GetObject GetObjectW
WINCEAPI int GetDeviceCaps(HDC dc, int index);

// Bitmaps.
WINCEAPI HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
WINCEAPI HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, CONST VOID* bits);
WINCEAPI COLORREF GetPixel(HDC dc, int x, int y);
WINCEAPI COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);

// Transfers.
WINCEAPI BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
WINCEAPI BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
WINCEAPI BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                         int srcWidth, int srcHeight, DWORD rop);
// The source is a device context or a bitmap, as on Windows CE.
WINCEAPI BOOL TransparentImage(HDC dest, LONG x, LONG y, LONG width, LONG height, HANDLE src, LONG srcX,
                               LONG srcY, LONG srcWidth, LONG srcHeight, COLORREF transparentColor);
WINCEAPI BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                         int srcWidth, int srcHeight, BLENDFUNCTION blend);
WINCEAPI BOOL GradientFill(HDC dc, PTRIVERTEX vertices, ULONG vertexCount, PVOID mesh, ULONG meshCount,
                           ULONG mode);

// Brushes, pens and lines.
WINCEAPI HBRUSH CreateSolidBrush(COLORREF color);
WINCEAPI HBRUSH CreatePatternBrush(HBITMAP bitmap);
WINCEAPI int FillRect(HDC dc, CONST RECT* rect, HBRUSH brush);
WINCEAPI HPEN CreatePen(int style, int width, COLORREF color);
WINCEAPI BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
WINCEAPI BOOL LineTo(HDC dc, int x, int y);
WINCEAPI BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);

// Colours and background.
WINCEAPI int SetBkMode(HDC dc, int mode);
WINCEAPI int GetBkMode(HDC dc);
WINCEAPI COLORREF SetBkColor(HDC dc, COLORREF color);
WINCEAPI COLORREF GetBkColor(HDC dc);
WINCEAPI COLORREF SetTextColor(HDC dc, COLORREF color);
WINCEAPI COLORREF GetTextColor(HDC dc);

// Rectangle helpers.
WINCEAPI BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
WINCEAPI BOOL SetRectEmpty(LPRECT rect);
WINCEAPI BOOL CopyRect(LPRECT dest, CONST RECT* src);
WINCEAPI BOOL InflateRect(LPRECT rect, int dx, int dy);
WINCEAPI BOOL OffsetRect(LPRECT rect, int dx, int dy);
WINCEAPI BOOL PtInRect(CONST RECT* rect, POINT point);
WINCEAPI BOOL IntersectRect(LPRECT dest, CONST RECT* a, CONST RECT* b);
WINCEAPI BOOL IsRectEmpty(CONST RECT* rect);
WINCEAPI BOOL EqualRect(CONST RECT* a, CONST RECT* b);

// Resources of a module (the executable's, for its instance handle or NULL).
WINCEAPI HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
#define LoadBitmap LoadBitmapW
WINCEAPI HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
#define LoadIcon LoadIconW
WINCEAPI BOOL DestroyIcon(HICON icon);
