#include <set>
#include <string>

#include "tests/sound/SoundTestSupport.h"

#include <mmsystem.h>
#include <wince/soundsink.h>

#include "sound/SoundBank.h"

namespace {

namespace fs = std::filesystem;
using soundtest::DevicePath;

const fs::path SourceDir = soundtest::SourceDir();

std::u16string Text(const WCHAR* s) { return s; }

class SoundBankTest : public soundtest::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    sounds_ = root_ / "Sounds";
    fs::create_directories(sounds_);
    soundsDevice_ = DevicePath(sounds_) + u"\\";
    png_ = soundtest::ReadFile(SourceDir / "content/Sounds/Chimes/ChimesS.png");
    ASSERT_FALSE(png_.empty());
  }
  void TearDown() override {
    bank_.Clear();
    TempFolderTest::TearDown();
  }

  void File(const std::string& relative, const std::string& bytes = soundtest::WavBytes()) {
    soundtest::WriteFile(sounds_ / relative, bytes);
  }
  void Picture(const std::string& relative) { File(relative, png_); }
  void Scan() { bank_.Scan(soundsDevice_.c_str()); }
  std::u16string Listing() const {
    std::u16string listing;
    for (int i = 0; i < bank_.Count(); ++i)
      listing += Text(bank_.EntryAt(i)->Folder) + u"/" + Text(bank_.EntryAt(i)->Name) + u" ";
    return listing;
  }

  fs::path sounds_;
  std::u16string soundsDevice_;
  std::string png_;
  SoundBank bank_;
};

TEST_F(SoundBankTest, CataloguesEachCollectionWithItsSharedPictures) {
  File("Rock/a.wav");
  File("Rock/b.wav");
  Picture("Rock/RockB.png");
  Picture("Rock/RockS.png");
  File("Pop/c.wav");
  Scan();

  // Folders and files in the enumeration's order (names without regard to case).
  ASSERT_EQ(3, bank_.Count());
  EXPECT_EQ(u"Pop/c.wav Rock/a.wav Rock/b.wav ", Listing());
  const SoundEntry* pop = bank_.EntryAt(0);
  const SoundEntry* a = bank_.EntryAt(1);
  const SoundEntry* b = bank_.EntryAt(2);
  EXPECT_EQ(soundsDevice_ + u"Pop\\c.wav", Text(pop->Path));
  EXPECT_EQ(soundsDevice_ + u"Rock\\a.wav", Text(a->Path));
  EXPECT_EQ(nullptr, pop->LargeIcon);
  EXPECT_EQ(nullptr, pop->SmallIcon);
  ASSERT_NE(nullptr, a->LargeIcon);
  ASSERT_NE(nullptr, a->SmallIcon);
  EXPECT_NE(a->LargeIcon, a->SmallIcon);
  // One load per folder: every entry of Rock carries the same two handles.
  EXPECT_EQ(a->LargeIcon, b->LargeIcon);
  EXPECT_EQ(a->SmallIcon, b->SmallIcon);
  EXPECT_EQ(nullptr, bank_.EntryAt(-1));
  EXPECT_EQ(nullptr, bank_.EntryAt(3));
}

TEST_F(SoundBankTest, PictureNamesMatchWithCaseWhileWildcardsIgnoreIt) {
  File("Rock/A.WAV");
  File("Rock/b.Wav");
  File("Rock/notes.txt");
  Picture("Rock/rockb.png");   // not the large picture: the case differs
  Picture("Rock/RockS.PNG");   // found by "*.png", but not named "RockS.png"
  Picture("Rock/Cover.png");
  Scan();

  ASSERT_EQ(2, bank_.Count());
  EXPECT_EQ(u"Rock/A.WAV Rock/b.Wav ", Listing());
  EXPECT_EQ(nullptr, bank_.EntryAt(0)->LargeIcon);
  EXPECT_EQ(nullptr, bank_.EntryAt(0)->SmallIcon);
}

TEST_F(SoundBankTest, ScansOneLevelOfRealSubFoldersOnly) {
  File("loose.wav");                  // in the sounds folder itself: not a collection
  File("Rock/a.wav");
  File("Rock/Live/deep.wav");         // a collection's sub-folder is not scanned
  fs::create_directories(sounds_ / "Rock/Loop.wav");  // a folder named like a sound plays nothing
  fs::create_directories(sounds_ / "Empty");
  Picture("Empty/EmptyB.png");
  Scan();

  // Nothing from "." or ".." either.
  EXPECT_EQ(u"Rock/a.wav ", Listing());
}

TEST_F(SoundBankTest, TheSameNameInTwoFoldersIsFoundInTheFolderScannedFirst) {
  File("Beta/hit.wav");
  File("Alpha/hit.wav");
  File("Alpha/Other.wav");
  Scan();

  ASSERT_EQ(3, bank_.Count());
  const SoundEntry* hit = bank_.FindByName(TEXT("hit.wav"));
  ASSERT_NE(nullptr, hit);
  EXPECT_EQ(bank_.EntryAt(0), hit);
  EXPECT_EQ(u"Alpha", Text(hit->Folder));
  EXPECT_EQ(nullptr, bank_.FindByName(TEXT("HIT.wav")));  // names compare with case
  EXPECT_EQ(nullptr, bank_.FindByName(TEXT("other.wav")));
  EXPECT_EQ(nullptr, bank_.FindByName(TEXT("")));
  EXPECT_EQ(nullptr, bank_.FindByName(nullptr));
}

TEST_F(SoundBankTest, BrokenPicturesOrAMissingFolderGiveWhatCanBeRead) {
  File("Rock/a.wav");
  File("Rock/RockB.png", "not a picture");
  File("Rock/RockS.png", png_.substr(0, png_.size() / 2));
  Scan();
  Scan();  // a rescan rebuilds, it does not append
  ASSERT_EQ(1, bank_.Count());
  EXPECT_EQ(nullptr, bank_.EntryAt(0)->LargeIcon);
  EXPECT_EQ(nullptr, bank_.EntryAt(0)->SmallIcon);

  bank_.Scan((soundsDevice_ + u"Missing\\").c_str());
  EXPECT_EQ(0, bank_.Count());
  EXPECT_EQ(nullptr, bank_.FindByName(TEXT("a.wav")));
  bank_.Scan(TEXT(""));
  EXPECT_EQ(0, bank_.Count());
}

TEST_F(SoundBankTest, PathsThatWouldNotFitAreNotCatalogued) {
  // The folder's own pattern still fits, the longer of its two files does not, and
  // its picture names push their paths past the limit: no picture is loaded.
  size_t room = 259 - soundsDevice_.size();
  std::string folder(room - 1 - 8, 'f');  // leaves "\" + 8 characters
  File(folder + "/ab.wav");               // 6 characters: fits
  File(folder + "/abcde.wav");            // 9 characters: one too many
  Picture(folder + "/" + folder + "B.png");
  Scan();

  ASSERT_EQ(1, bank_.Count());
  const SoundEntry* entry = bank_.EntryAt(0);
  EXPECT_EQ(u"ab.wav", Text(entry->Name));
  EXPECT_EQ(259u, Text(entry->Path).size() + 2);
  EXPECT_EQ(nullptr, entry->LargeIcon);
}

// Only files whose header says they play are listed; each one left out is named on
// stderr with the reason, once.
TEST_F(SoundBankTest, OnlyPlayableWavFilesAreListedAndTheOthersAreNamed) {
  using soundtest::WavBytes;
  // A chunk of odd length before the format, padded to an even length.
  const std::string list = std::string("LIST\x03\0\0\0abc", 11) + '\0';
  const std::string dataOnly = "RIFF" + std::string("\x0c\0\0\0", 4) + "WAVEdata" + std::string(4, '\0');
  struct Case {
    const char* name;
    std::string bytes;
    const char* reason;  // null: listed
  } cases[] = {
      {"a_pcm16.wav", WavBytes(), nullptr},
      {"b_cbsize.wav", WavBytes(1, 16, 4, 18), nullptr},
      {"c_list_first.wav", WavBytes(1, 8, 3, 16, list), nullptr},
      {"d_float.wav", WavBytes(3, 32, 8), nullptr},
      {"e_empty.wav", "", "the file is empty"},
      {"f_riff_only.wav", "RIFF", "it is not a WAV file"},
      {"g_text.wav", "a text, not a sound at all", "it is not a WAV file"},
      {"h_data_only.wav", dataOnly, "it is not a WAV file"},
      {"i_mp3.wav", WavBytes(0x55, 0, 16, 30), "its coding is not supported; save it as 16-bit PCM WAV"},
      {"j_pcm12.wav", WavBytes(1, 12), "its coding is not supported; save it as 16-bit PCM WAV"},
      {"k_no_sound.wav", WavBytes(1, 16, 0), "it holds no sound"},
  };
  for (const Case& c : cases) File(std::string("Rock/") + c.name, c.bytes);
  fs::create_directories(sounds_ / "Rock/l_folder.wav");
  testing::internal::CaptureStderr();
  Scan();
  std::string told = testing::internal::GetCapturedStderr();

  EXPECT_EQ(u"Rock/a_pcm16.wav Rock/b_cbsize.wav Rock/c_list_first.wav Rock/d_float.wav ", Listing());
  std::string expected;
  auto device = [&](const std::string& name) {
    std::string path;
    for (char16_t c : soundsDevice_) path.push_back(char(c));
    return path + "Rock\\" + name;
  };
  for (const Case& c : cases) {
    if (c.reason) expected += "TiltChime: sound " + device(c.name) + " is left out of the list: " + c.reason + "\n";
  }
  expected += "TiltChime: sound " + device("l_folder.wav") + " is left out of the list: it cannot be opened for reading\n";
  EXPECT_EQ(expected, told);
}

TEST(SoundBankEntryTest, AddEntryCopiesTextsUpToTheFieldSize) {
  SoundBank bank;
  bank.AddEntry(nullptr, TEXT(""), std::u16string(400, u'p').c_str(), nullptr, nullptr);
  ASSERT_EQ(1, bank.Count());
  const SoundEntry* entry = bank.EntryAt(0);
  EXPECT_EQ(u"", Text(entry->Folder));
  EXPECT_EQ(u"", Text(entry->Name));
  EXPECT_EQ(std::u16string(259, u'p'), Text(entry->Path));
}

// The bank that ships with the program: every collection has its pictures and at
// least five sounds, and every sound is a WAV the player can play.
using DefaultSoundBankTest = soundtest::TempFolderTest;

TEST_F(DefaultSoundBankTest, EveryCollectionHasPicturesAndPlayableSounds) {
  SoundBank bank;
  std::u16string sounds = DevicePath(SourceDir / "content/Sounds") + u"\\";
  bank.Scan(sounds.c_str());

  std::set<std::u16string> folders;
  for (int i = 0; i < bank.Count(); ++i) {
    const SoundEntry* entry = bank.EntryAt(i);
    folders.insert(entry->Folder);
    EXPECT_NE(nullptr, entry->LargeIcon) << std::string(entry->Folder, entry->Folder + wcslen(entry->Folder));
    EXPECT_NE(nullptr, entry->SmallIcon);
    // One at a time: a request cut off before it starts is never decoded.
    PlaySound(entry->Path, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    wince::test::WaitSoundIdle();
  }
  std::vector<wince::test::SoundPlay> plays = wince::test::SoundPlays();
  ASSERT_EQ(size_t(bank.Count()), plays.size());
  for (const wince::test::SoundPlay& play : plays) {
    EXPECT_TRUE(play.playable) << std::string(play.devicePath.begin(), play.devicePath.end());
    // Short sounds: at most about a second.
    EXPECT_LE(play.totalFrames, uint64_t(wince::test::SoundDeviceRate()) * 105 / 100);
  }
  EXPECT_GE(folders.size(), 4u);
  for (const std::u16string& folder : folders) {
    int count = 0;
    for (int i = 0; i < bank.Count(); ++i) count += folder == bank.EntryAt(i)->Folder;
    EXPECT_GE(count, 5);
  }
  bank.Clear();
}

}  // namespace
