// The command lines of the program and its two trace tools, run as processes: --help and
// --version answer on stdout and end at once, and a trace that cannot be used is named
// with what is wrong with it on one stderr line.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exitCode = -1;
  std::string out, err;
};

std::string Slurp(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs the program with the arguments and with the environment plus extra ("NAME=value").
Outcome Execute(const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& extra, const fs::path& folder) {
  std::vector<std::string> env(extra);
  for (char** e = environ; *e; ++e) env.push_back(*e);  // the first of a name wins
  std::vector<char*> argv{const_cast<char*>(program.c_str())}, envp;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  const std::string out = folder / "out", err = folder / "err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  Outcome run;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = Slurp(out);
  run.err = Slurp(err);
  return run;
}

struct Case {
  const char* name;
  std::string program;
  std::vector<std::string> args, env;
  int exitCode;
  std::string outStarts;  // the first line of stdout ("" when nothing is printed there)
  std::string err;        // all of stderr
};

TEST(CommandLine, HelpVersionAndEveryUnusableTraceAnswerAsTheUserReadsThem) {
  const fs::path folder = fs::temp_directory_path() / ("command-line-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const std::string empty = folder / "empty.csv", looped = folder / "looped.csv", missing = folder / "missing.csv";
  const std::string registry = folder / "registry.reg";
  std::ofstream(empty) << "# a header and nothing else\nms,x,y,z\n";
  fs::create_symlink(looped, looped);  // fails to open even for root: unreadable
  // Were the program to start, it would fail to open this window system or write the
  // registry; --help and --version must do neither.
  const std::vector<std::string> noStart = {"WINCE_HEADLESS=0", "DISPLAY=:1999", "WAYLAND_DISPLAY=none-19",
                                            "SDL_VIDEODRIVER=x11", "WINCE_REGISTRY=" + registry,
                                            "WINCE_INSTANCE_SCOPE=command-line-" + std::to_string(getpid())};
  const std::string loopedWhy = looped + ": cannot be read: Too many levels of symbolic links";
  const std::string version = "TiltChime " TILTCHIME_VERSION;
  const Case cases[] = {
      {"program help", TILTCHIME_PATH, {"--help"}, noStart, 0, version + ": a sound board for phones. Five slots, each filled with a", ""},
      {"program -h", TILTCHIME_PATH, {"-h"}, noStart, 0, version + ": a sound board for phones. Five slots, each filled with a", ""},
      {"program version", TILTCHIME_PATH, {"--version"}, noStart, 0, version, ""},
      {"traceplot help", TRACEPLOT_PATH, {"--help"}, {}, 0, "usage: traceplot <trace.csv> [output.png] [--sensitivity 1..10] [--phase ms] [--from ms] [--to ms]", ""},
      {"traceplot missing", TRACEPLOT_PATH, {missing}, {}, 1, "", "traceplot: " + missing + ": not found\n"},
      {"traceplot unreadable", TRACEPLOT_PATH, {looped}, {}, 1, "", "traceplot: " + loopedWhy + "\n"},
      {"traceplot no rows", TRACEPLOT_PATH, {empty}, {}, 1, "", "traceplot: " + empty + ": holds no rows of ms,x,y,z\n"},
      {"traceplot folder", TRACEPLOT_PATH, {folder.string()}, {}, 1, "", "traceplot: " + folder.string() + ": is not a file\n"},
      {"traceplot beyond", TRACEPLOT_PATH, {TRACES_DIR "shake-z.csv", "--from", "60000"}, {}, 2, "",
       "traceplot: --from 60000 is beyond the end of " TRACES_DIR "shake-z.csv (11000 ms)\n"},
      {"tracerec help", TRACEREC_PATH, {"--help"}, {}, 0, "usage: tracerec <output.csv> [seconds]", ""},
      {"tracerec option", TRACEREC_PATH, {"--bogus"}, {}, 2, "", "usage: tracerec <output.csv> [seconds]\n"},
      {"tracerec trace missing", TRACEREC_PATH, {folder / "out.csv", "1"}, {"WINCE_SENSOR_TRACE=" + missing}, 1, "",
       "tracerec: the trace to replay, " + missing + " (WINCE_SENSOR_TRACE): not found\n"},
      {"tracerec trace unreadable", TRACEREC_PATH, {folder / "out.csv", "1"}, {"WINCE_SENSOR=trace", "WINCE_SENSOR_TRACE=" + looped}, 1, "",
       "tracerec: the trace to replay, " + looped + " (WINCE_SENSOR_TRACE): cannot be read: Too many levels of symbolic links\n"},
      {"tracerec trace no rows", TRACEREC_PATH, {folder / "out.csv", "1"}, {"WINCE_SENSOR_TRACE=" + empty}, 1, "",
       "tracerec: the trace to replay, " + empty + " (WINCE_SENSOR_TRACE): holds no rows of ms,x,y,z\n"},
      {"tracerec output folder missing", TRACEREC_PATH, {folder / "no-folder/out.csv", "1"}, {"WINCE_SENSOR=none"}, 1, "",
       "tracerec: cannot write " + (folder / "no-folder/out.csv").string() + ": the folder " + (folder / "no-folder").string() + " does not exist\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome run = Execute(c.program, c.args, c.env, folder);
    EXPECT_EQ(c.exitCode, run.exitCode);
    EXPECT_EQ(c.outStarts, run.out.substr(0, run.out.find('\n')));
    EXPECT_EQ(c.err, run.err);
  }
  EXPECT_FALSE(fs::exists(registry)) << "the program did not start";
  const std::string help = Execute(TILTCHIME_PATH, {"--help"}, noStart, folder).out;
  for (const char* named : {"WINCE_SENSOR_TRACE", "WINCE_REGISTRY", "~/.config/tiltchime/registry.reg",
                            "~/.local/share/tiltchime/", "/usr/share/doc/tiltchime/README.md"})
    EXPECT_NE(std::string::npos, help.find(named)) << named << " in\n" << help;
  fs::remove_all(folder);
}

}  // namespace
