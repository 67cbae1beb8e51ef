// One catalogued WAV file of the sound bank.
#pragma once

#include <windows.h>

struct SoundEntry {
  WCHAR Folder[MAX_PATH];  // name of the collection's sub-folder (a name, not a path)
  WCHAR Name[MAX_PATH];    // the WAV file's name with its extension
  WCHAR Path[MAX_PATH];    // sounds folder + Folder + "\" + Name: what is played
  HBITMAP LargeIcon;       // the folder's large picture, or none; owned by the bank
  HBITMAP SmallIcon;       // the folder's small picture, or none; owned by the bank
};
