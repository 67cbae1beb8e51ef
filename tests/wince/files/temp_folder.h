// A temporary host folder for a test, removed with everything in it afterwards.
#pragma once

#include <string>

#include <windows.h>

class TempFolder {
 public:
  // A new folder inside parent.
  explicit TempFolder(const std::string& parent = "/tmp");
  ~TempFolder();
  // The host path of the folder, without a trailing slash.
  const std::string& Host() const { return host_; }
  // The device path of a name inside the folder ("" for the folder itself); the name
  // may use either separator.
  std::u16string Device(const std::string& relative = "") const;
  // Creates a file (with size bytes) or a folder (name ending in '/') inside.
  void Make(const std::string& relative, size_t size = 0) const;

 private:
  std::string host_;
};
