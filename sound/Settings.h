// The settings record: what the program remembers between runs (the five slots'
// sounds, the three shake sensitivities, two options) and the folders derived from the
// executable's location.
#pragma once

#include <windows.h>

// Registry key of the persisted settings, under HKEY_LOCAL_MACHINE.
#define SETTINGS_REG_KEY TEXT("Software\\Brambleway\\TiltChime\\Settings")

enum { SETTINGS_SLOT_COUNT = 5 };

class Settings {
 public:
  // Fills every field from the executable's location and the registry; returns 1.
  int Load();
  // Writes the fifteen persisted values (slots, sensitivities, options); returns 1.
  int Save();
  // ExePath, SkinFolder, SkinFile and SoundsFolder from AppFolder (the first steps of Load).
  void DeriveFolders();

  // Derived afresh at every start, never stored. A path that would not fit in
  // MAX_PATH characters is left empty rather than cut to a different path.
  WCHAR AppFolder[MAX_PATH];
  WCHAR ExePath[MAX_PATH];
  WCHAR SkinFolder[MAX_PATH];
  WCHAR SkinFile[MAX_PATH];
  WCHAR SoundsFolder[MAX_PATH];
  WCHAR SoundSlotPath[SETTINGS_SLOT_COUNT][MAX_PATH];  // index 0 is slot 1

  // Persisted.
  WCHAR SoundSlotFolder[SETTINGS_SLOT_COUNT][MAX_PATH];
  WCHAR SoundSlotName[SETTINGS_SLOT_COUNT][MAX_PATH];
  int SensitivityX;
  int SensitivityY;
  int SensitivityZ;
  bool XButtonClose;
  bool AnimationsOn;
};

// The folder of the running executable, ending in a backslash, into a MAX_PATH buffer.
// Returns false (destination empty) when the module name cannot be read in full.
bool GetModuleFolder(WCHAR* destination);

// Reads a string value into a MAX_PATH buffer. When the read fails the buffer gets
// defaultText (or the empty text when none is given). Returns true when the value was read.
bool ReadRegString(HKEY root, LPCWSTR key, LPCWSTR valueName, WCHAR* buffer, LPCWSTR defaultText);

// destination = base + tail in a MAX_PATH buffer. Refused (destination empty, false)
// when base is empty or the result would not fit: a cut path would name another file.
bool JoinPath(WCHAR* destination, LPCWSTR base, LPCWSTR tail);

// destination = soundsFolder + folder + "\" + name in a MAX_PATH buffer, refused like
// JoinPath when soundsFolder is empty or the result would not fit.
bool BuildSoundPath(WCHAR* destination, LPCWSTR soundsFolder, LPCWSTR folder, LPCWSTR name);
