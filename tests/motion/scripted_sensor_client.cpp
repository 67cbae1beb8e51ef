#include <gtest/gtest.h>

#include "scripted_sensor.h"

namespace {

// The library the driver loaded: LoadLibraryW hands out the same module again.
HMODULE Library() {
  static HMODULE library = LoadLibraryW(TEXT("HTCSensorSDK.dll"));
  return library;
}

template <typename Proc>
Proc Entry(const char* name) {
  Proc proc = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddressA(Library(), name)));
  EXPECT_NE(nullptr, proc) << name;
  return proc;
}

}  // namespace

void SetReading(SHORT x, SHORT y, SHORT z) {
  Entry<void (*)(SHORT, SHORT, SHORT)>("ScriptedSensorSet")(x, y, z);
}

SensorCalls Calls() {
  SensorCalls calls;
  Entry<void (*)(int*, int*, int*)>("ScriptedSensorCalls")(&calls.opens, &calls.reads, &calls.closes);
  return calls;
}
