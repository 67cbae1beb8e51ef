#include "sound/Settings.h"

#include <regext.h>
#include <strsafe.h>

static const LPCWSTR SlotFolderValues[SETTINGS_SLOT_COUNT] = {
    TEXT("SoundSlot1Folder"), TEXT("SoundSlot2Folder"), TEXT("SoundSlot3Folder"),
    TEXT("SoundSlot4Folder"), TEXT("SoundSlot5Folder")};
static const LPCWSTR SlotNameValues[SETTINGS_SLOT_COUNT] = {
    TEXT("SoundSlot1Name"), TEXT("SoundSlot2Name"), TEXT("SoundSlot3Name"),
    TEXT("SoundSlot4Name"), TEXT("SoundSlot5Name")};

bool GetModuleFolder(WCHAR* destination) {
  WCHAR path[MAX_PATH] = {};
  destination[0] = 0;
  // A name that fills the whole buffer may have been cut: its folder would be wrong.
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  if (WCHAR* lastBackslash = wcsrchr(path, TEXT('\\'))) lastBackslash[1] = 0;
  return SUCCEEDED(StringCchCopyW(destination, MAX_PATH, path));
}

bool ReadRegString(HKEY root, LPCWSTR key, LPCWSTR valueName, WCHAR* buffer, LPCWSTR defaultText) {
  if (!buffer) return false;
  if (RegistryGetString(root, key, valueName, buffer, MAX_PATH) == S_OK) return true;
  StringCchCopyW(buffer, MAX_PATH, defaultText ? defaultText : TEXT(""));
  return false;
}

bool JoinPath(WCHAR* destination, LPCWSTR base, LPCWSTR tail) {
  if (base && base[0] && SUCCEEDED(StringCchCopyW(destination, MAX_PATH, base)) &&
      SUCCEEDED(StringCchCatW(destination, MAX_PATH, tail)))
    return true;
  destination[0] = 0;
  return false;
}

bool BuildSoundPath(WCHAR* destination, LPCWSTR soundsFolder, LPCWSTR folder, LPCWSTR name) {
  if (JoinPath(destination, soundsFolder, folder) &&
      SUCCEEDED(StringCchCatW(destination, MAX_PATH, TEXT("\\"))) &&
      SUCCEEDED(StringCchCatW(destination, MAX_PATH, name)))
    return true;
  destination[0] = 0;
  return false;
}

// A DWORD value, or fallback when it cannot be read.
static DWORD ReadRegDword(LPCWSTR valueName, DWORD fallback) {
  DWORD value = 0;
  if (RegistryGetDWORD(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, valueName, &value) != S_OK) return fallback;
  return value;
}

void Settings::DeriveFolders() {
  JoinPath(ExePath, AppFolder, TEXT("TiltChime.exe"));
  JoinPath(SkinFolder, AppFolder, TEXT("Skin\\"));
  JoinPath(SkinFile, SkinFolder, TEXT("Skin.txt"));
  JoinPath(SoundsFolder, AppFolder, TEXT("Sounds\\"));
}

int Settings::Load() {
  GetModuleFolder(AppFolder);
  DeriveFolders();

  for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot)
    ReadRegString(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, SlotFolderValues[slot], SoundSlotFolder[slot], TEXT(""));
  for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot)
    ReadRegString(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, SlotNameValues[slot], SoundSlotName[slot], TEXT(""));
  for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot)
    BuildSoundPath(SoundSlotPath[slot], SoundsFolder, SoundSlotFolder[slot], SoundSlotName[slot]);

  // Sensitivities are kept as read; the detectors decide what a value out of range means.
  SensitivityX = int(ReadRegDword(TEXT("SensitivityX"), 5));
  SensitivityY = int(ReadRegDword(TEXT("SensitivityY"), 5));
  SensitivityZ = int(ReadRegDword(TEXT("SensitivityZ"), 5));
  XButtonClose = ReadRegDword(TEXT("XButtonClose"), 1) != 0;
  AnimationsOn = ReadRegDword(TEXT("AnimationsOn"), 1) != 0;
  return 1;
}

// Each write stands alone: a failed one leaves the stored value for the next start.
int Settings::Save() {
  for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot)
    RegistrySetString(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, SlotFolderValues[slot], SoundSlotFolder[slot]);
  for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot)
    RegistrySetString(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, SlotNameValues[slot], SoundSlotName[slot]);
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, TEXT("SensitivityX"), DWORD(SensitivityX));
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, TEXT("SensitivityY"), DWORD(SensitivityY));
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, TEXT("SensitivityZ"), DWORD(SensitivityZ));
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, TEXT("XButtonClose"), XButtonClose ? 1 : 0);
  RegistrySetDWORD(HKEY_LOCAL_MACHINE, SETTINGS_REG_KEY, TEXT("AnimationsOn"), AnimationsOn ? 1 : 0);
  return 1;
}
