// The registry's file: loaded once on first use, rewritten atomically on every change.
#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "registry/hive.h"

namespace wince::registry {

class Store {
 public:
  static Store& Instance();

  // Runs read on the hive under the store's lock.
  HRESULT Read(const std::function<HRESULT(const Hive&)>& read);
  // Applies change to a copy of the hive and writes that copy to disk; the hive in memory
  // changes only when the file has been replaced.
  HRESULT Change(const std::function<void(Hive*)>& change);

 private:
  void LoadLocked();
  // Before the registry has a file of its own, the program starts from the .reg file
  // beside its executable, named after it (X.reg beside X), as a device's installer
  // writes its registry section; so does a file of which nothing can be read. It is read
  // into memory only; the first change writes the file, which from then on is the one
  // that counts.
  void ImportInitialLocked();

  std::mutex mutex_;
  bool loaded_ = false;
  // An error that forbids writing: the file exists but could not be read, or a garbled
  // file could not be moved aside. Writing would destroy what it holds.
  HRESULT writeBlocked_ = S_OK;
  // A failed write is told to the user once per run.
  bool writeFailureTold_ = false;
  std::string path_;
  Hive hive_;
};

// $WINCE_REGISTRY, else $XDG_CONFIG_HOME/tiltchime/registry.reg, else
// ~/.config/tiltchime/registry.reg.
std::string DefaultRegistryPath();

}  // namespace wince::registry
