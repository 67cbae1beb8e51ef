// The command id of every widget, named after its place on the screen. A widget posts
// its id in the low word of WM_COMMAND's wParam.
#pragma once

enum WidgetId {
  ID_ROOT = 1,
  ID_SCREEN = 5,

  // Top and bottom bars.
  ID_TOPBAR_PICTURE = 16,
  ID_CLOSE = 17,
  ID_ABOUT = 18,
  ID_BOTTOMBAR_PICTURE = 22,

  // The three top panels: the tabbed pages, the About page, the sound picker.
  ID_PAGES = 19,
  ID_ABOUT_PAGE = 20,
  ID_PICKER_PAGE = 21,

  // Bottom-bar tabs and the pages they show.
  ID_TAB_HOME = 32,
  ID_TAB_SOUNDS = 33,
  ID_TAB_SETTINGS = 34,
  ID_HOME_PAGE = 35,
  ID_SOUNDS_PAGE = 36,
  ID_SETTINGS_PAGE = 37,

  // About page.
  ID_ABOUT_TITLE = 48,
  ID_ABOUT_PLATFORM = 49,
  ID_ABOUT_VERSION = 50,
  ID_ABOUT_PICTURE = 51,
  ID_ABOUT_WEB = 52,
  ID_ABOUT_EMAIL = 53,
  ID_DONATE = 54,
  ID_ABOUT_NOTICE = 55,
  ID_ABOUT_BACK = 56,

  // Sound picker page.
  ID_PICKER_LIST = 64,
  ID_PICKER_OK = 65,
  ID_PICKER_CANCEL = 66,

  // Home page: the cross of slot buttons and the motion toggle.
  ID_HOME_SLOT1 = 80,
  ID_HOME_SLOT2 = 81,
  ID_HOME_SLOT3 = 82,
  ID_HOME_SLOT4 = 83,
  ID_HOME_SLOT5 = 84,
  ID_MOTION_TOGGLE = 85,

  // Sounds page: per slot a button that opens the picker and a play button.
  ID_SOUNDS_PICTURE = 96,
  ID_SOUNDS_OPEN1 = 97,
  ID_SOUNDS_OPEN2 = 98,
  ID_SOUNDS_OPEN3 = 99,
  ID_SOUNDS_OPEN4 = 100,
  ID_SOUNDS_OPEN5 = 101,
  ID_SOUNDS_PLAY1 = 102,
  ID_SOUNDS_PLAY2 = 103,
  ID_SOUNDS_PLAY3 = 104,
  ID_SOUNDS_PLAY4 = 105,
  ID_SOUNDS_PLAY5 = 112,

  // Settings page.
  ID_SENS_TITLE = 128,
  ID_SENS_X_LABEL = 129,
  ID_SENS_Y_LABEL = 130,
  ID_SENS_Z_LABEL = 131,
  ID_SENS_X = 132,
  ID_SENS_Y = 133,
  ID_SENS_Z = 134,
  ID_XCLOSE_LABEL = 135,
  ID_XCLOSE = 136,
  ID_ANIM_LABEL = 137,
  ID_ANIM = 144,
  ID_VOLUME_LABEL = 145,
  ID_VOLUME = 146,
};
