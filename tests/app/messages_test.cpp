// The lines a user reads on stderr, one per failure they can fix, as a table of causes:
// each row is its own process (a line is told once per run), started with the user
// folder that the row builds over an application folder that holds only the sensor library.
#include <regex>

#include "AppRun.h"
#include "touchui/TouchButton.h"

namespace {

using namespace apptest;
using G = AppGlobals;

const fs::path kContent = CONTENT_DIR;

// The device path of the folder of this executable, ending in a backslash.
std::string AppFolder() {
  std::string folder = fs::read_symlink("/proc/self/exe").parent_path().string() + "/";
  for (char& c : folder) c = c == '/' ? '\\' : c;
  return folder;
}

std::string Escaped(const std::string& text) { return std::regex_replace(text, std::regex(R"([\\.^$|()\[\]{}*+?])"), R"(\$&)"); }

struct Row {
  const char* cause;
  void (*setUp)(const fs::path& user, AppRun* run);
  void (*act)(AppRun* run, const fs::path& user);
  // The whole of stderr as a pattern: @ stands for the application folder, % for the
  // settings file, & for the executable's name; the rest is literal.
  const char* lines;
};
void PrintTo(const Row& row, std::ostream* os) { *os << row.cause; }

class MessagesTest : public AppRun, public ::testing::WithParamInterface<Row> {
 protected:
  void CopySkin(const fs::path& user) { fs::copy(kContent / "Skin", user / "Skin"); }
  void CopyChimes(const fs::path& user) {
    fs::create_directories(user / "Sounds/Chimes");
    fs::copy_file(kContent / "Sounds/Chimes/Glass.wav", user / "Sounds/Chimes/Glass.wav");
  }

 public:
  static void Full(const fs::path& user, AppRun* run) {
    auto* self = static_cast<MessagesTest*>(run);
    self->CopySkin(user);
    self->CopyChimes(user);
  }
  void Settings(const std::string& lines) { WriteSettings(lines); }
  void TapWidget(const TouchControl* widget) { Tap(widget); }
  void Go(const TouchControl* widget) { Navigate(widget); }
  Driver& Program() { return D(); }
};

void Nothing(AppRun*, const fs::path&) {}

const Row kRows[] = {
    {"a normal start", MessagesTest::Full, Nothing, ""},
    {"no sound collections",
     [](const fs::path& user, AppRun* run) { static_cast<MessagesTest*>(run)->Full(user, run), fs::remove_all(user / "Sounds"); },
     Nothing,
     "TiltChime: no sound collections found in @Sounds\\: put a folder of WAV files there, one folder per "
     "collection\n"},
    {"no skin folder",
     [](const fs::path& user, AppRun* run) { MessagesTest::Full(user, run), fs::remove_all(user / "Skin"); },
     Nothing, "TiltChime: skin folder @Skin\\ is missing: reinstall the program\n"},
    {"skin images missing, unreadable, too large",
     [](const fs::path& user, AppRun* run) {
       MessagesTest::Full(user, run);
       fs::remove(user / "Skin/Slt_Separator.png");
       fs::copy_file(user / "Skin/Pic_BottomBar.png", user / "Skin/Btn_SoundSlot_Up.png",
                     fs::copy_options::overwrite_existing);
       std::ofstream(user / "Skin/Pic_OpenSoundsType.png") << "not a picture";
     },
     Nothing,
     "TiltChime: skin image @Skin\\Btn_SoundSlot_Up.png is 480 x 108, larger than its 160 x 160 place, and is "
     "cut to fit: make it 160 x 160 at most\n"
     "TiltChime: skin image @Skin\\Pic_OpenSoundsType.png cannot be read: save it again as a 70 x 480 PNG\n"
     "TiltChime: skin image @Skin\\Slt_Separator.png is missing: put a 480 x 1 PNG there\n"},
    {"WAV files left out",
     [](const fs::path& user, AppRun* run) {
       MessagesTest::Full(user, run);
       std::ofstream(user / "Sounds/Chimes/Empty.wav");
       std::ofstream(user / "Sounds/Chimes/Notes.wav") << "my notes";
     },
     Nothing,
     "TiltChime: sound @Sounds\\Chimes\\Empty.wav is left out of the list: the file is empty\n"
     "TiltChime: sound @Sounds\\Chimes\\Notes.wav is left out of the list: it is not a WAV file\n"},
    {"a tapped WAV spoilt after the start, tapped twice",
     [](const fs::path& user, AppRun* run) {
       MessagesTest::Full(user, run);
       static_cast<MessagesTest*>(run)->Settings("\"SoundSlot1Folder\"=\"Chimes\"\n\"SoundSlot1Name\"=\"Glass.wav\"\n");
     },
     [](AppRun* run, const fs::path& user) {
       std::ofstream(user / "Sounds/Chimes/Glass.wav", std::ios::trunc);
       auto* self = static_cast<MessagesTest*>(run);
       self->TapWidget(G::HomeSlot[0].load());
       self->TapWidget(G::HomeSlot[0].load());
     },
     "TiltChime: sound @Sounds\\Chimes\\Glass.wav cannot be played: the file is empty\n"},
    {"no browser for the donation page, tapped twice", MessagesTest::Full,
     [](AppRun* run, const fs::path&) {
       auto* self = static_cast<MessagesTest*>(run);
       self->Go(G::AboutButton.load());
       self->TapWidget(G::DonateButton.load());
       self->TapWidget(G::DonateButton.load());
     },
     "TiltChime: no web browser could be started for https://www.example.com/tiltchime/donate: install one, "
     "or open the address yourself\n"},
    {"a damaged settings file",
     [](const fs::path& user, AppRun* run) {
       MessagesTest::Full(user, run);
       static_cast<MessagesTest*>(run)->Settings("this line is no registry line\n");
     },
     Nothing,
     "&: the settings file % was damaged and is kept as %.corrupt-[0-9]{8}-[0-9]{6}; settings it did not "
     "hold start from their defaults\n"},
};

TEST_P(MessagesTest, EachFailureIsOneLineNamingItAndWhatToDo) {
  const Row& row = GetParam();
  fs::path data = registry_.parent_path() / ("tiltchime_messages_" + std::to_string(getpid()));
  fs::remove_all(data);
  fs::path user = data / "tiltchime";
  fs::create_directories(user);
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  setenv("WINCE_BROWSER", "/nonexistent/opener", 1);
  row.setUp(user, this);

  testing::internal::CaptureStderr();
  StartLoaded();
  row.act(this, user);
  int code = CloseAndWait();
  std::string told = testing::internal::GetCapturedStderr();
  fs::remove_all(data);
  for (const fs::path& aside : fs::directory_iterator(registry_.parent_path()))
    if (aside.filename().string().rfind(registry_.filename().string() + ".corrupt-", 0) == 0) fs::remove(aside);

  std::string pattern = Escaped(row.lines);
  pattern = std::regex_replace(pattern, std::regex("@"), Escaped(AppFolder()));
  pattern = std::regex_replace(pattern, std::regex("%"), Escaped(registry_.string()));
  pattern = std::regex_replace(pattern, std::regex("&"), Escaped(fs::read_symlink("/proc/self/exe").filename().string()));
  // The time stamp's pattern was escaped with the rest.
  pattern = std::regex_replace(pattern, std::regex(R"(\\\[0-9\\\]\\\{(\d)\\\})"), "[0-9]{$1}");
  EXPECT_TRUE(std::regex_match(told, std::regex(pattern))) << "told:\n" << told << "\nexpected:\n" << pattern;
  EXPECT_EQ(0, code);
}

INSTANTIATE_TEST_SUITE_P(Causes, MessagesTest, ::testing::ValuesIn(kRows));

}  // namespace
