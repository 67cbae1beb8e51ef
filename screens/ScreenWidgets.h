// The widgets of every page, published one by one as the screen composition creates
// them, so that the application finds each by name. Atomics like every global the
// loading thread publishes: stores release, loads acquire.
#pragma once

#include <atomic>

class TouchPanel;
class TouchPicture;
class TouchLabel;
class TouchButton;
class TouchButtonEx;
class TouchCheckBox;
class TouchCombo;
class TouchSelectList;

struct ScreenWidgets {
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

};
