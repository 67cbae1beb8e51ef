// tour: runs TiltChime's WinMain through the layer's test driver, in virtual time and
// with the default content, and writes a PNG screenshot of every screen the user meets:
// the splash screen at three steps, Home with motion OFF and ON, Sounds, Settings, About,
// the sound picker with a selected row, and the middle frame of every page transition.
//
//   tour <folder>                 every screen at 480x640 and 480x800 (192 dpi) and at
//                                 480x640 (96 dpi), each in a sub-folder
//   tour <folder> <W>x<H> <dpi>   one screen size into <folder>
//
// A fresh registry and user folder are made in a temporary folder, so the tour shows the
// defaults and leaves the user's settings alone.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <wince/testdriver.h>

#include "app/MainWindow.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Screen {
  int width;
  int height;
  int dpi;
};

// Walks through every page as a user would and saves what the screen shows.
class Tour {
 public:
  Tour(const Screen& screen, fs::path folder)
      : screen_(screen), folder_(std::move(folder)), driver_({screen.width, screen.height,
                                                              screen.dpi}) {}

  bool Run() {
    driver_.Start(WinMain);
    driver_.WaitIdle();
    Shot("01-splash-start");
    driver_.AdvanceTime(70);
    Shot("02-splash-skin");
    driver_.AdvanceTime(90);
    Shot("03-splash-touchui-data");
    driver_.AdvanceTime(3000);
    Shot("04-home-motion-off");

    Tap(404, 132);  // the motion toggle
    Shot("05-home-motion-on");

    Navigate(TabX(1), BarY(), "06-transition-1-push-left", "07-sounds");
    Navigate(TabX(2), BarY(), "08-transition-1-push-left", "09-settings");
    Navigate(TabX(0), BarY(), "10-transition-2-push-right", "11-home");
    Navigate(screen_.width - 78, 26, "12-transition-11-cover-from-top", "13-about");
    Navigate(240, BarY() + 24, "14-transition-10-uncover-upward", "15-home-after-about");

    Navigate(TabX(1), BarY(), "16-transition-1-push-left", "17-sounds");
    Navigate(232, 52 + 96 * 2 + 48, "18-transition-4-push-down", "19-picker");
    const int rowHeight = (40 * screen_.dpi + 48) / 96;
    Tap(240, 52 + rowHeight * 2 + rowHeight / 2);  // the third sound
    Shot("20-picker-selected");
    Navigate(350, BarY() + 24, "21-transition-3-push-up", "22-sounds-slot3-picked");

    driver_.Close();
    driver_.WaitIdle();
    return ok_;
  }

 private:
  int TabX(int tab) const { return 80 + 160 * tab; }
  int BarY() const { return screen_.height - 54; }

  void Tap(int x, int y) {
    driver_.Tap(x, y);
    driver_.AdvanceTime(50);
  }

  // A tap that changes the page: the frame halfway through the 300 ms transition, then
  // the page at rest.
  void Navigate(int x, int y, const char* middle, const char* page) {
    driver_.Tap(x, y);
    driver_.AdvanceTime(150);
    Shot(middle);
    driver_.AdvanceTime(350);
    Shot(page);
  }

  void Shot(const char* name) {
    const fs::path path = folder_ / (std::string(name) + ".png");
    if (!driver_.SavePng(path.string())) {
      std::fprintf(stderr, "tour: cannot write %s\n", path.c_str());
      ok_ = false;
    }
  }

  Screen screen_;
  fs::path folder_;
  wince::test::Driver driver_;
  bool ok_ = true;
};

// A private registry and user folder, so the defaults show and nothing of the user's changes.
// The registry starts as the program's does on its first start: from the initial registry
// that the layer finds beside TiltChime (the tour's own name would find none).
fs::path IsolateSettings() {
  char pattern[] = "/tmp/tiltchime-tour-XXXXXX";
  const char* scratch = mkdtemp(pattern);
  if (!scratch) return {};
  const fs::path dir = scratch;
  std::error_code error;
  fs::copy_file(fs::read_symlink("/proc/self/exe", error).parent_path() / "TiltChime.reg",
                dir / "registry.reg", error);
  setenv("WINCE_REGISTRY", (dir / "registry.reg").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  setenv("WINCE_HEADLESS", "1", 1);
  return dir;
}

int RunOne(const fs::path& folder, const Screen& screen) {
  std::error_code error;
  fs::create_directories(folder, error);
  const fs::path scratch = IsolateSettings();
  if (scratch.empty()) return 1;
  bool ok = Tour(screen, folder).Run();
  fs::remove_all(scratch, error);
  std::printf("%s: %dx%d at %d dpi %s\n", folder.c_str(), screen.width, screen.height,
              screen.dpi, ok ? "written" : "FAILED");
  return ok ? 0 : 1;
}

// Each screen size in a process of its own: the program's globals live once per process.
int RunAll(const char* self, const fs::path& folder) {
  const Screen screens[] = {{480, 640, 192}, {480, 800, 192}, {480, 640, 96}};
  int failures = 0;
  for (const Screen& screen : screens) {
    const std::string size = std::to_string(screen.width) + "x" + std::to_string(screen.height);
    const std::string dpi = std::to_string(screen.dpi);
    const std::string sub = (folder / (size + "-" + dpi + "dpi")).string();
    std::vector<char*> argv = {const_cast<char*>(self), const_cast<char*>(sub.c_str()),
                               const_cast<char*>(size.c_str()), const_cast<char*>(dpi.c_str()),
                               nullptr};
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return RunAll(argv[0], argv[1]);
  Screen screen{};
  if (argc == 4 && std::sscanf(argv[2], "%dx%d", &screen.width, &screen.height) == 2 &&
      (screen.dpi = std::atoi(argv[3])) > 0) {
    return RunOne(argv[1], screen);
  }
  std::fprintf(stderr, "usage: tour <folder> [<width>x<height> <dpi>]\n");
  return 2;
}
