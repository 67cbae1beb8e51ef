// Window system: windows, messages, timers, painting, metrics, display settings.
#pragma once
#include "ce/types.h"

typedef WORD ATOM;
typedef LRESULT (CALLBACK* WNDPROC)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
typedef void (CALLBACK* TIMERPROC)(HWND window, UINT message, UINT_PTR id, DWORD tick);

// Messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
// Pointer messages of desktop Windows: the touches after the first (which is the stylus).
// wParam: pointer id in the low word, POINTER_MESSAGE_FLAG_* in the high word; lParam:
// the point in screen coordinates.
#define WM_POINTERDOWN 0x0246
#define WM_POINTERUP 0x0247
#define POINTER_MESSAGE_FLAG_NEW 0x00000001
#define POINTER_MESSAGE_FLAG_INRANGE 0x00000002
#define POINTER_MESSAGE_FLAG_INCONTACT 0x00000004
#define GET_POINTERID_WPARAM(wParam) (LOWORD(wParam))
// To the focus window: HIWORD(wParam) the signed distance in WHEEL_DELTA steps per notch
// (positive: away from the user), lParam the pointer in screen coordinates.
#define WM_MOUSEWHEEL 0x020A
#define WHEEL_DELTA 120
#define GET_WHEEL_DELTA_WPARAM(wParam) ((short)HIWORD(wParam))
#define WM_USER 0x0400

// WM_ACTIVATE states (low word of wParam).
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// WM_SIZE kinds.
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1

// Mouse key state in wParam of the mouse messages.
#define MK_LBUTTON 0x0001

// Virtual keys.
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28

// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002

// Window styles.
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_SYSMENU 0x00080000L

#define CW_USEDEFAULT ((int)0x80000000)

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWNA 8
#define SW_RESTORE 9

// PeekMessageW options.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// GetSystemMetrics indices.
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

// SystemParametersInfoW actions.
#define SPI_GETWORKAREA 48
#define SPI_GETWHEELSCROLLLINES 104

#define IDC_ARROW MAKEINTRESOURCEW(32512)

// Image kinds (LoadImage, CopyImage); macros as in the real headers, so that no name of
// the application can take them.
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

typedef struct tagWNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
} WNDCLASSW, *PWNDCLASSW, *LPWNDCLASSW;
typedef WNDCLASSW WNDCLASS;

typedef struct tagCREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTW, *LPCREATESTRUCTW;
typedef CREATESTRUCTW CREATESTRUCT;

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *PMSG, *LPMSG;

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *PPAINTSTRUCT, *LPPAINTSTRUCT;

// Display settings as on Windows CE: the orientation field comes last (192 bytes).
#define CCHDEVICENAME 32
#define CCHFORMNAME 32
typedef struct _devicemodeW {
  WCHAR dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  short dmOrientation;
  short dmPaperSize;
  short dmPaperLength;
  short dmPaperWidth;
  short dmScale;
  short dmCopies;
  short dmDefaultSource;
  short dmPrintQuality;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  WCHAR dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmDisplayOrientation;
} DEVMODEW, *PDEVMODEW, *LPDEVMODEW;
typedef DEVMODEW DEVMODE;
typedef LPDEVMODEW LPDEVMODE;

#define DM_BITSPERPEL 0x00040000L
#define DM_PELSWIDTH 0x00080000L
#define DM_PELSHEIGHT 0x00100000L
#define DM_DISPLAYORIENTATION 0x00800000L
#define DM_DISPLAYQUERYORIENTATION 0x01000000L

#define DMDO_0 0
#define DMDO_90 1
#define DMDO_180 2
#define DMDO_270 4

#define CDS_UPDATEREGISTRY 0x00000001
#define CDS_TEST 0x00000002
#define CDS_VIDEOPARAMETERS 0x00000020
#define CDS_RESET 0x40000000

#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_RESTART 1
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
#define DISP_CHANGE_NOTUPDATED (-3)
#define DISP_CHANGE_BADFLAGS (-4)
#define DISP_CHANGE_BADPARAM (-5)

#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

// Window classes and windows.
WINCEAPI ATOM RegisterClassW(CONST WNDCLASSW* windowClass);
#define RegisterClass RegisterClassW
WINCEAPI BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
#define UnregisterClass UnregisterClassW
WINCEAPI HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                              int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                              LPVOID param);
#define CreateWindowEx CreateWindowExW
#define CreateWindowW(className, windowName, style, x, y, width, height, parent, menu, instance, param) \
  CreateWindowExW(0, className, windowName, style, x, y, width, height, parent, menu, instance, param)
#define CreateWindow CreateWindowW
WINCEAPI BOOL DestroyWindow(HWND window);
WINCEAPI LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#define DefWindowProc DefWindowProcW
WINCEAPI BOOL IsWindow(HWND window);
WINCEAPI BOOL IsWindowVisible(HWND window);
WINCEAPI BOOL ShowWindow(HWND window, int command);
WINCEAPI BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
WINCEAPI BOOL GetClientRect(HWND window, LPRECT rect);
WINCEAPI BOOL ScreenToClient(HWND window, LPPOINT point);
WINCEAPI BOOL GetWindowRect(HWND window, LPRECT rect);
WINCEAPI HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
#define FindWindow FindWindowW
WINCEAPI BOOL SetForegroundWindow(HWND window);
WINCEAPI HWND GetForegroundWindow(void);
WINCEAPI HWND SetActiveWindow(HWND window);
WINCEAPI HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
#define LoadCursor LoadCursorW

// Messages.
WINCEAPI BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#define PostMessage PostMessageW
WINCEAPI LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#define SendMessage SendMessageW
WINCEAPI BOOL GetMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax);
#define GetMessage GetMessageW
WINCEAPI BOOL PeekMessageW(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage);
#define PeekMessage PeekMessageW
WINCEAPI BOOL TranslateMessage(CONST MSG* msg);
WINCEAPI LRESULT DispatchMessageW(CONST MSG* msg);
#define DispatchMessage DispatchMessageW
WINCEAPI void PostQuitMessage(int exitCode);

// Timers.
WINCEAPI UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc);
WINCEAPI BOOL KillTimer(HWND window, UINT_PTR id);

// Painting.
WINCEAPI BOOL InvalidateRect(HWND window, CONST RECT* rect, BOOL erase);
WINCEAPI BOOL ValidateRect(HWND window, CONST RECT* rect);
WINCEAPI BOOL UpdateWindow(HWND window);
WINCEAPI HDC BeginPaint(HWND window, LPPAINTSTRUCT paint);
WINCEAPI BOOL EndPaint(HWND window, CONST PAINTSTRUCT* paint);
// GetDC(NULL) is the screen, which is the window's surface.
WINCEAPI HDC GetDC(HWND window);
WINCEAPI int ReleaseDC(HWND window, HDC dc);

// Metrics and display settings.
WINCEAPI int GetSystemMetrics(int index);
WINCEAPI BOOL SystemParametersInfoW(UINT action, UINT param, PVOID value, UINT winIni);
#define SystemParametersInfo SystemParametersInfoW
WINCEAPI LONG ChangeDisplaySettingsExW(LPCWSTR deviceName, LPDEVMODEW mode, HWND window, DWORD flags,
                                       LPVOID param);
#define ChangeDisplaySettingsEx ChangeDisplaySettingsExW
