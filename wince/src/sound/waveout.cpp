// waveOutOpen: the format query, answered by what the player's decoder plays.
#include <mmsystem.h>

#include "sound/decode.h"

MMRESULT waveOutOpen(LPHWAVEOUT, UINT deviceId, LPCWAVEFORMATEX format, DWORD, DWORD, DWORD flags) {
  if (deviceId != WAVE_MAPPER && deviceId != 0) return MMSYSERR_BADDEVICEID;
  if (!format) return MMSYSERR_INVALPARAM;
  if (!(flags & WAVE_FORMAT_QUERY)) return MMSYSERR_NOTSUPPORTED;
  // The 18 bytes of the structure, then its extra bytes, as a file's format chunk holds them.
  const auto* bytes = reinterpret_cast<const uint8_t*>(format);
  uint32_t size = 18 + uint32_t(format->cbSize);
  return wince::sound::FormatSupported(bytes, size) ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
}
