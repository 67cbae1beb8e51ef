// Where mixed sound goes: the host's audio device through SDL, or a silent sink that
// consumes it at the output rate against GetTickCount. Either is open while sounds play
// and for a while after; the player closes it when it has been idle long enough.
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
  // Without the lock (a device takes its own to pause). True: the stream runs, opened
  // again if it was closed; false when no stream could be opened. False: the stream is
  // paused and stays open, ready for the next sound at once.
  virtual bool SetActive(bool active) = 0;
  // Without the lock: no stream runs any more (a paused device still writes silence to
  // the host and keeps its audio path awake) until SetActive(true).
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

// The SDL device when a device can be opened, WINCE_HEADLESS is not 1 and the clock is
// real; otherwise the sink.
std::unique_ptr<Output> OpenOutput(Mixer* mixer);

}  // namespace wince::sound
