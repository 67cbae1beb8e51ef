#include "sound/player.h"

#include <algorithm>
#include <cstring>

#include "files/paths.h"

namespace wince::sound {

namespace {

constexpr size_t kMaxRecords = 4096;
// Decoded frames kept ahead of the device (186 ms), decoded a block at a time; the device
// asks for more when less than half is left.
constexpr size_t kRingFrames = 8192;
constexpr size_t kBlockFrames = 1024;
// While a sound plays the worker looks this often whether it has ended (the sink has no
// callback to say so), so the idle time is counted from the end.
constexpr DWORD kWatchMs = 250;

}  // namespace

Player& Player::Instance() {
  static Player* player = new Player;
  return *player;
}

Player::Player() : block_(kBlockFrames * kOutputChannels), ring_(kRingFrames * kOutputChannels) {}

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

// Woken by requests, by the device when its buffer runs low or the sound has ended, and
// while the stream is open and quiet, to close it once nothing has played for
// test::kSoundIdleCloseMs: a paused stream still feeds the host silence.
void Player::Run() {
  output_.store(OpenOutput(this).release(), std::memory_order_release);
  Output* output = output_.load(std::memory_order_relaxed);
  bool quiet = true;
  DWORD quietSince = GetTickCount();
  for (;;) {
    WaitForSingleObject(wake_, WaitMs(quiet, quietSince));
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
    Refill();
    if (Playing()) {
      quiet = false;
      continue;
    }
    if (!quiet) {
      quiet = true;
      quietSince = GetTickCount();
      output->SetActive(false);
    }
    if (DWORD(GetTickCount() - quietSince) >= test::kSoundIdleCloseMs) output->Close();
  }
}

DWORD Player::WaitMs(bool quiet, DWORD quietSince) const {
  if (!output_.load(std::memory_order_relaxed)->IsOpen()) return INFINITE;
  if (!quiet) return kWatchMs;
  DWORD idle = GetTickCount() - quietSince;
  return idle >= test::kSoundIdleCloseMs ? 0 : test::kSoundIdleCloseMs - idle;
}

bool Player::Playing() {
  std::lock_guard<std::mutex> decode(decodeMutex_);
  Output* output = output_.load(std::memory_order_relaxed);
  output->Lock();
  output->CatchUp();
  bool playing = !Finished();
  output->Unlock();
  return playing;
}

bool Player::StreamOpen() const {
  Output* output = output_.load(std::memory_order_acquire);
  return output && output->IsOpen();
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
  std::unique_lock<std::mutex> decode(decodeMutex_);
  std::unique_ptr<WavStream> next;
  size_t first = 0;
  test::SoundPlay play;
  if (!request.stop) {
    play.devicePath = request.path;
    play.tick = request.tick;
    std::string hostPath;
    if (HostPathFromDevice(request.path.c_str(), &hostPath)) next = OpenWav(FileSource(hostPath));
    // The first block is ready before the sound is handed to the device.
    if (next) first = next->Read(block_.data(), kBlockFrames);
    play.playable = first > 0;
    if (play.playable) {
      play.sourceFrames = next->SourceFrames();
      play.totalFrames = next->Frames();
    } else {
      next.reset();
    }
  }
  Output* output = output_.load(std::memory_order_relaxed);
  output->Lock();
  output->CatchUp();
  uint64_t record = request.stop ? 0 : AddRecordLocked(play);
  SyncCurrentRecordLocked();
  if (playing_ && currentRecord_ >= firstRecord_) records_[currentRecord_ - firstRecord_].cutOff = !Finished();
  stream_.swap(next);
  playing_ = stream_ != nullptr;
  ended_ = refillAsked_ = false;
  ringStart_ = 0;
  ringFrames_ = decoded_ = first;
  position_ = 0;
  currentRecord_ = record;
  if (playing_) {
    std::memcpy(ring_.data(), block_.data(), first * kOutputChannels * sizeof(int16_t));
    if (first < kBlockFrames) EndedLocked();
    output->Started();
  }
  bool playing = playing_;
  output->Unlock();
  decode.unlock();
  if (!output->SetActive(playing)) {
    // The host took its audio device away while idle: this sound cannot be heard.
    output->Lock();
    playing_ = false;
    output->Unlock();
  }
  // The old sound's memory is released here, never in the audio callback.
  next.reset();
}

// Decodes blocks until the buffer is full or the sound has been decoded to its end.
void Player::Refill() {
  std::lock_guard<std::mutex> decode(decodeMutex_);
  Output* output = output_.load(std::memory_order_relaxed);
  for (;;) {
    output->Lock();
    refillAsked_ = false;
    bool room = playing_ && !ended_ && kRingFrames - ringFrames_ >= kBlockFrames;
    output->Unlock();
    if (!room) return;
    size_t frames = stream_->Read(block_.data(), kBlockFrames);
    output->Lock();
    size_t end = (ringStart_ + ringFrames_) % kRingFrames;
    size_t before = std::min(frames, kRingFrames - end);
    std::memcpy(&ring_[end * kOutputChannels], block_.data(), before * kOutputChannels * sizeof(int16_t));
    std::memcpy(ring_.data(), &block_[before * kOutputChannels], (frames - before) * kOutputChannels * sizeof(int16_t));
    ringFrames_ += frames;
    decoded_ += frames;
    if (frames < kBlockFrames) EndedLocked();
    output->Unlock();
  }
}

size_t Player::TakeLocked(int16_t* out, size_t frames) {
  size_t taken = std::min(frames, ringFrames_);
  size_t before = std::min(taken, kRingFrames - ringStart_);
  if (out) {
    std::memcpy(out, &ring_[ringStart_ * kOutputChannels], before * kOutputChannels * sizeof(int16_t));
    std::memcpy(out + before * kOutputChannels, ring_.data(), (taken - before) * kOutputChannels * sizeof(int16_t));
  }
  ringStart_ = (ringStart_ + taken) % kRingFrames;
  ringFrames_ -= taken;
  position_ += taken;
  return taken;
}

// The stream has given its last frame: the sound's length is now known exactly.
void Player::EndedLocked() {
  ended_ = true;
  if (currentRecord_ >= firstRecord_ && currentRecord_ - firstRecord_ < records_.size()) {
    records_[currentRecord_ - firstRecord_].totalFrames = decoded_;
  }
}

void Player::Fill(int16_t* out, size_t frames) {
  size_t playing = TakeLocked(out, frames);
  std::memset(out + playing * kOutputChannels, 0, (frames - playing) * kOutputChannels * sizeof(int16_t));
  if (playing_ && !refillAsked_ && (ended_ ? ringFrames_ == 0 : ringFrames_ < kRingFrames / 2)) {
    refillAsked_ = true;
    SetEvent(wake_);
  }
}

// The sink never falls behind: what the buffer lacks is decoded here (the decoding lock
// is held by whoever brings the sink up to date).
void Player::Consume(size_t frames) {
  frames -= TakeLocked(nullptr, frames);
  while (frames > 0 && playing_ && !ended_) {
    size_t wanted = std::min(frames, kBlockFrames);
    size_t got = stream_->Read(block_.data(), wanted);
    decoded_ += got;
    position_ += got;
    frames -= got;
    if (got < wanted) EndedLocked();
  }
}

bool Player::Finished() const { return !playing_ || (ended_ && ringFrames_ == 0); }

void Player::SyncCurrentRecordLocked() {
  if (playing_ && currentRecord_ >= firstRecord_) records_[currentRecord_ - firstRecord_].frames = position_;
}

uint64_t Player::AddRecordLocked(const test::SoundPlay& play) {
  records_.push_back(play);
  if (records_.size() > kMaxRecords) {
    records_.pop_front();
    ++firstRecord_;
  }
  return firstRecord_ + records_.size() - 1;
}

std::vector<test::SoundPlay> Player::Plays() {
  Output* output = output_.load(std::memory_order_acquire);
  if (!output) return {};
  std::lock_guard<std::mutex> decode(decodeMutex_);
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
