#include <string>
#include <vector>

#include "tests/sound/SoundTestSupport.h"

#include <wince/soundsink.h>
#include <wince/testdriver.h>

#include "sound/SoundBank.h"
#include "sound/SoundSlots.h"

namespace {

namespace fs = std::filesystem;
using wince::test::SoundPlay;

const fs::path SourceDir = soundtest::SourceDir();

TEST(SoundSlotsTest, SlotsOneToFiveStartEmptyAndHoldWhatTheyAreGiven) {
  EXPECT_FALSE(SoundSlots::IsValidSlot(0));
  EXPECT_TRUE(SoundSlots::IsValidSlot(1));
  EXPECT_TRUE(SoundSlots::IsValidSlot(5));
  EXPECT_FALSE(SoundSlots::IsValidSlot(6));
  EXPECT_FALSE(SoundSlots::IsValidSlot(UINT(-1)));

  SoundBank bank;
  bank.AddEntry(TEXT("Rock"), TEXT("a.wav"), TEXT("\\Sounds\\Rock\\a.wav"), nullptr, nullptr);
  SoundSlots slots;
  for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ(nullptr, slots.Entry(slot));
  slots.SetEntry(3, bank.EntryAt(0));
  EXPECT_EQ(bank.EntryAt(0), slots.Entry(3));
  slots.SetEntry(3, nullptr);
  EXPECT_EQ(nullptr, slots.Entry(3));
  slots.SetEntry(0, bank.EntryAt(0));
  slots.SetEntry(6, bank.EntryAt(0));
  for (int slot = 0; slot <= 6; ++slot) EXPECT_EQ(nullptr, slots.Entry(slot));
}

class SoundSlotsPlayTest : public soundtest::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    // Two collections of real sounds with one name in common.
    fs::path chimes = SourceDir / "content/Sounds/Chimes";
    for (const char* folder : {"First", "Second"}) {
      fs::create_directories(root_ / "Sounds" / folder);
      fs::copy_file(chimes / "Bright Bell.wav", root_ / "Sounds" / folder / "Bell.wav");
    }
    fs::copy_file(chimes / "Glass.wav", root_ / "Sounds/Second/Glass.wav");
    soundtest::WriteFile(root_ / "Sounds/Second/Broken.wav", "not a sound");  // left out
    bank_.Scan((soundtest::DevicePath(root_ / "Sounds") + u"\\").c_str());
    ASSERT_EQ(3, bank_.Count());
    wince::test::ClearSoundPlays();
  }

  std::vector<SoundPlay> Plays() {
    wince::test::WaitSoundIdle();
    return wince::test::SoundPlays();
  }

  SoundBank bank_;
  SoundSlots slots_;
};

TEST_F(SoundSlotsPlayTest, ARestoredNamePlaysTheSoundScannedFirst) {
  slots_.SetEntry(1, bank_.FindByName(TEXT("Bell.wav")));
  slots_.Play(1);

  std::vector<SoundPlay> plays = Plays();
  ASSERT_EQ(1u, plays.size());
  EXPECT_EQ(std::u16string(bank_.EntryAt(0)->Path), plays[0].devicePath);
  EXPECT_NE(std::u16string::npos, plays[0].devicePath.find(u"\\First\\Bell.wav"));
  EXPECT_TRUE(plays[0].playable);
}

TEST_F(SoundSlotsPlayTest, EmptyAndInvalidSlotsAreSilentAndABrokenFileIsRequested) {
  slots_.SetEntry(2, bank_.FindByName(TEXT("Broken.wav")));  // not in the bank: empty
  for (int slot : {-1, 0, 1, 2, 3, 4, 5, 6}) slots_.Play(slot);
  EXPECT_TRUE(Plays().empty());

  // Spoilt after the scan: the request is still made, and plays nothing.
  soundtest::WriteFile(root_ / "Sounds/Second/Glass.wav", "not a sound any more");
  slots_.SetEntry(5, bank_.FindByName(TEXT("Glass.wav")));
  slots_.Play(5);
  std::vector<SoundPlay> plays = Plays();
  ASSERT_EQ(1u, plays.size());
  EXPECT_FALSE(plays[0].playable);
}

TEST_F(SoundSlotsPlayTest, ANewSoundCutsOffTheOnePlaying) {
  wince::test::VirtualClock clock;  // no time passes: the first sound cannot end by itself
  slots_.SetEntry(1, bank_.FindByName(TEXT("Bell.wav")));
  slots_.SetEntry(2, bank_.FindByName(TEXT("Glass.wav")));
  slots_.Play(1);
  slots_.Play(2);

  std::vector<SoundPlay> plays = Plays();
  ASSERT_EQ(2u, plays.size());
  EXPECT_TRUE(plays[0].cutOff);
  EXPECT_NE(std::u16string::npos, plays[1].devicePath.find(u"Glass.wav"));
}

}  // namespace
