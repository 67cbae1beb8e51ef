// The one sound player behind PlaySound: a worker thread that decodes each request and
// swaps the result in as the sound being played, so the caller never waits for a file.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <wince/soundsink.h>

#include "sound/decode.h"
#include "sound/output.h"

namespace wince::sound {

class Player : public Mixer {
 public:
  static Player& Instance();

  // A device path to play, or null to stop. False when the thread cannot be started.
  bool Request(const WCHAR* devicePath);

  std::vector<test::SoundPlay> Plays();
  void ClearPlays();
  void WaitIdle();

  // Mixer: the audio callback (or the sink) takes the next frames of the current sound.
  void Fill(int16_t* out, size_t frames) override;
  bool Finished() const override;

 private:
  struct Pending {
    bool stop = false;
    std::u16string path;
    DWORD tick = 0;
  };

  Player();
  static DWORD WINAPI ThreadMain(LPVOID self);
  void Run();
  DWORD WaitTimeout();
  void Handle(const Pending& request);
  void Skip(const Pending& request);
  // With the output locked: the sound that was playing is done or cut off.
  std::unique_ptr<DecodedSound> SwapLocked(std::unique_ptr<DecodedSound> next, uint64_t record);
  void SyncCurrentRecordLocked();
  uint64_t AddRecordLocked(const test::SoundPlay& play);

  // Requests, from any thread to the worker.
  std::mutex queueMutex_;
  std::condition_variable idle_;
  std::vector<Pending> queue_;
  bool busy_ = false;
  HANDLE wake_ = nullptr;

  // Published once by the worker; everything below is guarded by its lock.
  std::atomic<Output*> output_{nullptr};
  std::unique_ptr<DecodedSound> current_;
  uint64_t position_ = 0;
  uint64_t currentRecord_ = 0;
  std::deque<test::SoundPlay> records_;
  uint64_t firstRecord_ = 0;
};

}  // namespace wince::sound
