#include <string>

#include "tests/sound/SoundTestSupport.h"

#include <regext.h>
#include <strsafe.h>

#include "sound/Settings.h"

namespace {

using soundtest::TempFolderTest;

const WCHAR* const Key = TEXT("Software\\Brambleway\\TiltChime\\Settings");

std::u16string Text(const WCHAR* s) { return s; }

void StoreString(const WCHAR* name, const WCHAR* value) {
  ASSERT_EQ(S_OK, RegistrySetString(HKEY_LOCAL_MACHINE, Key, name, value));
}

void StoreDword(const WCHAR* name, DWORD value) {
  ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, Key, name, value));
}

DWORD StoredDword(const WCHAR* name) {
  DWORD value = 0xDEADBEEF;
  EXPECT_EQ(S_OK, RegistryGetDWORD(HKEY_LOCAL_MACHINE, Key, name, &value)) << std::string(name, name + wcslen(name));
  return value;
}

std::u16string StoredString(const WCHAR* name) {
  WCHAR value[MAX_PATH] = TEXT("unread");
  EXPECT_EQ(S_OK, RegistryGetString(HKEY_LOCAL_MACHINE, Key, name, value, MAX_PATH));
  return value;
}

using SettingsTest = TempFolderTest;

TEST_F(SettingsTest, FirstRunGivesDefaultsAndFoldersBesideTheExecutable) {
  Settings settings;
  EXPECT_EQ(1, settings.Load());

  std::u16string app = settings.AppFolder;
  ASSERT_GE(app.size(), 7u);
  EXPECT_EQ(u"\\tests\\", app.substr(app.size() - 7)) << "the test executable's folder";
  EXPECT_EQ(app + u"TiltChime.exe", Text(settings.ExePath));
  EXPECT_EQ(app + u"Skin\\", Text(settings.SkinFolder));
  EXPECT_EQ(app + u"Skin\\Skin.txt", Text(settings.SkinFile));
  EXPECT_EQ(app + u"Sounds\\", Text(settings.SoundsFolder));
  for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot) {
    EXPECT_EQ(u"", Text(settings.SoundSlotFolder[slot]));
    EXPECT_EQ(u"", Text(settings.SoundSlotName[slot]));
    // Empty folder and name still compose: the sounds folder and one more backslash.
    EXPECT_EQ(app + u"Sounds\\\\", Text(settings.SoundSlotPath[slot]));
  }
  EXPECT_EQ(5, settings.SensitivityX);
  EXPECT_EQ(5, settings.SensitivityY);
  EXPECT_EQ(5, settings.SensitivityZ);
  EXPECT_TRUE(settings.XButtonClose);
  EXPECT_TRUE(settings.AnimationsOn);
}

TEST_F(SettingsTest, StoredValuesAreLoadedAsTheyStand) {
  StoreString(TEXT("SoundSlot2Folder"), TEXT("Chimes"));
  StoreString(TEXT("SoundSlot2Name"), TEXT("Bright Bell.wav"));
  StoreString(TEXT("SoundSlot5Name"), TEXT("Kick.wav"));
  StoreDword(TEXT("SensitivityX"), 1);
  StoreDword(TEXT("SensitivityY"), 0);
  StoreDword(TEXT("SensitivityZ"), 12);
  StoreDword(TEXT("XButtonClose"), 0);
  StoreDword(TEXT("AnimationsOn"), 7);

  Settings settings;
  settings.Load();
  std::u16string sounds = settings.SoundsFolder;
  EXPECT_EQ(u"Chimes", Text(settings.SoundSlotFolder[1]));
  EXPECT_EQ(u"Bright Bell.wav", Text(settings.SoundSlotName[1]));
  EXPECT_EQ(sounds + u"Chimes\\Bright Bell.wav", Text(settings.SoundSlotPath[1]));
  EXPECT_EQ(sounds + u"\\Kick.wav", Text(settings.SoundSlotPath[4]));
  // Out-of-range sensitivities are kept; the detectors decide what they mean.
  EXPECT_EQ(1, settings.SensitivityX);
  EXPECT_EQ(0, settings.SensitivityY);
  EXPECT_EQ(12, settings.SensitivityZ);
  EXPECT_FALSE(settings.XButtonClose);
  EXPECT_TRUE(settings.AnimationsOn);
}

TEST_F(SettingsTest, UnreadableValuesFallBackAndOverlongPathsAreLeftEmpty) {
  ASSERT_EQ(S_OK, RegistrySetString(HKEY_LOCAL_MACHINE, Key, TEXT("SensitivityX"), TEXT("9")));
  StoreDword(TEXT("SoundSlot1Name"), 3);
  StoreString(TEXT("SoundSlot3Name"), std::u16string(300, u'n').c_str());
  // A name that fits its own field but not behind the sounds folder.
  StoreString(TEXT("SoundSlot4Name"), std::u16string(250, u'a').c_str());

  Settings settings;
  settings.Load();
  EXPECT_EQ(5, settings.SensitivityX);
  EXPECT_EQ(u"", Text(settings.SoundSlotName[0]));
  EXPECT_EQ(u"", Text(settings.SoundSlotName[2]));
  EXPECT_EQ(250u, wcslen(settings.SoundSlotName[3]));
  EXPECT_EQ(u"", Text(settings.SoundSlotPath[3]));
}

TEST_F(SettingsTest, FoldersDerivedFromTheRootOrAnOverlongFolder) {
  Settings settings;
  StringCchCopyW(settings.AppFolder, MAX_PATH, TEXT("\\"));
  settings.DeriveFolders();
  EXPECT_EQ(u"\\TiltChime.exe", Text(settings.ExePath));
  EXPECT_EQ(u"\\Skin\\Skin.txt", Text(settings.SkinFile));
  EXPECT_EQ(u"\\Sounds\\", Text(settings.SoundsFolder));

  // 250 characters: "Skin\" (255) and "Sounds\" (257) still fit, "TiltChime.exe" (263)
  // and "Skin\Skin.txt" (263) are refused rather than cut.
  std::u16string app = u"\\" + std::u16string(248, u'f') + u"\\";
  StringCchCopyW(settings.AppFolder, MAX_PATH, app.c_str());
  settings.DeriveFolders();
  EXPECT_EQ(u"", Text(settings.ExePath));
  EXPECT_EQ(app + u"Skin\\", Text(settings.SkinFolder));
  EXPECT_EQ(u"", Text(settings.SkinFile));
  EXPECT_EQ(app + u"Sounds\\", Text(settings.SoundsFolder));
}

TEST_F(SettingsTest, SaveWritesAllFifteenValuesUnderTheKey) {
  StoreDword(TEXT("XButtonClose"), 7);
  Settings settings;
  settings.Load();
  StoreDword(TEXT("SensitivityZ"), 8);  // changed behind the record's back: saved over
  StringCchCopyW(settings.SoundSlotName[3], MAX_PATH, TEXT("Snare.wav"));
  settings.AnimationsOn = false;
  EXPECT_EQ(1, settings.Save());

  for (const WCHAR* name : {TEXT("SoundSlot1Folder"), TEXT("SoundSlot2Folder"), TEXT("SoundSlot3Folder"),
                            TEXT("SoundSlot4Folder"), TEXT("SoundSlot5Folder"), TEXT("SoundSlot1Name"),
                            TEXT("SoundSlot2Name"), TEXT("SoundSlot3Name"), TEXT("SoundSlot5Name")})
    EXPECT_EQ(u"", StoredString(name));
  EXPECT_EQ(u"Snare.wav", StoredString(TEXT("SoundSlot4Name")));
  EXPECT_EQ(5u, StoredDword(TEXT("SensitivityX")));
  EXPECT_EQ(5u, StoredDword(TEXT("SensitivityY")));
  EXPECT_EQ(5u, StoredDword(TEXT("SensitivityZ")));
  EXPECT_EQ(1u, StoredDword(TEXT("XButtonClose")));  // a non-zero option is written as 1
  EXPECT_EQ(0u, StoredDword(TEXT("AnimationsOn")));

  // The key and the value names as a person reads them in the registry file.
  std::string file = soundtest::ReadFile(registry_);
  EXPECT_NE(std::string::npos, file.find("[HKEY_LOCAL_MACHINE\\Software\\Brambleway\\TiltChime\\Settings]"));
  size_t values = 0;
  for (size_t at = file.find("\n\""); at != std::string::npos; at = file.find("\n\"", at + 1)) ++values;
  EXPECT_EQ(15u, values);
}

TEST(SoundPathTest, ComposesOrRefusesWithoutOverflow) {
  WCHAR path[MAX_PATH];
  EXPECT_TRUE(BuildSoundPath(path, TEXT("\\app\\Sounds\\"), TEXT("Rock"), TEXT("a.wav")));
  EXPECT_EQ(u"\\app\\Sounds\\Rock\\a.wav", Text(path));

  // 259 characters fit exactly; one more is refused rather than cut.
  const WCHAR* sounds = TEXT("\\app\\Sounds\\");
  std::u16string folder(259 - wcslen(sounds) - wcslen(TEXT("\\a.wav")), u'r');
  EXPECT_TRUE(BuildSoundPath(path, sounds, folder.c_str(), TEXT("a.wav")));
  EXPECT_EQ(259u, wcslen(path));
  EXPECT_FALSE(BuildSoundPath(path, sounds, folder.c_str(), TEXT("ab.wav")));
  EXPECT_EQ(u"", Text(path));

  // A sound path needs a sounds folder.
  EXPECT_FALSE(BuildSoundPath(path, TEXT(""), TEXT("Rock"), TEXT("a.wav")));
  EXPECT_EQ(u"", Text(path));
}

}  // namespace
