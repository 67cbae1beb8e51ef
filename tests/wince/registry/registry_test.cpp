// The registry helpers against a hive file in a temporary folder. Each test runs in its
// own process, so the hive is loaded afresh from the file the test sets up; reads "in a
// new process" fork a child that loads the file again.
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <regext.h>
#include <windows.h>

namespace {

const WCHAR kKey[] = u"Software\\Brambleway\\TiltChime\\Settings";
const WCHAR kPowerKey[] = u"\\System\\CurrentControlSet\\Control\\Power";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* e = readdir(dir)) {
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Runs body in a forked child, which loads the hive from the file anew; returns its exit
// status (the body's result), or -1 when it died.
int InChild(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::u16string GetString(HKEY root, const WCHAR* key, const WCHAR* name, HRESULT* hr = nullptr) {
  WCHAR buffer[MAX_PATH] = u"";
  HRESULT result = RegistryGetString(root, key, name, buffer, MAX_PATH);
  if (hr) *hr = result;
  return buffer;
}

class WinceRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/wince_registry_XXXXXX";
    folder_ = mkdtemp(pattern);
    path_ = folder_ + "/registry.reg";
    setenv("WINCE_REGISTRY", path_.c_str(), 1);
  }
  void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

  std::string folder_;
  std::string path_;
};

TEST_F(WinceRegistryTest, ValuesRoundTripThroughTheFile) {
  // Quotes, backslashes, line breaks, non-Latin and non-BMP characters.
  const std::u16string text = u"C:\\Sounds\\\"Bell\"\nline 2\r\n\u00e9\u4e2d\U0001F514 end";
  ASSERT_EQ(0, InChild([&] {
    return RegistrySetString(HKEY_LOCAL_MACHINE, kKey, u"SoundSlot1Name", text.c_str()) == S_OK &&
                   RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"SensitivityX", 10) == S_OK &&
                   RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Big", 0xFFFFFFFF) == S_OK &&
                   RegistrySetString(HKEY_LOCAL_MACHINE, kKey, u"Empty", u"") == S_OK
               ? 0
               : 1;
  }));
  HRESULT hr;
  EXPECT_EQ(text, GetString(HKEY_LOCAL_MACHINE, kKey, u"SoundSlot1Name", &hr));
  EXPECT_EQ(S_OK, hr);
  EXPECT_EQ(u"", GetString(HKEY_LOCAL_MACHINE, kKey, u"Empty", &hr));
  EXPECT_EQ(S_OK, hr);
  DWORD value = 0;
  EXPECT_EQ(S_OK, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"SensitivityX", &value));
  EXPECT_EQ(10u, value);
  EXPECT_EQ(S_OK, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Big", &value));
  EXPECT_EQ(0xFFFFFFFFu, value);

  // Overwriting changes the type and the value in place.
  EXPECT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"SoundSlot1Name", 3));
  EXPECT_EQ(0, InChild([] {
    DWORD v = 0;
    return RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"SoundSlot1Name", &v) == S_OK && v == 3 ? 0 : 1;
  }));
}

TEST_F(WinceRegistryTest, FileIsReadableRegistryEditorText) {
  ASSERT_EQ(S_OK, RegistrySetString(HKEY_LOCAL_MACHINE, kKey, u"SoundSlot1Folder", u"Bells \"A\"\\B"));
  ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"SensitivityX", 10));
  ASSERT_EQ(S_OK, RegistrySetString(HKEY_CURRENT_USER, u"Software\\Y", nullptr, u"two\nlines"));
  EXPECT_EQ(
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\Y]\n"
      "@=\"two\\nlines\"\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Brambleway\\TiltChime\\Settings]\n"
      "\"SoundSlot1Folder\"=\"Bells \\\"A\\\"\\\\B\"\n"
      "\"SensitivityX\"=dword:0000000a\n",
      ReadText(path_));
  // Nothing but the hive is left in the folder.
  EXPECT_EQ(std::vector<std::string>{"registry.reg"}, FolderNames(folder_));
}

TEST_F(WinceRegistryTest, HandEditedFileIsRead) {
  WriteText(path_,
            "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
            "\r\n"
            "; written by hand\r\n"
            "[hkey_local_machine\\System\\CurrentControlSet\\Control\\Power]\r\n"
            "\"BattPowerOff\" = dword:000000B4\r\n"
            "  \"Name\"=\"caf\xC3\xA9\"  \r\n");
  DWORD value = 0;
  EXPECT_EQ(S_OK, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kPowerKey, u"BattPowerOff", &value));
  EXPECT_EQ(180u, value);
  EXPECT_EQ(u"caf\u00e9", GetString(HKEY_LOCAL_MACHINE, kPowerKey, u"Name"));
}

TEST_F(WinceRegistryTest, KeysIgnoreCaseAndALeadingBackslash) {
  ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, kPowerKey, u"BattPowerOff", 180));
  DWORD value = 0;
  EXPECT_EQ(S_OK, RegistryGetDWORD(HKEY_LOCAL_MACHINE, u"system\\CURRENTCONTROLSET\\control\\power\\",
                                   u"battpoweroff", &value));
  EXPECT_EQ(180u, value);
  // A second write through another spelling changes the same value of the same key.
  ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, u"System\\CurrentControlSet\\Control\\Power",
                                   u"BATTPOWEROFF", 60));
  EXPECT_EQ(S_OK, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kPowerKey, u"BattPowerOff", &value));
  EXPECT_EQ(60u, value);
  std::string text = ReadText(path_);
  EXPECT_NE(std::string::npos, text.find("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Power]\n"
                                         "\"BattPowerOff\"=dword:0000003c\n"));
  EXPECT_EQ(text.find('['), text.rfind('['));
  // The roots are separate.
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
            RegistryGetDWORD(HKEY_CURRENT_USER, kPowerKey, u"BattPowerOff", &value));
}

TEST_F(WinceRegistryTest, FailedReads) {
  ASSERT_EQ(S_OK, RegistrySetString(HKEY_LOCAL_MACHINE, kKey, u"Name", u"abcdef"));
  ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Number", 7));
  const HRESULT notFound = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);

  DWORD value = 1234;
  EXPECT_EQ(notFound, RegistryGetDWORD(HKEY_LOCAL_MACHINE, u"Software\\Nothing", u"Number", &value));
  EXPECT_EQ(notFound, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Missing", &value));
  EXPECT_EQ(E_DATATYPE_MISMATCH, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Name", &value));
  EXPECT_EQ(1234u, value);  // a failed read leaves the variable alone

  // "abcdef" needs 7 characters with its terminator: 6 fail and change nothing; 7 succeed.
  // A failed read of any kind leaves the buffer as it was.
  WCHAR buffer[10];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  const std::u16string untouched(std::begin(buffer), std::end(buffer));
  EXPECT_EQ(E_INSUFFICIENT_BUFFER, RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Name", buffer, 6));
  EXPECT_EQ(E_INSUFFICIENT_BUFFER, RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Name", buffer, 1));
  EXPECT_EQ(E_DATATYPE_MISMATCH, RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Number", buffer, 10));
  EXPECT_EQ(notFound, RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Missing", buffer, 10));
  EXPECT_EQ(untouched, std::u16string(std::begin(buffer), std::end(buffer)));
  EXPECT_EQ(S_OK, RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Name", buffer, 7));
  EXPECT_EQ(u"abcdef", std::u16string(buffer));
  EXPECT_EQ(u'#', buffer[7]);

  // Bad arguments.
  EXPECT_EQ(E_INVALIDARG, RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Number", nullptr));
  EXPECT_EQ(E_INVALIDARG, RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Name", nullptr, 10));
  EXPECT_EQ(E_INVALIDARG, RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Name", buffer, 0));
  EXPECT_EQ(E_INVALIDARG, RegistrySetString(HKEY_LOCAL_MACHINE, kKey, u"Name", nullptr));
  EXPECT_EQ(E_INVALIDARG, RegistrySetDWORD(HKEY_LOCAL_MACHINE, u"Software\\\\Empty", u"X", 1));
  EXPECT_EQ(E_INVALIDARG, RegistrySetDWORD(HKEY_LOCAL_MACHINE, u"Soft\nware", u"X", 1));
  EXPECT_EQ(E_INVALIDARG, RegistryGetDWORD(reinterpret_cast<HKEY>(uintptr_t(0x1234)), kKey, u"Number", &value));
}

TEST_F(WinceRegistryTest, GarbledFileIsKeptAsideAndDefaultsApply) {
  const std::string garbage = "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\X]\n\"broken\n";
  for (int round = 0; round < 2; ++round) {
    WriteText(path_, garbage + std::to_string(round));
    ASSERT_EQ(0, InChild([] {
      DWORD value = 0;
      bool empty = RegistryGetDWORD(HKEY_LOCAL_MACHINE, u"X", u"broken", &value) ==
                   HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
      return empty && RegistrySetDWORD(HKEY_LOCAL_MACHINE, u"X", u"fresh", 1) == S_OK ? 0 : 1;
    }));
  }
  // Two garbled files, each kept whole under its own name, and a fresh hive.
  std::vector<std::string> names = FolderNames(folder_);
  ASSERT_EQ(3u, names.size());
  EXPECT_EQ("registry.reg", names[0]);
  std::vector<std::string> kept;
  for (size_t i = 1; i < names.size(); ++i) {
    EXPECT_EQ(0u, names[i].rfind("registry.reg.corrupt-", 0)) << names[i];
    kept.push_back(ReadText(folder_ + "/" + names[i]));
  }
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ((std::vector<std::string>{garbage + "0", garbage + "1"}), kept);
  EXPECT_NE(std::string::npos, ReadText(path_).find("\"fresh\"=dword:00000001"));
}

// Each row damages one spot of a file whose other values must all survive: the file is
// kept aside whole, every good value reads, and the next change writes them back.
TEST_F(WinceRegistryTest, BadInputLosesOnlyItself) {
  const std::string header = "Windows Registry Editor Version 5.00\n";
  const std::string before = "[HKEY_LOCAL_MACHINE\\A]\n\"First\"=dword:00000001\n";
  const std::string after = "[HKEY_LOCAL_MACHINE\\B]\n\"Last\"=\"end\"\n";
  struct Row {
    const char* what;
    std::string text;  // the file; before and after surround it unless it names its own
  };
  const Row rows[] = {
      {"garbage line", header + before + "garbage\n" + after},
      {"invalid UTF-8 in a string", header + before + "\"Bad\"=\"caf\xC3\"\n" + after},
      {"invalid UTF-8 in a name", header + before + "\"B\xFF\"=dword:00000001\n" + after},
      {"nine-digit dword", header + before + "\"Bad\"=dword:123456789\n" + after},
      {"empty dword", header + before + "\"Bad\"=dword:\n" + after},
      {"negative dword", header + before + "\"Bad\"=dword:-0000001\n" + after},
      {"unknown escape", header + before + "\"Bad\"=\"a\\qb\"\n" + after},
      {"short \\u escape", header + before + "\"Bad\"=\"\\uD80\"\n" + after},
      {"unterminated string", header + before + "\"Bad\"=\"open\n" + after},
      {"text after a string", header + before + "\"Bad\"=\"a\" b\n" + after},
      {"unknown type", header + before + "\"Bad\"=hex:01,02\n" + after},
      {"no value", header + before + "\"Bad\"\n" + after},
      {"unknown root and its values", header + before + "[HKEY_NOWHERE\\X]\n\"Lost\"=dword:1\n" + after},
      {"empty key component", header + before + "[HKEY_LOCAL_MACHINE\\X\\\\Y]\n" + after},
      {"missing header", before + after},
      {"damaged header", "Windows Registry Editor Versio\xFF\n" + before + after},
      {"value before any section", header + "\"Orphan\"=dword:1\n" + before + after},
      {"NUL byte and no closing quote", header + before + std::string("\"Bad\"=\"a\0b\n", 11) + after},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::system(("rm -rf '" + folder_ + "'/*").c_str());
    WriteText(path_, row.text);
    ASSERT_EQ(0, InChild([] {
      DWORD first = 0;
      HRESULT bad = RegistryGetDWORD(HKEY_LOCAL_MACHINE, u"A", u"Bad", &first);
      if (RegistryGetDWORD(HKEY_LOCAL_MACHINE, u"A", u"First", &first) != S_OK || first != 1) return 1;
      if (GetString(HKEY_LOCAL_MACHINE, u"B", u"Last") != u"end") return 2;
      if (bad != HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) return 3;
      return RegistrySetDWORD(HKEY_LOCAL_MACHINE, u"A", u"New", 2) == S_OK ? 0 : 4;
    }));
    std::vector<std::string> names = FolderNames(folder_);
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ(row.text, ReadText(folder_ + "/" + names[1]));
    EXPECT_EQ(header + "\n[HKEY_LOCAL_MACHINE\\A]\n\"First\"=dword:00000001\n\"New\"=dword:00000002\n" +
                  "\n[HKEY_LOCAL_MACHINE\\B]\n\"Last\"=\"end\"\n",
              ReadText(path_));
  }
}

// UTF-16 that UTF-8 cannot hold: strings and value names keep it exactly through the
// file; a key path, whose section line has no escapes, is refused and nothing is written.
TEST_F(WinceRegistryTest, UnpairedSurrogatesComeBackExactly) {
  const std::u16string lead(1, char16_t(0xD800)), trail(1, char16_t(0xDFFF));
  const std::u16string texts[] = {lead, trail, u"a" + lead + u"b", trail + lead, lead + u"\U0001F514" + trail,
                                  u"\\u" + lead + u"\\uD800"};
  for (const std::u16string& text : texts) {
    ASSERT_EQ(S_OK, RegistrySetString(HKEY_LOCAL_MACHINE, kKey, text.c_str(), text.c_str()));
    EXPECT_EQ(0, InChild([&] { return GetString(HKEY_LOCAL_MACHINE, kKey, text.c_str()) == text ? 0 : 1; }));
  }
  std::string file = ReadText(path_);
  EXPECT_NE(std::string::npos, file.find("\"a\\uD800b\"=\"a\\uD800b\""));
  EXPECT_NE(std::string::npos, file.find("\"\\\\u\\uD800\\\\uD800\""));
  const std::u16string key = u"Software\\" + lead;
  EXPECT_EQ(E_INVALIDARG, RegistrySetDWORD(HKEY_LOCAL_MACHINE, key.c_str(), u"X", 1));
  EXPECT_EQ(file, ReadText(path_));
}

TEST_F(WinceRegistryTest, UnreadableHiveIsNeverOverwritten) {
  ASSERT_EQ(0, mkdir(path_.c_str(), 0700));
  WriteText(path_ + "/keep", "x");
  DWORD value = 0;
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"A", &value));
  EXPECT_TRUE(FAILED(RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"A", 1)));
  EXPECT_EQ("x", ReadText(path_ + "/keep"));
}

TEST_F(WinceRegistryTest, DefaultPathIsUnderTheConfigFolder) {
  unsetenv("WINCE_REGISTRY");
  setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
  ASSERT_EQ(S_OK, RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"A", 1));
  EXPECT_NE(std::string::npos, ReadText(folder_ + "/config/tiltchime/registry.reg").find("\"A\"=dword:00000001"));
}

TEST_F(WinceRegistryTest, ConcurrentWritersLoseNothing) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 20; ++i) {
        std::u16string name = u"T" + std::u16string(1, char16_t(u'0' + t)) + u"_" + std::u16string(1, char16_t(u'A' + i));
        RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, name.c_str(), DWORD(t * 100 + i));
        DWORD value = 0;
        RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, name.c_str(), &value);
      }
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(0, InChild([] {
    for (int t = 0; t < 4; ++t) {
      for (int i = 0; i < 20; ++i) {
        std::u16string name = u"T" + std::u16string(1, char16_t(u'0' + t)) + u"_" + std::u16string(1, char16_t(u'A' + i));
        DWORD value = 0;
        if (RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, name.c_str(), &value) != S_OK || value != DWORD(t * 100 + i)) return 1;
      }
    }
    return 0;
  }));
}

// The writer's n-th pair of writes stores Text made from n, then Count = n; a killed
// writer must leave a file that parses and holds a complete state before or after one
// write: Text made from Count or from Count + 1.
std::u16string TextFor(DWORD n) {
  std::u16string line = u"line \"" + std::u16string(1, char16_t(u'a' + n % 26)) + u"\" \\ \U0001F514 ";
  line += std::u16string(100, u'x') + u"\n";
  std::u16string text;
  for (DWORD i = 0; i < 200 + n % 64; ++i) text += line;
  return text;
}

int WriteState(DWORD n) {
  return RegistrySetString(HKEY_LOCAL_MACHINE, kKey, u"Text", TextFor(n).c_str()) == S_OK &&
                 RegistrySetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Count", n) == S_OK
             ? 0
             : 1;
}

int CheckState() {
  DWORD count = 0;
  if (RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Count", &count) != S_OK) return 1;
  std::vector<WCHAR> buffer(64 * 1024);
  if (RegistryGetString(HKEY_LOCAL_MACHINE, kKey, u"Text", buffer.data(), UINT(buffer.size())) != S_OK) return 2;
  std::u16string text = buffer.data();
  return text == TextFor(count) || text == TextFor(count + 1) ? 0 : 3;
}

TEST_F(WinceRegistryTest, KilledWriterLeavesTheOldOrTheNewFile) {
  ASSERT_EQ(0, InChild([] { return WriteState(0); }));
  std::mt19937 random(12345);
  for (int round = 0; round < 200; ++round) {
    pid_t writer = fork();
    if (writer == 0) {
      DWORD start = 0;
      RegistryGetDWORD(HKEY_LOCAL_MACHINE, kKey, u"Count", &start);
      for (DWORD n = start + 1;; ++n) WriteState(n);
    }
    // A random moment in the writer's life, from before its first write to many writes in.
    usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);

    ASSERT_EQ(0, InChild(CheckState)) << "round " << round;
    // A file that failed to parse would have been moved aside.
    for (const std::string& name : FolderNames(folder_)) ASSERT_EQ(std::string::npos, name.find("corrupt")) << name;
  }
  // The killed writers' temporary files are cleared by the next load.
  ASSERT_EQ(0, InChild(CheckState));
  EXPECT_EQ(std::vector<std::string>{"registry.reg"}, FolderNames(folder_));
}

}  // namespace
