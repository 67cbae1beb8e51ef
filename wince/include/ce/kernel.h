// Kernel: threads, events, waiting, the tick count, per-thread error codes, power.
#pragma once
#include "ce/types.h"

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef DWORD (WINAPI* PTHREAD_START_ROUTINE)(LPVOID parameter);
typedef PTHREAD_START_ROUTINE LPTHREAD_START_ROUTINE;

#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_TIMEOUT 258L
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)
#define STILL_ACTIVE 0x00000103L
#define CREATE_SUSPENDED 0x00000004

WINCEAPI HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, DWORD stackSize,
                             LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD creationFlags,
                             LPDWORD threadId);
WINCEAPI BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
WINCEAPI DWORD GetCurrentThreadId(void);
WINCEAPI BOOL CloseHandle(HANDLE object);
WINCEAPI DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);

WINCEAPI HANDLE CreateEventW(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState,
                             LPCWSTR name);
#define CreateEvent CreateEventW
WINCEAPI BOOL SetEvent(HANDLE event);
WINCEAPI BOOL ResetEvent(HANDLE event);

WINCEAPI void Sleep(DWORD milliseconds);
WINCEAPI DWORD GetTickCount(void);

WINCEAPI DWORD GetLastError(void);
WINCEAPI void SetLastError(DWORD error);

// Keeps the device (here: the host's screen saver) from going idle for a while.
WINCEAPI void SystemIdleTimerReset(void);

WINCEAPI void OutputDebugStringW(LPCWSTR text);
#define OutputDebugString OutputDebugStringW

// The application's entry, called by the layer's process entry.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine,
                   int showCommand);
