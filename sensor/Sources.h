// The sources of readings behind the sensor library stand-in. A reading is X, Y, Z in
// milli-g (1000 = 1 g): the acceleration the phone feels, gravity's included, along the
// screen's axes (X to the right, Y down the screen, Z into it). A phone lying face up at
// rest reads about 0, 0, -1000, one held upright 0, -1000, 0; a shake towards a side of
// the screen first reads that side's sign, so it plays the slot on that side of the Home
// page's cross (right +X, top -Y).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace sensor {

struct Reading {
  int16_t x = 0;
  int16_t y = 0;
  int16_t z = 0;
  bool operator==(const Reading&) const = default;
};

// A phone lying face up, still.
constexpr Reading kAtRest{0, 0, -1000};

class Source {
 public:
  virtual ~Source() = default;
  // The reading at tick (GetTickCount of the caller).
  virtual Reading Read(DWORD tick) = 0;
};

// Clamps a value to the 16 bits of a reading.
int16_t ClampReading(double milliG);

// A recorded trace: CSV lines "milliseconds,x,y,z" (blank lines, lines starting with '#'
// and lines that do not parse, such as a header, are skipped), replayed from openTick:
// the reading at a time is the last row at or before it; before the first row the first
// row holds, after the last row the last one.
class TraceSource : public Source {
 public:
  // A row is a few dozen bytes; longer lines are skipped. Files beyond kMaxTraceBytes
  // (hours of readings) are refused unread, so a trace never costs more than that.
  static constexpr size_t kMaxTraceLine = 256;
  static constexpr long long kMaxTraceBytes = 16 << 20;
  // Null when the file cannot be read, is too large or holds no row; *problem, when
  // given, then says which in a few words ("not found", "holds no rows of ms,x,y,z").
  static std::unique_ptr<TraceSource> Load(const std::string& path, DWORD openTick,
                                           std::string* problem = nullptr);
  Reading Read(DWORD tick) override;

  struct Row {
    DWORD ms;
    Reading reading;
  };
  // The rows in time order, for tools that show a trace.
  const std::vector<Row>& Rows() const { return rows_; }

 private:
  std::vector<Row> rows_;
  DWORD openTick_ = 0;
};

// A Linux IIO accelerometer under root (normally /sys/bus/iio/devices): an iio:deviceN
// with in_accel_{x,y,z}_raw and a scale (m/s^2 per unit), optional offsets and a mount
// matrix (rows "a, b, c; d, e, f; g, h, i", device = matrix x sensor), each under any of
// the names IIO gives to what is shared: in_accel_x_scale, in_accel_scale, in_scale, scale
// (offsets likewise); in_accel_mount_matrix, in_mount_matrix, mount_matrix. Of several, the one in the display (label "accel-display",
// location "lid" or "display"), else the first in number order whose place is not known;
// one in the base (label "accel-base", location "base") never. IIO's device frame has Y up
// the screen and Z out of it (+1 g on Z face up), so Y and Z are negated to give the
// screen's axes; X is kept.
class IioSource : public Source {
 public:
  // Reads closer together than this are one tick's and share the device's reading: the
  // three detectors read within a millisecond of each other, a slow or loaded machine
  // may take a few, and ticks are 50 ms apart (the chips' own sampling period is 10 to
  // 20 ms, so a reading is never older than what the device itself would report).
  static constexpr DWORD kSameTickMs = 20;

  // Null when no usable accelerometer is there.
  static std::unique_ptr<IioSource> Find(const std::string& root);
  // At rest when an attribute can no longer be read.
  Reading Read(DWORD tick) override;

 private:
  static std::unique_ptr<IioSource> Open(const std::string& folder);

  std::string axisRaw_[3];
  double scale_[3] = {1, 1, 1};
  double offset_[3] = {0, 0, 0};
  double matrix_[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Reading last_ = kAtRest;
  bool haveLast_ = false;
  DWORD lastTick_ = 0;
};

// Shakes made with the keyboard of the program's window: each arrow key shakes towards
// the slot that sits in that direction on the Home page's cross (up: -Y, down: +Y,
// left: -X, right: +X), the space bar along Z (towards -Z, the phone lifted sharply). A shake
// is one half sine of kShakePeak milli-g over kShakeMs; at rest the phone lies face up.
class KeyboardSource : public Source {
 public:
  static constexpr int kShakePeak = 1500;
  static constexpr DWORD kShakeMs = 300;

  // Installs the key hook while at least one keyboard source exists.
  KeyboardSource();
  ~KeyboardSource() override;
  Reading Read(DWORD tick) override;
  // The reading at tick of the shake that a press of vk at pressTick starts (at rest
  // before and after it, and for other keys).
  static Reading Profile(UINT vk, DWORD pressTick, DWORD tick);
};

// Always at rest: the choice "none".
class RestSource : public Source {
 public:
  Reading Read(DWORD) override { return kAtRest; }
};

// The source that WINCE_SENSOR picks (trace, iio, keyboard, none), or else the first
// available of a trace named by WINCE_SENSOR_TRACE, an IIO accelerometer (root from
// WINCE_IIO_ROOT), the keyboard. A picked source that is not available is at rest.
std::unique_ptr<Source> ChooseSource(DWORD openTick);

}  // namespace sensor
