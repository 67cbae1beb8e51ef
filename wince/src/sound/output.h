// Where mixed sound goes: the host's audio device through SDL, or a silent sink that
// consumes it at the output rate against GetTickCount.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <windows.h>

namespace wince::sound {

// Called with the output locked.
class Mixer {
 public:
  virtual ~Mixer() = default;
  // The device: writes the next decoded frames of the current sound, silence after its
  // end (or where decoding fell behind).
  virtual void Fill(int16_t* out, size_t frames) = 0;
  // The sink: the next frames of the current sound are used up, decoded where needed.
  virtual void Consume(size_t frames) = 0;
  virtual bool Finished() const = 0;
};

class Output {
 public:
  virtual ~Output() = default;
  // The lock under which the mixer's sound is read and swapped (the device lock).
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // With the lock held: a new sound starts now.
  virtual void Started() = 0;
  // With the lock held (and the player's decoding lock before it): consumes what is due
  // by now (the sink; a device pulls by itself).
  virtual void CatchUp() = 0;
  // Keeps a device running only while something plays, so an idle program costs nothing.
  virtual void SetActive(bool active) = 0;
  virtual bool IsSilent() const = 0;
};

// The SDL device when a device can be opened, WINCE_HEADLESS is not 1 and the clock is
// real; otherwise the sink.
std::unique_ptr<Output> OpenOutput(Mixer* mixer);

}  // namespace wince::sound
