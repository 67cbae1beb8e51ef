// Multimedia: PlaySound.
//
// Plays WAV files (PCM 8/16/24/32-bit, IEEE float, IMA and MS ADPCM; mono or stereo; any
// common rate) named by their device path, through the host's audio device; without one
// (or with WINCE_HEADLESS=1) the sound runs into a silent sink that tests can read
// (wince/soundsink.h). One sound plays at a time: a new request cuts off the one playing.
#pragma once
#include "ce/types.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010
#define SND_NOWAIT 0x00002000
#define SND_ALIAS 0x00010000
#define SND_FILENAME 0x00020000
#define SND_RESOURCE 0x00040004

// pszSound null: stops the sound that is playing, returns TRUE.
// SND_FILENAME | SND_ASYNC (SND_NODEFAULT and SND_NOWAIT accepted): queues the file and
// returns TRUE at once, as Windows does once an asynchronous request is queued; the file
// is read and decoded on the player's own thread, and a file that is missing or not a
// playable WAV plays nothing (there is no default sound to fall back on).
// Everything else (synchronous play, loops, SND_NOSTOP, memory images, aliases,
// resources) is not provided and returns FALSE without touching the current sound.
WINCEAPI BOOL PlaySoundW(LPCTSTR pszSound, HMODULE hmod, DWORD fdwSound);
#define PlaySound PlaySoundW
