// FindWindowW and SetForegroundWindow across two real processes.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <windows.h>

extern char** environ;

namespace {

// The owner process with its standard output readable through a pipe.
class Owner {
 public:
  Owner() {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    char* argv[] = {const_cast<char*>(WINDOW_OWNER_PATH), nullptr};
    if (posix_spawn(&pid_, WINDOW_OWNER_PATH, &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    output_ = fdopen(fds[0], "r");
  }
  ~Owner() {
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (output_) fclose(output_);
  }
  // The next line the owner prints (blocks until it does or ends).
  std::string Line() {
    char buffer[64];
    if (!output_ || !fgets(buffer, sizeof buffer, output_)) return "";
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
  }
  int ExitCode() {
    int status = 0;
    waitpid(pid_, &status, 0);
    reaped_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  bool Started() const { return pid_ > 0 && output_; }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
  bool reaped_ = false;
};

class UserRemoteWindow : public testing::Test {
 protected:
  void SetUp() override {
    // Tests running in parallel must not see each other's windows.
    std::string scope = "remote-test-" + std::to_string(getpid());
    setenv("WINCE_INSTANCE_SCOPE", scope.c_str(), 1);
  }
};

TEST_F(UserRemoteWindow, AnotherProcessesWindowIsFoundAndRaised) {
  EXPECT_EQ(FindWindowW(TEXT("OwnerClass"), TEXT("Owner")), nullptr);
  Owner owner;
  ASSERT_TRUE(owner.Started());
  ASSERT_EQ(owner.Line(), "ready");

  HWND found = FindWindowW(TEXT("ownerclass"), TEXT("Owner"));  // class names ignore case
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(IsWindow(found));
  EXPECT_EQ(FindWindowW(TEXT("OwnerClass"), TEXT("Someone else")), nullptr);
  EXPECT_EQ(FindWindowW(TEXT("OwnerClass"), TEXT("Owner")), found);  // one proxy per window

  // With the lowest bit set, as the device's "bring owned windows too" request.
  HWND withOwned = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(found) | 1);
  EXPECT_TRUE(SetForegroundWindow(withOwned));
  EXPECT_EQ(owner.Line(), "activated");
  EXPECT_EQ(owner.ExitCode(), 7);

  EXPECT_FALSE(IsWindow(found));
  EXPECT_FALSE(SetForegroundWindow(found));
  EXPECT_EQ(FindWindowW(TEXT("OwnerClass"), TEXT("Owner")), nullptr);
}

TEST_F(UserRemoteWindow, ADifferentScopeDoesNotSeeTheWindow) {
  Owner owner;
  ASSERT_TRUE(owner.Started());
  ASSERT_EQ(owner.Line(), "ready");
  setenv("WINCE_INSTANCE_SCOPE", "another-scope", 1);
  EXPECT_EQ(FindWindowW(TEXT("OwnerClass"), TEXT("Owner")), nullptr);
}

}  // namespace
