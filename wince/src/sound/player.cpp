#include "sound/player.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "files/paths.h"

namespace wince::sound {

namespace {

constexpr size_t kMaxRecords = 4096;
// Slack past the end of a sound before the device is paused.
constexpr DWORD kPauseSlackMs = 100;

}  // namespace

Player& Player::Instance() {
  static Player* player = new Player;
  return *player;
}

Player::Player() {
  // A WAV file whose data is cut short is refused rather than played in part.
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
}

bool Player::Request(const WCHAR* devicePath) {
  Pending request;
  request.stop = devicePath == nullptr;
  if (devicePath) request.path = devicePath;
  request.tick = GetTickCount();
  {
    std::lock_guard<std::mutex> lock(queueMutex_);
    if (!wake_) {
      // The thread reads wake_ from its start on: set it before creating the thread.
      wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
      HANDLE thread = wake_ ? CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr) : nullptr;
      if (!thread) {
        if (wake_) CloseHandle(wake_);
        wake_ = nullptr;
        return false;
      }
      CloseHandle(thread);
    }
    queue_.push_back(std::move(request));
  }
  SetEvent(wake_);
  return true;
}

DWORD WINAPI Player::ThreadMain(LPVOID self) {
  static_cast<Player*>(self)->Run();
  return 0;
}

void Player::Run() {
  output_.store(OpenOutput(this).release(), std::memory_order_release);
  Output* output = output_.load(std::memory_order_relaxed);
  for (;;) {
    if (WaitForSingleObject(wake_, WaitTimeout()) == WAIT_TIMEOUT) {
      output->Lock();
      bool done = Finished();
      output->Unlock();
      if (done) output->SetActive(false);
    }
    for (;;) {
      std::vector<Pending> batch;
      {
        std::lock_guard<std::mutex> lock(queueMutex_);
        if (queue_.empty()) {
          busy_ = false;
          idle_.notify_all();
          break;
        }
        busy_ = true;
        batch.swap(queue_);
      }
      // Only the newest request can still be heard: the older ones are cut off before
      // they start, without reading their files.
      for (size_t i = 0; i + 1 < batch.size(); ++i) Skip(batch[i]);
      Handle(batch.back());
    }
  }
}

// A device is paused once the sound has ended; the sink needs no wake-up.
DWORD Player::WaitTimeout() {
  Output* output = output_.load(std::memory_order_relaxed);
  if (output->IsSilent()) return INFINITE;
  output->Lock();
  DWORD timeout = INFINITE;
  if (current_ && position_ < current_->frames) {
    timeout = DWORD((current_->frames - position_) * 1000 / kOutputRate) + kPauseSlackMs;
  }
  output->Unlock();
  return timeout;
}

void Player::Skip(const Pending& request) {
  if (request.stop) return;
  test::SoundPlay play;
  play.devicePath = request.path;
  play.tick = request.tick;
  play.cutOff = true;
  Output* output = output_.load(std::memory_order_relaxed);
  output->Lock();
  AddRecordLocked(play);
  output->Unlock();
}

void Player::Handle(const Pending& request) {
  auto sound = std::make_unique<DecodedSound>();
  test::SoundPlay play;
  if (!request.stop) {
    std::string hostPath;
    play.devicePath = request.path;
    play.tick = request.tick;
    play.playable = HostPathFromDevice(request.path.c_str(), &hostPath) && DecodeWav(hostPath, sound.get());
    if (play.playable) {
      play.sourceFrames = sound->sourceFrames;
      play.totalFrames = sound->frames;
    }
  }
  if (!play.playable) sound.reset();
  Output* output = output_.load(std::memory_order_relaxed);
  output->Lock();
  output->CatchUp();
  uint64_t record = request.stop ? 0 : AddRecordLocked(play);
  std::unique_ptr<DecodedSound> old = SwapLocked(std::move(sound), record);
  bool playing = current_ != nullptr;
  output->Unlock();
  output->SetActive(playing);
  // The old sound's memory is released here, never in the audio callback.
  old.reset();
}

std::unique_ptr<DecodedSound> Player::SwapLocked(std::unique_ptr<DecodedSound> next, uint64_t record) {
  SyncCurrentRecordLocked();
  if (current_ && currentRecord_ >= firstRecord_) {
    test::SoundPlay& play = records_[currentRecord_ - firstRecord_];
    play.cutOff = position_ < current_->frames;
  }
  std::unique_ptr<DecodedSound> old = std::move(current_);
  current_ = std::move(next);
  position_ = 0;
  currentRecord_ = record;
  if (current_) output_.load(std::memory_order_relaxed)->Started();
  return old;
}

void Player::SyncCurrentRecordLocked() {
  if (current_ && currentRecord_ >= firstRecord_) records_[currentRecord_ - firstRecord_].frames = position_;
}

uint64_t Player::AddRecordLocked(const test::SoundPlay& play) {
  records_.push_back(play);
  if (records_.size() > kMaxRecords) {
    records_.pop_front();
    ++firstRecord_;
  }
  return firstRecord_ + records_.size() - 1;
}

void Player::Fill(int16_t* out, size_t frames) {
  size_t playing = 0;
  if (current_ && position_ < current_->frames) {
    playing = size_t(std::min<uint64_t>(frames, current_->frames - position_));
    std::memcpy(out, current_->samples.data() + position_ * kOutputChannels,
                playing * kOutputChannels * sizeof(int16_t));
    position_ += playing;
  }
  std::memset(out + playing * kOutputChannels, 0, (frames - playing) * kOutputChannels * sizeof(int16_t));
}

bool Player::Finished() const { return !current_ || position_ >= current_->frames; }

std::vector<test::SoundPlay> Player::Plays() {
  Output* output = output_.load(std::memory_order_acquire);
  if (!output) return {};
  output->Lock();
  output->CatchUp();
  SyncCurrentRecordLocked();
  std::vector<test::SoundPlay> plays(records_.begin(), records_.end());
  output->Unlock();
  return plays;
}

void Player::ClearPlays() {
  Output* output = output_.load(std::memory_order_acquire);
  if (!output) return;
  output->Lock();
  firstRecord_ += records_.size();
  records_.clear();
  output->Unlock();
}

void Player::WaitIdle() {
  std::unique_lock<std::mutex> lock(queueMutex_);
  idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

}  // namespace wince::sound
