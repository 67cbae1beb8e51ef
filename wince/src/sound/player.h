// The one sound player behind PlaySound: a worker thread that opens each request, decodes
// its first block at once and then keeps a short buffer ahead of the device, so the
// caller never waits for a file and a sound of any length costs little memory. A few
// seconds after the last sound it closes the audio stream; the next sound opens it again.
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
  bool StreamOpen() const;

  // Mixer, with the output locked.
  void Fill(int16_t* out, size_t frames) override;
  void Consume(size_t frames) override;
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
  // How long the worker may sleep: for ever once the stream is closed.
  DWORD WaitMs(bool quiet, DWORD quietSince) const;
  // Brings the sink up to date; false once the sound has ended or stopped.
  bool Playing();
  void Handle(const Pending& request);
  void Skip(const Pending& request);
  void Refill();
  // With the output locked: frames taken from the buffer, the number taken.
  size_t TakeLocked(int16_t* out, size_t frames);
  void EndedLocked();
  void SyncCurrentRecordLocked();
  uint64_t AddRecordLocked(const test::SoundPlay& play);

  // Requests, from any thread to the worker.
  std::mutex queueMutex_;
  std::condition_variable idle_;
  std::vector<Pending> queue_;
  bool busy_ = false;
  HANDLE wake_ = nullptr;

  // The sound being decoded; taken before the output's lock.
  std::mutex decodeMutex_;
  std::unique_ptr<WavStream> stream_;
  std::vector<int16_t> block_;

  // Published once by the worker; everything below is guarded by its lock.
  std::atomic<Output*> output_{nullptr};
  bool playing_ = false;
  bool ended_ = false;        // everything decoded is in the buffer or played
  bool refillAsked_ = false;  // the device woke the worker and it has not refilled yet
  std::vector<int16_t> ring_;
  size_t ringStart_ = 0, ringFrames_ = 0;
  uint64_t decoded_ = 0;   // frames of the sound decoded so far
  uint64_t position_ = 0;  // and played
  uint64_t currentRecord_ = 0;
  std::deque<test::SoundPlay> records_;
  uint64_t firstRecord_ = 0;
};

}  // namespace wince::sound
