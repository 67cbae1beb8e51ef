// The process-wide globals through which the subsystems find each other.
//
// Objects are created once and live until the process ends. The loading thread
// publishes the subsystem pointers while the main thread paints, so every pointer and
// the Loading flag are atomics: stores release, loads acquire. Every user tests a
// pointer before use and skips the action when it is empty.
#pragma once

#include <atomic>
#include <windows.h>

#include "screens/ScreenWidgets.h"

class AppResources;
class Settings;
class Skin;
class SplashScreen;
class SensorDriver;
class KeepAwakeTimer;
class SoundBank;
class SoundSlots;
class ShakeDetectorX;
class ShakeDetectorY;
class ShakeDetectorZ;
class TransitionAnimator;

// A memory device context with a screen-sized bitmap selected into it.
struct BackBuffer {
  HDC Dc = nullptr;
  HBITMAP Bitmap = nullptr;
};

// The root panel and the widgets are the screens' (ScreenWidgets).
struct AppGlobals : ScreenWidgets {
  static inline std::atomic<HINSTANCE> Instance{nullptr};
  static inline std::atomic<HWND> MainWindow{nullptr};
  static inline std::atomic<BYTE> Loading{0};
  // Widget id (97..101) of the Sounds-page slot button that opened the sound picker.
  static inline int PickerSlotId = 0;

  // Main thread only: created by InitInstance, deleted at shutdown.
  static inline BackBuffer FrameBuffer;
  static inline BackBuffer OutgoingBuffer;
  static inline BackBuffer IncomingBuffer;

  static inline std::atomic<AppResources*> Resources{nullptr};
  static inline std::atomic<Settings*> TheSettings{nullptr};
  static inline std::atomic<Skin*> TheSkin{nullptr};
  static inline std::atomic<SplashScreen*> Splash{nullptr};
  static inline std::atomic<SensorDriver*> Sensor{nullptr};
  static inline std::atomic<KeepAwakeTimer*> KeepAwake{nullptr};
  static inline std::atomic<SoundBank*> Bank{nullptr};
  static inline std::atomic<SoundSlots*> Slots{nullptr};
  static inline std::atomic<ShakeDetectorX*> DetectorX{nullptr};
  static inline std::atomic<ShakeDetectorY*> DetectorY{nullptr};
  static inline std::atomic<ShakeDetectorZ*> DetectorZ{nullptr};
  static inline std::atomic<TransitionAnimator*> Animator{nullptr};

  // Display orientation found at the last activation; -1 when none was read.
  static inline int SavedOrientation = -1;
};

// What a global points at, or null (an acquire load, pairing with the publishing store).
template <typename T>
T* Get(const std::atomic<T*>& global) {
  return global.load(std::memory_order_acquire);
}
