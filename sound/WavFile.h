// What a WAV file's header says about playing it, read before the file is offered or
// played, so the user hears of a sound that cannot play instead of hearing nothing.
#pragma once

#include <windows.h>

enum WavCheck {
  WAV_PLAYABLE,
  WAV_MISSING,      // no such file
  WAV_UNREADABLE,   // a folder, or a file that cannot be opened
  WAV_EMPTY,        // 0 bytes
  WAV_NOT_WAV,      // no RIFF/WAVE header with a format chunk before its data
  WAV_UNSUPPORTED,  // a coding the wave output does not play
  WAV_SILENT,       // an empty data chunk
};

// Reads the RIFF header and the chunk headers up to the data chunk (a few hundred bytes)
// and asks the wave output whether it plays the format.
WavCheck CheckWavFile(LPCWSTR path);

// The user's words for why a file cannot be played, for the end of a line.
LPCWSTR WavCheckReason(WavCheck check);

// Tells the user, once per file and reason, when a sound about to be played by a tap
// cannot play. The play request is made all the same: it also ends the sound playing.
void TellIfUnplayable(LPCWSTR path);
