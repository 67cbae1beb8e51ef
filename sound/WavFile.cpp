#include "sound/WavFile.h"

#include <mmsystem.h>

#include <cstring>

#include "report/TellUser.h"

namespace {

// A format chunk is never longer (MS ADPCM with 256 coefficient pairs fits); the chunks
// before the data are few, so a file that seems to hold many is not a WAV file.
const DWORD kMaxFormatBytes = 1100;
const int kMaxChunks = 64;

DWORD Get32(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }

bool ReadExactly(HANDLE file, void* buffer, DWORD bytes, DWORD* got) {
  return ReadFile(file, buffer, bytes, got, nullptr) && *got == bytes;
}

// The format chunk as the wave output takes it: a WAVEFORMATEX and its extra bytes.
struct FormatChunk {
  union {
    WAVEFORMATEX format;
    BYTE bytes[kMaxFormatBytes];
  };
  DWORD size;
};

// Walks the chunks after the RIFF header to the data chunk, keeping the format chunk.
WavCheck ReadChunks(HANDLE file, FormatChunk* chunk) {
  bool haveFormat = false;
  for (int i = 0; i < kMaxChunks; ++i) {
    BYTE header[8];
    DWORD got = 0;
    if (!ReadExactly(file, header, sizeof header, &got)) return WAV_NOT_WAV;
    DWORD size = Get32(header + 4);
    if (std::memcmp(header, "data", 4) == 0) {
      if (!haveFormat) return WAV_NOT_WAV;
      return size == 0 ? WAV_SILENT : WAV_PLAYABLE;
    }
    if (size > 0x7FFFFFFE) return WAV_NOT_WAV;
    // Chunks are padded to an even length; the format chunk's own bytes are read.
    DWORD skip = size + (size & 1);
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (size < 16 || size > kMaxFormatBytes || !ReadExactly(file, chunk->bytes, size, &got)) return WAV_NOT_WAV;
      chunk->size = size;
      haveFormat = true;
      skip = size & 1;
    }
    if (skip && SetFilePointer(file, LONG(skip), nullptr, FILE_CURRENT) == INVALID_SET_FILE_POINTER)
      return WAV_NOT_WAV;
  }
  return WAV_NOT_WAV;
}

WavCheck CheckOpenFile(HANDLE file) {
  BYTE riff[12];
  DWORD got = 0;
  if (!ReadFile(file, riff, sizeof riff, &got, nullptr)) return WAV_UNREADABLE;
  if (got == 0) return WAV_EMPTY;
  if (got < sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
    return WAV_NOT_WAV;
  FormatChunk chunk{};
  WavCheck check = ReadChunks(file, &chunk);
  if (check != WAV_PLAYABLE) return check;
  // A 16-byte chunk is the older format record without cbSize: no extra bytes.
  if (chunk.size < 18) chunk.format.cbSize = 0;
  else if (chunk.format.cbSize > chunk.size - 18) return WAV_NOT_WAV;
  // Only a coding that the system says it cannot play is left out. Without a sound
  // device (a desktop with none, or one that is busy) the query fails for every file,
  // which may still play once the device is back.
  MMRESULT query = waveOutOpen(nullptr, WAVE_MAPPER, &chunk.format, 0, 0, WAVE_FORMAT_QUERY);
  return query == WAVERR_BADFORMAT ? WAV_UNSUPPORTED : WAV_PLAYABLE;
}

}  // namespace

WavCheck CheckWavFile(LPCWSTR path) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? WAV_MISSING : WAV_UNREADABLE;
  }
  WavCheck check = CheckOpenFile(file);
  CloseHandle(file);
  return check;
}

LPCWSTR WavCheckReason(WavCheck check) {
  switch (check) {
    case WAV_PLAYABLE: return TEXT("it plays");
    case WAV_MISSING: return TEXT("the file is not there any more");
    case WAV_UNREADABLE: return TEXT("it cannot be opened for reading");
    case WAV_EMPTY: return TEXT("the file is empty");
    case WAV_NOT_WAV: return TEXT("it is not a WAV file");
    case WAV_UNSUPPORTED: return TEXT("its coding is not supported; save it as 16-bit PCM WAV");
    case WAV_SILENT: return TEXT("it holds no sound");
  }
  return TEXT("");
}

void TellIfUnplayable(LPCWSTR path) {
  WavCheck check = CheckWavFile(path);
  if (check != WAV_PLAYABLE) TellUser({TEXT("sound "), path, TEXT(" cannot be played: "), WavCheckReason(check)});
}
