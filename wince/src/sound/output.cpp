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

class SdlOutput : public Output {
 public:
  explicit SdlOutput(SDL_AudioDeviceID device) : device_(device) {}
  void Lock() override { SDL_LockAudioDevice(device_); }
  void Unlock() override { SDL_UnlockAudioDevice(device_); }
  void Started() override {}
  void CatchUp() override {}
  void SetActive(bool active) override { SDL_PauseAudioDevice(device_, active ? 0 : 1); }
  bool IsSilent() const override { return false; }

  static void Callback(void* mixer, Uint8* stream, int bytes) {
    static_cast<Mixer*>(mixer)->Fill(reinterpret_cast<int16_t*>(stream),
                                     size_t(bytes) / (sizeof(int16_t) * kOutputChannels));
  }

 private:
  SDL_AudioDeviceID device_;
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
  void SetActive(bool) override {}
  bool IsSilent() const override { return true; }

 private:
  Mixer* mixer_;
  std::mutex mutex_;
  DWORD startTick_ = 0;
  uint64_t consumed_ = 0;
};

// Under the test driver's virtual clock a device could not keep time with the program.
bool Headless() {
  const char* headless = std::getenv("WINCE_HEADLESS");
  return (headless && std::strcmp(headless, "1") == 0) || VirtualTimeActive();
}

// Told once per run, however often the device is tried.
void TellNoDevice() {
  static std::atomic<bool> told{false};
  if (told.exchange(true)) return;
  DebugLine(std::string("no audio device could be opened (") + SDL_GetError() +
            "): sounds are not heard; check the host's sound settings or SDL_AUDIODRIVER");
}

}  // namespace

std::unique_ptr<Output> OpenOutput(Mixer* mixer) {
  if (Headless()) return std::make_unique<SilentSink>(mixer);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    TellNoDevice();
    return std::make_unique<SilentSink>(mixer);
  }
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = kOutputChannels;
  want.samples = kBufferFrames;
  want.callback = SdlOutput::Callback;
  want.userdata = mixer;
  SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (device == 0) {
    TellNoDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return std::make_unique<SilentSink>(mixer);
  }
  return std::make_unique<SdlOutput>(device);
}

}  // namespace wince::sound
