#include "user/remote.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "backend/backend.h"
#include "user/state.h"

namespace wince {
namespace {

constexpr char kRaiseRequest = 'R';

// FNV-1a over the scope, the display and the case-folded class and title keeps the name
// short and free of characters that would need escaping. A copy on another display (or a
// headless one) is another copy: it neither takes nor raises a start on this one.
std::string SocketName(const std::u16string& className, const std::u16string& title) {
  uint64_t hash = 0xcbf29ce484222325ull;
  auto mix = [&](uint32_t value) {
    hash ^= value;
    hash *= 0x100000001b3ull;
  };
  const char* scope = std::getenv("WINCE_INSTANCE_SCOPE");
  for (const char* c = scope ? scope : ""; *c; ++c) mix(static_cast<unsigned char>(*c));
  mix(0x10000);
  for (char c : TheBackend().DisplayName()) mix(static_cast<unsigned char>(c));
  mix(0x10000);
  for (WCHAR c : LowerCase(className)) mix(c);
  mix(0x10000);
  for (WCHAR c : LowerCase(title)) mix(c);
  char name[64];
  std::snprintf(name, sizeof name, "wince-window/%u/%016llx", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(hash));
  return name;
}

socklen_t Address(const std::string& name, sockaddr_un* address) {
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path + 1, name.data(), name.size());  // abstract: leading NUL
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

int Connect(const std::string& name) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un address;
  socklen_t length = Address(name, &address);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool FromSameUser(int client) {
  ucred peer;
  socklen_t length = sizeof peer;
  return getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == getuid();
}

class Listener {
 public:
  Listener(HWND window, int fd) : window_(window), fd_(fd), thread_([this] { Run(); }) {}
  ~Listener() {
    shutdown(fd_, SHUT_RDWR);  // wakes accept()
    thread_.join();
    close(fd_);
  }

 private:
  void Run() {
    for (;;) {
      int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) {
        if (errno == EINTR || errno == ECONNABORTED) continue;
        return;
      }
      timeval timeout{1, 0};  // a silent client cannot hold the listener
      setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
      char request = 0;
      if (FromSameUser(client) && recv(client, &request, 1, 0) == 1 && request == kRaiseRequest) {
        // The reply goes out before the raise is queued: once the window's thread sees the
        // raise, its process may end at any moment, and the caller must still learn that
        // the request was accepted.
        send(client, &kRaiseRequest, 1, MSG_NOSIGNAL);
        PostHostEvent(HostEvent{HostEvent::kRaise, window_});
      }
      close(client);
    }
  }

  HWND window_;
  int fd_;
  std::thread thread_;
};

struct Registry {
  std::mutex lock;
  std::map<HWND, std::unique_ptr<Listener>> listeners;
  std::map<HWND, std::string> proxies;
  uintptr_t nextProxy = 0x7F000000;
};

Registry& Remote() {
  static Registry* registry = new Registry;
  return *registry;
}

bool ProxyName(HWND proxy, std::string* name) {
  Registry& registry = Remote();
  std::lock_guard<std::mutex> guard(registry.lock);
  auto found = registry.proxies.find(proxy);
  if (found == registry.proxies.end()) return false;
  *name = found->second;
  return true;
}

}  // namespace

void StartListener(HWND window, const std::u16string& className, const std::u16string& title) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  sockaddr_un address;
  socklen_t length = Address(SocketName(className, title), &address);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 4) != 0) {
    close(fd);
    return;
  }
  Registry& registry = Remote();
  std::lock_guard<std::mutex> guard(registry.lock);
  registry.listeners[window] = std::make_unique<Listener>(window, fd);
}

void StopListener(HWND window) {
  std::unique_ptr<Listener> listener;
  {
    Registry& registry = Remote();
    std::lock_guard<std::mutex> guard(registry.lock);
    auto found = registry.listeners.find(window);
    if (found == registry.listeners.end()) return;
    listener = std::move(found->second);
    registry.listeners.erase(found);
  }
}

HWND FindRemoteWindow(LPCWSTR className, LPCWSTR title) {
  std::string name = SocketName(className, title);
  int fd = Connect(name);
  if (fd < 0) return nullptr;
  close(fd);
  Registry& registry = Remote();
  std::lock_guard<std::mutex> guard(registry.lock);
  for (auto& [proxy, proxyName] : registry.proxies)
    if (proxyName == name) return proxy;
  HWND proxy = reinterpret_cast<HWND>(registry.nextProxy);
  registry.nextProxy += 0x10;
  registry.proxies[proxy] = name;
  return proxy;
}

BOOL RaiseRemoteWindow(HWND proxy) {
  std::string name;
  int fd = ProxyName(proxy, &name) ? Connect(name) : -1;
  bool sent = false;
  if (fd >= 0) {
    timeval timeout{1, 0};  // a hung owner cannot hold the caller
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    char reply = 0;
    sent = send(fd, &kRaiseRequest, 1, MSG_NOSIGNAL) == 1 && recv(fd, &reply, 1, 0) == 1;
    close(fd);
  }
  if (!sent) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return sent;
}

BOOL RemoteWindowExists(HWND proxy) {
  std::string name;
  int fd = ProxyName(proxy, &name) ? Connect(name) : -1;
  if (fd < 0) return FALSE;
  close(fd);
  return TRUE;
}

}  // namespace wince
