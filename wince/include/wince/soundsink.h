// What the silent sink played: the player's record for tests (not a Windows API).
//
// Without an audio device (or with WINCE_HEADLESS=1, or under the test driver's virtual
// clock) sounds are decoded and mixed as usual and the output is dropped; the sink consumes it at the sound's rate against GetTickCount,
// so under the test driver's virtual clock a sound plays for exactly its duration.
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

namespace wince::test {

struct SoundPlay {
  std::u16string devicePath;   // the name given to PlaySound
  DWORD tick = 0;              // GetTickCount when PlaySound was called
  // The file decoded to a sound; false for a missing file or one that is not a playable
  // WAV, and for a request that a newer one replaced before the player opened its file
  // (recorded as cut off).
  bool playable = false;
  uint64_t sourceFrames = 0;   // frames in the file, at the file's own rate
  uint64_t totalFrames = 0;    // the sound's length at the device rate
  uint64_t frames = 0;         // frames of it played so far, at the device rate
  bool cutOff = false;         // stopped before its end by a later sound or PlaySound(NULL)
};

// Every play since the last clear, oldest first (at most the last 4096). Brings the sink
// up to the current tick first.
WINCEAPI std::vector<SoundPlay> SoundPlays();
WINCEAPI void ClearSoundPlays();
// Blocks until the player's thread has handled every request made so far.
WINCEAPI void WaitSoundIdle();
// The device's output rate (frames per second), which SoundPlay::frames counts.
WINCEAPI int SoundDeviceRate();

// The audio stream (the device, or the sink standing in for it) is closed once nothing
// has played for this long, noticed within a quarter of a second of a sound's end; the
// next sound opens it again.
constexpr DWORD kSoundIdleCloseMs = 3000;
// Whether an audio stream is open (running or paused) rather than closed.
WINCEAPI bool SoundStreamOpen();

}  // namespace wince::test
