// Starts that find none of the sounds (a storage card not mounted, a moved folder), with
// the choices stored, with no registry file yet and with one of which nothing can be
// read: every slot shows empty, the five choices are saved unchanged, and they are back
// once the sounds are (here in the user folder).
#include <string>

#include "AppRun.h"
#include "sound/SoundBank.h"
#include "sound/SoundEntry.h"
#include "sound/SoundSlots.h"
#include "touchui/TouchButton.h"

namespace {

using namespace apptest;
using G = AppGlobals;

struct Choice {
  const char* folder;
  const char* name;
};
const Choice kStored[5] = {
    {"Chimes", "Glass.wav"}, {"Percussion", "Kick.wav"}, {"Tones", "Beep.wav"}, {"Blips", "Laser.wav"}, {"Numbers", "Two.wav"}};
// TiltChime.reg, which lies beside the executable as the installer's registry section.
const Choice kInstalled[5] = {{"Chimes", "Bright Bell.wav"}, {"Percussion", "Snare.wav"}, {"Tones", "Pluck.wav"},
                              {"Blips", "Coin.wav"},         {"Numbers", "Five.wav"}};

// The slots' lines in the order they are saved: the five folders, then the five names.
std::string SlotLines(const Choice* choices) {
  std::string folders, names;
  for (int slot = 1; slot <= 5; ++slot) {
    std::string n = std::to_string(slot);
    folders += "\"SoundSlot" + n + "Folder\"=\"" + choices[slot - 1].folder + "\"\n";
    names += "\"SoundSlot" + n + "Name\"=\"" + choices[slot - 1].name + "\"\n";
  }
  return folders + names;
}

std::u16string Wide(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

struct StartCase {
  const char* name;
  enum { kStoredChoices, kNoFile, kUnreadable } registry;
  const Choice* kept;
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class MissingSoundsTest : public AppRun, public ::testing::WithParamInterface<StartCase> {};

TEST_P(MissingSoundsTest, SlotsShowEmptyKeepTheirChoicesAndGetThemBackWithTheSounds) {
  if (GetParam().registry == StartCase::kStoredChoices) WriteSettings(SlotLines(kStored));
  if (GetParam().registry == StartCase::kUnreadable)
    std::ofstream(registry_, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\xff garbage", 19);
  StartLoaded();
  for (int slot = 1; slot <= 5; ++slot) {
    EXPECT_EQ(G::Slots.load()->Entry(slot), nullptr) << slot;
    EXPECT_EQ(TextOf(G::SoundsOpen[slot - 1].load()), u"") << slot;
  }
  EXPECT_EQ(CloseAndWait(), 0);
  std::string saved = RegistryText();
  EXPECT_NE(saved.find(SlotLines(GetParam().kept)), std::string::npos) << saved;

  fs::create_directories(folder_ / "data" / "tiltchime");
  fs::create_directory_symlink(CONTENT_DIR "/Sounds", folder_ / "data" / "tiltchime" / "Sounds");
  KeepObjectsOfThisRun();
  StartLoaded();
  for (int slot = 1; slot <= 5; ++slot) {
    SCOPED_TRACE(slot);
    const SoundEntry* entry = G::Slots.load()->Entry(slot);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::u16string(entry->Folder), Wide(GetParam().kept[slot - 1].folder));
    EXPECT_EQ(std::u16string(entry->Name), Wide(GetParam().kept[slot - 1].name));
    EXPECT_EQ(TextOf(G::SoundsOpen[slot - 1].load()), Wide(GetParam().kept[slot - 1].folder));
  }
  EXPECT_EQ(CloseAndWait(), 0);
}

INSTANTIATE_TEST_SUITE_P(Registries, MissingSoundsTest,
                         ::testing::Values(StartCase{"StoredChoices", StartCase::kStoredChoices, kStored},
                                           StartCase{"NoFileYet", StartCase::kNoFile, kInstalled},
                                           StartCase{"NothingReadable", StartCase::kUnreadable, kInstalled}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
