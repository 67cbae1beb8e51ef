// The process-wide globals through which the subsystems find each other.
//
// Objects are created once and live until the process ends. The loading thread
// publishes the subsystem pointers while the main thread paints, so every pointer and
// the Loading flag are atomics: stores release, loads acquire. Every user tests a
// pointer before use and skips the action when it is empty.
#pragma once

#include <atomic>
#include <windows.h>

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
class TouchPanel;
class TouchPicture;
class TouchLabel;
class TouchButton;
class TouchButtonEx;
class TouchCheckBox;
class TouchCombo;
class TouchSelectList;

// A memory device context with a screen-sized bitmap selected into it.
struct BackBuffer {
  HDC Dc = nullptr;
  HBITMAP Bitmap = nullptr;
};

struct AppGlobals {
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
  static inline std::atomic<TouchPanel*> RootPanel{nullptr};

  // One pointer per widget, named after its id (screens/WidgetIds.h) and stored right
  // after the widget is constructed; RootPanel is stored last, once the tree is linked.
  // Index 0 of the slot arrays is slot 1.
  static inline std::atomic<TouchPanel*> Screen{nullptr};
  static inline std::atomic<TouchPicture*> TopBarPicture{nullptr};
  static inline std::atomic<TouchButton*> CloseButton{nullptr};
  static inline std::atomic<TouchButton*> AboutButton{nullptr};
  static inline std::atomic<TouchPicture*> BottomBarPicture{nullptr};
  static inline std::atomic<TouchPanel*> Pages{nullptr};
  static inline std::atomic<TouchPanel*> AboutPage{nullptr};
  static inline std::atomic<TouchPanel*> PickerPage{nullptr};

  static inline std::atomic<TouchCheckBox*> TabHome{nullptr};
  static inline std::atomic<TouchCheckBox*> TabSounds{nullptr};
  static inline std::atomic<TouchCheckBox*> TabSettings{nullptr};
  static inline std::atomic<TouchPanel*> HomePage{nullptr};
  static inline std::atomic<TouchPanel*> SoundsPage{nullptr};
  static inline std::atomic<TouchPanel*> SettingsPage{nullptr};

  static inline std::atomic<TouchButton*> HomeSlot[5]{};
  static inline std::atomic<TouchCheckBox*> MotionToggle{nullptr};

  static inline std::atomic<TouchPicture*> SoundsPicture{nullptr};
  static inline std::atomic<TouchButtonEx*> SoundsOpen[5]{};
  static inline std::atomic<TouchButton*> SoundsPlay[5]{};

  static inline std::atomic<TouchLabel*> SensTitle{nullptr};
  static inline std::atomic<TouchLabel*> SensXLabel{nullptr};
  static inline std::atomic<TouchLabel*> SensYLabel{nullptr};
  static inline std::atomic<TouchLabel*> SensZLabel{nullptr};
  static inline std::atomic<TouchCombo*> SensX{nullptr};
  static inline std::atomic<TouchCombo*> SensY{nullptr};
  static inline std::atomic<TouchCombo*> SensZ{nullptr};
  static inline std::atomic<TouchLabel*> XCloseLabel{nullptr};
  static inline std::atomic<TouchCheckBox*> XClose{nullptr};
  static inline std::atomic<TouchLabel*> AnimLabel{nullptr};
  static inline std::atomic<TouchCheckBox*> Anim{nullptr};
  static inline std::atomic<TouchLabel*> VolumeLabel{nullptr};
  static inline std::atomic<TouchCombo*> Volume{nullptr};

  static inline std::atomic<TouchLabel*> AboutTitle{nullptr};
  static inline std::atomic<TouchLabel*> AboutPlatform{nullptr};
  static inline std::atomic<TouchLabel*> AboutVersion{nullptr};
  static inline std::atomic<TouchPicture*> AboutPicture{nullptr};
  static inline std::atomic<TouchLabel*> AboutWeb{nullptr};
  static inline std::atomic<TouchLabel*> AboutEmail{nullptr};
  static inline std::atomic<TouchButton*> DonateButton{nullptr};
  static inline std::atomic<TouchLabel*> AboutNotice{nullptr};
  static inline std::atomic<TouchButton*> AboutBack{nullptr};

  static inline std::atomic<TouchSelectList*> PickerList{nullptr};
  static inline std::atomic<TouchButton*> PickerOk{nullptr};
  static inline std::atomic<TouchButton*> PickerCancel{nullptr};

  // Display orientation found at the last activation; -1 when none was read.
  static inline int SavedOrientation = -1;
};

// What a global points at, or null (an acquire load, pairing with the publishing store).
template <typename T>
T* Get(const std::atomic<T*>& global) {
  return global.load(std::memory_order_acquire);
}
