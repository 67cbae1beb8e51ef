// Multimedia: PlaySound, and the wave output's format query.
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

typedef UINT MMRESULT;
#define MMSYSERR_NOERROR 0
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_NOTSUPPORTED 8
#define MMSYSERR_INVALPARAM 11
#define WAVERR_BADFORMAT 32

#define WAVE_MAPPER ((UINT)-1)
#define WAVE_FORMAT_QUERY 0x0001
#define WAVE_FORMAT_PCM 1

// Packed as the Windows headers pack it: 18 bytes.
#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;  // extra format bytes that follow the structure
} WAVEFORMATEX, *PWAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

DECLARE_HANDLE(HWAVEOUT);
typedef HWAVEOUT* LPHWAVEOUT;

// Only the query is provided: with WAVE_FORMAT_QUERY (and device WAVE_MAPPER or 0) the
// answer is MMSYSERR_NOERROR when PlaySound plays sounds of that format, otherwise
// WAVERR_BADFORMAT; the format is read with its cbSize extra bytes. Opening a device
// gives MMSYSERR_NOTSUPPORTED, another device MMSYSERR_BADDEVICEID, a null format
// MMSYSERR_INVALPARAM.
WINCEAPI MMRESULT waveOutOpen(LPHWAVEOUT waveOut, UINT deviceId, LPCWAVEFORMATEX format, DWORD callback,
                              DWORD instance, DWORD flags);
