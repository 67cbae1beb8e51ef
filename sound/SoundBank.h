// The catalogue of every sound the user can choose from: the WAV files in the
// sub-folders (collections) of the sounds folder, each collection with an optional
// large and small picture (<Folder>B.png, <Folder>S.png).
#pragma once

#include <vector>
#include <windows.h>

#include "sound/SoundEntry.h"

class SoundBank {
 public:
  SoundBank() = default;
  SoundBank(const SoundBank&) = delete;
  SoundBank& operator=(const SoundBank&) = delete;

  // Rebuilds the bank from the sub-folders of soundsFolder (a path ending in a
  // backslash), one level deep, in enumeration order. A missing or empty folder gives
  // an empty bank.
  void Scan(LPCWSTR soundsFolder);
  // Loads folder's pictures (once; the bank never releases them) and appends one entry
  // per "*.wav" name inside it.
  void ScanFolder(LPCWSTR soundsFolder, LPCWSTR folder);
  // Appends one entry; each text is copied up to MAX_PATH - 1 characters, a missing
  // text becomes the empty text. The handles are copied as they come.
  void AddEntry(LPCWSTR folder, LPCWSTR name, LPCWSTR path, HBITMAP largeIcon, HBITMAP smallIcon);

  int Count() const;
  // The entry at index, or none outside 0..Count()-1. Stays valid until Scan or Clear.
  const SoundEntry* EntryAt(int index) const;
  // The first entry, in bank order, whose name equals name exactly (case counts).
  const SoundEntry* FindByName(LPCWSTR name) const;
  // The entry of that collection (its folder name, case ignored as by the file system)
  // with that name; when the collection no longer holds it, FindByName (name).
  const SoundEntry* Find(LPCWSTR folder, LPCWSTR name) const;
  // Removes every entry. The folder pictures stay loaded until the process ends:
  // widgets that show them keep copies of their handles.
  void Clear();

 private:
  std::vector<SoundEntry> Entries;
};
