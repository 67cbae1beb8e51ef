// PlaySound and the silent sink's record for tests.
#include "sound/player.h"

#include <mmsystem.h>

namespace {

constexpr DWORD kRequired = SND_FILENAME | SND_ASYNC;
constexpr DWORD kAccepted = kRequired | SND_NODEFAULT | SND_NOWAIT;

}  // namespace

BOOL PlaySoundW(LPCTSTR pszSound, HMODULE hmod, DWORD fdwSound) {
  if (pszSound && ((fdwSound & kRequired) != kRequired || (fdwSound & ~kAccepted) != 0)) return FALSE;
  return wince::sound::Player::Instance().Request(pszSound) ? TRUE : FALSE;
}

namespace wince::test {

std::vector<SoundPlay> SoundPlays() { return sound::Player::Instance().Plays(); }
void ClearSoundPlays() { sound::Player::Instance().ClearPlays(); }
void WaitSoundIdle() { sound::Player::Instance().WaitIdle(); }
int SoundDeviceRate() { return sound::kOutputRate; }
bool SoundStreamOpen() { return sound::Player::Instance().StreamOpen(); }

}  // namespace wince::test
