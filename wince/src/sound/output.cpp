#include "sound/output.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "kernel/power.h"
#include "kernel/sched.h"
#include "sound/decode.h"

namespace wince::sound {

namespace {

// 11.6 ms: a new sound starts within one period of its request.
constexpr Uint16 kBufferFrames = 512;

// Told once per run, however often the device is tried.
void TellNoDevice() {
  static std::atomic<bool> told{false};
  if (told.exchange(true)) return;
  DebugLine(std::string("no audio device could be opened (") + SDL_GetError() +
            "): sounds are not heard; check the host's sound settings or SDL_AUDIODRIVER");
}

// The device lock is a mutex of our own, not SDL's: it must also guard the player's
// state while the device is closed.
class SdlOutput : public Output {
 public:
  explicit SdlOutput(Mixer* mixer) : mixer_(mixer) {}
  ~SdlOutput() override { Close(); }
  void Lock() override { mutex_.lock(); }
  void Unlock() override { mutex_.unlock(); }
  void Started() override {}
  void CatchUp() override {}
  bool SetActive(bool active) override {
    if (active && !device_ && !Open()) {
      TellNoDevice();
      return false;
    }
    if (device_) SDL_PauseAudioDevice(device_, active ? 0 : 1);
    return true;
  }
  // SDL waits for its callback to return, which may be waiting for the lock: never
  // called with it held.
  void Close() override {
    if (!device_) return;
    SDL_CloseAudioDevice(device_);
    device_.store(0);
  }
  bool IsOpen() const override { return device_ != 0; }

  // Opens the device paused; false when the host has none to give.
  bool Open() {
    SDL_AudioSpec want{};
    want.freq = kOutputRate;
    want.format = AUDIO_S16SYS;
    want.channels = kOutputChannels;
    want.samples = kBufferFrames;
    want.callback = Callback;
    want.userdata = this;
    device_.store(SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0));
    return device_ != 0;
  }

 private:
  static void Callback(void* self, Uint8* stream, int bytes) {
    auto* output = static_cast<SdlOutput*>(self);
    std::lock_guard<std::mutex> lock(output->mutex_);
    output->mixer_->Fill(reinterpret_cast<int16_t*>(stream), size_t(bytes) / (sizeof(int16_t) * kOutputChannels));
  }

  Mixer* mixer_;
  std::mutex mutex_;
  // Opened and closed by the player's thread; read by the test hook's thread too.
  std::atomic<SDL_AudioDeviceID> device_{0};
};

class SilentSink : public Output {
 public:
  explicit SilentSink(Mixer* mixer) : mixer_(mixer) {}
  void Lock() override { mutex_.lock(); }
  void Unlock() override { mutex_.unlock(); }
  void Started() override {
    startTick_ = GetTickCount();
    consumed_ = 0;
  }
  void CatchUp() override {
    uint64_t due = uint64_t(DWORD(GetTickCount() - startTick_)) * kOutputRate / 1000;
    while (consumed_ < due && !mixer_->Finished()) {
      size_t frames = size_t(std::min<uint64_t>(kBufferFrames, due - consumed_));
      mixer_->Consume(frames);
      consumed_ += frames;
    }
  }
  bool SetActive(bool active) override {
    if (active) open_ = true;
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }

 private:
  Mixer* mixer_;
  std::mutex mutex_;
  std::atomic<bool> open_{false};
  DWORD startTick_ = 0;
  uint64_t consumed_ = 0;
};

// Under the test driver's virtual clock a device could not keep time with the program.
bool Headless() {
  const char* headless = std::getenv("WINCE_HEADLESS");
  return (headless && std::strcmp(headless, "1") == 0) || VirtualTimeActive();
}

}  // namespace

std::unique_ptr<Output> OpenOutput(Mixer* mixer) {
  if (Headless()) return std::make_unique<SilentSink>(mixer);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    TellNoDevice();
    return std::make_unique<SilentSink>(mixer);
  }
  auto device = std::make_unique<SdlOutput>(mixer);
  if (!device->Open()) {
    TellNoDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return std::make_unique<SilentSink>(mixer);
  }
  return device;
}

}  // namespace wince::sound
