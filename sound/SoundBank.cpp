#include "sound/SoundBank.h"

#include <aygshell.h>
#include <strsafe.h>

#include "report/TellUser.h"
#include "sound/Settings.h"
#include "sound/WavFile.h"

void SoundBank::Scan(LPCWSTR soundsFolder) {
  Clear();
  WCHAR pattern[MAX_PATH];
  if (!JoinPath(pattern, soundsFolder, TEXT("*"))) return;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern, &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ScanFolder(soundsFolder, found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  if (Entries.empty()) {
    TellUser({TEXT("no sound collections found in "), soundsFolder,
              TEXT(": put a folder of WAV files there, one folder per collection")});
  }
}

static HBITMAP LoadPicture(LPCWSTR soundsFolder, LPCWSTR folder, LPCWSTR pictureName) {
  WCHAR path[MAX_PATH];
  if (!BuildSoundPath(path, soundsFolder, folder, pictureName)) return nullptr;
  return SHLoadImageFile(path);
}

void SoundBank::ScanFolder(LPCWSTR soundsFolder, LPCWSTR folder) {
  // A picture name that does not fit matches no file name, so that picture stays none.
  WCHAR largeName[MAX_PATH];
  WCHAR smallName[MAX_PATH];
  JoinPath(largeName, folder, TEXT("B.png"));
  JoinPath(smallName, folder, TEXT("S.png"));

  HBITMAP largeIcon = nullptr;
  HBITMAP smallIcon = nullptr;
  WCHAR pattern[MAX_PATH];
  WIN32_FIND_DATAW found;
  // The wildcard ignores case; the picture names must match exactly.
  if (BuildSoundPath(pattern, soundsFolder, folder, TEXT("*.png"))) {
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (wcscmp(found.cFileName, largeName) == 0)
          largeIcon = LoadPicture(soundsFolder, folder, largeName);
        else if (wcscmp(found.cFileName, smallName) == 0)
          smallIcon = LoadPicture(soundsFolder, folder, smallName);
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
  }

  if (!BuildSoundPath(pattern, soundsFolder, folder, TEXT("*.wav"))) return;
  HANDLE search = FindFirstFileW(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // A file whose full path does not fit could not be played: it is not catalogued.
    WCHAR path[MAX_PATH];
    if (!BuildSoundPath(path, soundsFolder, folder, found.cFileName)) continue;
    // Only what can play is offered; the user hears why a file is missing from the list.
    WavCheck check = CheckWavFile(path);
    if (check == WAV_PLAYABLE) AddEntry(folder, found.cFileName, path, largeIcon, smallIcon);
    else TellUser({TEXT("sound "), path, TEXT(" is left out of the list: "), WavCheckReason(check)});
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

static void CopyText(WCHAR* field, LPCWSTR text) {
  field[0] = 0;
  if (text && text[0]) StringCchCopyW(field, MAX_PATH, text);
}

void SoundBank::AddEntry(LPCWSTR folder, LPCWSTR name, LPCWSTR path, HBITMAP largeIcon, HBITMAP smallIcon) {
  SoundEntry& entry = Entries.emplace_back();
  CopyText(entry.Folder, folder);
  CopyText(entry.Name, name);
  CopyText(entry.Path, path);
  entry.LargeIcon = largeIcon;
  entry.SmallIcon = smallIcon;
}

int SoundBank::Count() const { return int(Entries.size()); }

const SoundEntry* SoundBank::EntryAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &Entries[size_t(index)];
}

const SoundEntry* SoundBank::FindByName(LPCWSTR name) const {
  if (!name) return nullptr;
  for (const SoundEntry& entry : Entries)
    if (wcscmp(entry.Name, name) == 0) return &entry;
  return nullptr;
}

const SoundEntry* SoundBank::Find(LPCWSTR folder, LPCWSTR name) const {
  if (!name) return nullptr;
  if (folder && folder[0])
    for (const SoundEntry& entry : Entries)
      if (_wcsicmp(entry.Folder, folder) == 0 && wcscmp(entry.Name, name) == 0) return &entry;
  return FindByName(name);
}

void SoundBank::Clear() { Entries.clear(); }
