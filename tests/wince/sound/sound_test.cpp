// PlaySound into the silent sink (the tests run with WINCE_HEADLESS=1): which files
// decode, to how many frames, and which sound cuts off which.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <mmsystem.h>
#include <windows.h>
#include <wince/soundsink.h>
#include <wince/testdriver.h>

namespace {

using wince::test::SoundPlay;

constexpr DWORD kFlags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT;

template <class T>
void Put(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string Chunk(const char* id, const std::string& body) {
  std::string out(id, 4);
  Put<uint32_t>(out, uint32_t(body.size()));
  out += body;
  if (body.size() % 2) out += '\0';
  return out;
}

struct Format {
  uint16_t tag;  // 1 PCM, 3 IEEE float, 0xFFFE extensible PCM
  uint16_t bits;
  uint16_t channels;
  uint32_t rate;
};

std::string FmtChunk(const Format& f, uint16_t blockAlign, const std::string& extra) {
  std::string fmt;
  Put<uint16_t>(fmt, f.tag);
  Put<uint16_t>(fmt, f.channels);
  Put<uint32_t>(fmt, f.rate);
  Put<uint32_t>(fmt, f.rate * blockAlign);
  Put<uint16_t>(fmt, blockAlign);
  Put<uint16_t>(fmt, f.bits);
  if (!extra.empty() || f.tag != 1) {
    Put<uint16_t>(fmt, uint16_t(extra.size()));
    fmt += extra;
  }
  return Chunk("fmt ", fmt);
}

std::string Riff(const std::string& chunks) { return Chunk("RIFF", "WAVE" + chunks); }

// A WAV file of frames frames of a quiet constant level.
std::string PcmWav(const Format& f, uint32_t frames) {
  uint16_t bytes = f.bits / 8;
  std::string sample;
  if (f.tag == 3) {
    Put<float>(sample, 0.25f);
  } else if (bytes == 1) {
    sample = "\xA0";
  } else {
    sample.assign(bytes, '\0');
    sample[bytes - 1] = 0x10;
  }
  std::string data;
  for (uint32_t i = 0; i < frames * f.channels; ++i) data += sample;
  std::string extra;
  if (f.tag == 0xFFFE) {
    Put<uint16_t>(extra, f.bits);                        // valid bits
    Put<uint32_t>(extra, f.channels == 1 ? 0x4 : 0x3);   // speaker mask
    Put<uint32_t>(extra, 1);                             // the PCM sub-format GUID
    extra += std::string("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
  }
  return Riff(FmtChunk(f, uint16_t(bytes * f.channels), extra) + Chunk("data", data));
}

// IMA ADPCM, mono: blocks of 256 bytes, a 4-byte header and 505 samples each.
std::string ImaAdpcmWav(uint32_t rate, uint32_t blocks) {
  const uint16_t samplesPerBlock = 505;
  std::string extra;
  Put<uint16_t>(extra, samplesPerBlock);
  std::string data;
  for (uint32_t b = 0; b < blocks; ++b) {
    std::string block(256, '\x19');
    block[0] = block[1] = block[2] = block[3] = 0;
    data += block;
  }
  std::string fact;
  Put<uint32_t>(fact, blocks * samplesPerBlock);
  return Riff(FmtChunk({0x11, 4, 1, rate}, 256, extra) + Chunk("fact", fact) + Chunk("data", data));
}

// Microsoft ADPCM, mono: blocks of 256 bytes, a 7-byte header and 500 samples each.
std::string MsAdpcmWav(uint32_t rate, uint32_t blocks) {
  const uint16_t samplesPerBlock = 500;
  const int16_t coefficients[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
  std::string extra;
  Put<uint16_t>(extra, samplesPerBlock);
  Put<uint16_t>(extra, 7);
  for (auto& c : coefficients) {
    Put<int16_t>(extra, c[0]);
    Put<int16_t>(extra, c[1]);
  }
  std::string data;
  for (uint32_t b = 0; b < blocks; ++b) {
    std::string block;
    block += '\0';             // predictor
    Put<int16_t>(block, 16);   // delta
    Put<int16_t>(block, 0);    // second sample
    Put<int16_t>(block, 0);    // first sample
    block.append(256 - 7, '\x12');
    data += block;
  }
  std::string fact;
  Put<uint32_t>(fact, blocks * samplesPerBlock);
  return Riff(FmtChunk({2, 4, 1, rate}, 256, extra) + Chunk("fact", fact) + Chunk("data", data));
}

uint64_t AtOutputRate(uint64_t frames, uint32_t rate) {
  return uint64_t(std::llround(double(frames) * wince::test::SoundDeviceRate() / rate));
}

class WincePlaySoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/wince_sound_XXXXXX";
    folder_ = mkdtemp(pattern);
  }
  void TearDown() override {
    PlaySound(nullptr, nullptr, 0);
    wince::test::WaitSoundIdle();
    std::system(("rm -rf '" + folder_ + "'").c_str());
  }

  // Writes a file and returns its device path.
  std::u16string File(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ + "/" + name, std::ios::binary) << bytes;
    return DevicePath(name);
  }
  std::u16string DevicePath(const std::string& name) const {
    std::u16string path;
    for (char c : folder_ + "/" + name) path += c == '/' ? u'\\' : char16_t(c);
    return path;
  }
  // Plays and waits until the player has decoded it; returns the play's record.
  SoundPlay PlayAndWait(const std::u16string& path) {
    EXPECT_TRUE(PlaySound(path.c_str(), nullptr, kFlags));
    wince::test::WaitSoundIdle();
    std::vector<SoundPlay> plays = wince::test::SoundPlays();
    EXPECT_FALSE(plays.empty());
    return plays.empty() ? SoundPlay() : plays.back();
  }

  std::string folder_;
};

TEST_F(WincePlaySoundTest, EveryPcmFormatDecodesToItsLength) {
  const Format formats[] = {{1, 8, 1, 0}, {1, 16, 1, 0}, {1, 24, 1, 0}, {1, 32, 1, 0}, {3, 32, 1, 0}, {0xFFFE, 24, 1, 0}};
  for (Format f : formats) {
    for (uint16_t channels : {1, 2}) {
      for (uint32_t rate : {8000u, 11025u, 22050u, 44100u, 48000u}) {
        f.channels = channels;
        f.rate = rate;
        const uint32_t frames = rate / 4 + 3;
        SCOPED_TRACE(testing::Message() << "tag " << f.tag << ", " << f.bits << " bits, " << channels << " ch, " << rate << " Hz");
        SoundPlay play = PlayAndWait(File("tone.wav", PcmWav(f, frames)));
        EXPECT_TRUE(play.playable);
        EXPECT_EQ(frames, play.sourceFrames);
        EXPECT_NEAR(double(AtOutputRate(frames, rate)), double(play.totalFrames), 2.0);
      }
    }
  }
}

TEST_F(WincePlaySoundTest, AdpcmDecodes) {
  SoundPlay ima = PlayAndWait(File("ima.wav", ImaAdpcmWav(22050, 3)));
  EXPECT_TRUE(ima.playable);
  EXPECT_EQ(3u * 505, ima.sourceFrames);
  EXPECT_NEAR(double(AtOutputRate(3 * 505, 22050)), double(ima.totalFrames), 2.0);

  SoundPlay ms = PlayAndWait(File("ms.wav", MsAdpcmWav(44100, 4)));
  EXPECT_TRUE(ms.playable);
  EXPECT_EQ(4u * 500, ms.sourceFrames);
  EXPECT_EQ(4u * 500, ms.totalFrames);
}

// The wave output's format query says yes exactly for the formats PlaySound plays.
TEST(WinceWaveOutTest, TheFormatQueryAnswersForWhatPlaySoundPlays) {
  // The format chunk's bytes of a file: the WAVEFORMATEX and its extra bytes.
  auto formatOf = [](const std::string& wav) {
    uint32_t size = 0;
    std::memcpy(&size, wav.data() + 16, 4);
    return wav.substr(20, std::max<uint32_t>(size, 18)) + std::string(2, '\0');
  };
  std::string twelveBits = PcmWav({1, 16, 1, 8000}, 4);
  twelveBits[34] = 12;
  std::string mp3 = PcmWav({1, 16, 1, 8000}, 4);
  mp3[20] = 0x55;
  std::string nineChannels = PcmWav({1, 16, 1, 8000}, 4);
  nineChannels[22] = 9;
  struct Case {
    const char* what;
    std::string wav;
    MMRESULT answer;
  } cases[] = {
      {"PCM 8", PcmWav({1, 8, 1, 8000}, 4), MMSYSERR_NOERROR},
      {"PCM 16 stereo", PcmWav({1, 16, 2, 44100}, 4), MMSYSERR_NOERROR},
      {"float", PcmWav({3, 32, 1, 48000}, 4), MMSYSERR_NOERROR},
      {"extensible PCM 24", PcmWav({0xFFFE, 24, 2, 48000}, 4), MMSYSERR_NOERROR},
      {"IMA ADPCM", ImaAdpcmWav(22050, 1), MMSYSERR_NOERROR},
      {"MS ADPCM", MsAdpcmWav(44100, 1), MMSYSERR_NOERROR},
      {"PCM 12", twelveBits, WAVERR_BADFORMAT},
      {"MPEG layer 3", mp3, WAVERR_BADFORMAT},
      {"nine channels", nineChannels, WAVERR_BADFORMAT},
      {"4 MHz", PcmWav({1, 16, 1, 4202304}, 4), WAVERR_BADFORMAT},
  };
  for (const Case& c : cases) {
    std::string format = formatOf(c.wav);
    if (c.wav.substr(16, 4) == std::string("\x10\0\0\0", 4)) format[16] = format[17] = 0;  // no cbSize
    auto* wave = reinterpret_cast<const WAVEFORMATEX*>(format.data());
    EXPECT_EQ(c.answer, waveOutOpen(nullptr, WAVE_MAPPER, wave, 0, 0, WAVE_FORMAT_QUERY)) << c.what;
    EXPECT_EQ(c.answer, waveOutOpen(nullptr, 0, wave, 0, 0, WAVE_FORMAT_QUERY)) << c.what;
  }
  std::string pcm = formatOf(PcmWav({1, 16, 1, 8000}, 4));
  auto* wave = reinterpret_cast<const WAVEFORMATEX*>(pcm.data());
  HWAVEOUT out = nullptr;
  EXPECT_EQ(MMRESULT(MMSYSERR_NOTSUPPORTED), waveOutOpen(&out, WAVE_MAPPER, wave, 0, 0, 0));  // opening: not here
  EXPECT_EQ(MMRESULT(MMSYSERR_BADDEVICEID), waveOutOpen(nullptr, 3, wave, 0, 0, WAVE_FORMAT_QUERY));
  EXPECT_EQ(MMRESULT(MMSYSERR_INVALPARAM), waveOutOpen(nullptr, WAVE_MAPPER, nullptr, 0, 0, WAVE_FORMAT_QUERY));
}

TEST_F(WincePlaySoundTest, ANewSoundCutsOffTheOnePlaying) {
  // Ten seconds each: neither can end on its own during the test.
  const std::string tenSeconds = PcmWav({1, 8, 1, 8000}, 80000);
  const std::u16string first = File("first.wav", tenSeconds);
  const std::u16string second = File("second.wav", tenSeconds);

  SoundPlay playing = PlayAndWait(first);
  EXPECT_TRUE(playing.playable);
  EXPECT_FALSE(playing.cutOff);
  PlayAndWait(second);
  std::vector<SoundPlay> plays = wince::test::SoundPlays();
  ASSERT_EQ(2u, plays.size());
  EXPECT_EQ(first, plays[0].devicePath);
  EXPECT_TRUE(plays[0].cutOff);
  EXPECT_LT(plays[0].frames, plays[0].totalFrames);
  EXPECT_EQ(second, plays[1].devicePath);
  EXPECT_TRUE(plays[1].playable);
  EXPECT_FALSE(plays[1].cutOff);

  // Two requests in a row: the first never plays in full, the second plays.
  DWORD before = GetTickCount();
  EXPECT_TRUE(PlaySound(first.c_str(), nullptr, kFlags));
  EXPECT_TRUE(PlaySound(second.c_str(), nullptr, kFlags));
  wince::test::WaitSoundIdle();
  plays = wince::test::SoundPlays();
  ASSERT_EQ(4u, plays.size());
  EXPECT_TRUE(plays[1].cutOff);
  EXPECT_EQ(first, plays[2].devicePath);
  EXPECT_TRUE(plays[2].cutOff);
  EXPECT_LT(plays[2].frames, AtOutputRate(80000, 8000));
  EXPECT_LE(DWORD(plays[2].tick - before), DWORD(plays[3].tick - before));
  EXPECT_EQ(second, plays[3].devicePath);
  EXPECT_TRUE(plays[3].playable);
  EXPECT_FALSE(plays[3].cutOff);

  // PlaySound(NULL) stops it.
  EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
  wince::test::WaitSoundIdle();
  plays = wince::test::SoundPlays();
  ASSERT_EQ(4u, plays.size());
  EXPECT_TRUE(plays[3].cutOff);
}

TEST_F(WincePlaySoundTest, ASoundPlaysForItsDurationOnTheProgramsClock) {
  wince::test::VirtualClock clock(5000);
  const std::u16string first = File("first.wav", PcmWav({1, 16, 2, 44100}, 44100));
  const std::u16string second = File("second.wav", PcmWav({1, 16, 1, 22050}, 22050));

  ASSERT_TRUE(PlaySound(first.c_str(), nullptr, kFlags));
  ASSERT_TRUE(clock.WaitIdle());  // the player's thread counts as idle once it waits again
  std::vector<SoundPlay> plays = wince::test::SoundPlays();
  ASSERT_EQ(1u, plays.size());
  EXPECT_EQ(5000u, plays[0].tick);
  EXPECT_EQ(0u, plays[0].frames);
  clock.AdvanceTime(250);
  EXPECT_EQ(11025u, wince::test::SoundPlays()[0].frames);
  clock.AdvanceTime(1000);
  plays = wince::test::SoundPlays();
  EXPECT_EQ(44100u, plays[0].frames);
  EXPECT_FALSE(plays[0].cutOff);

  // A sound that has ended is not cut off by the next one; one still playing is.
  ASSERT_TRUE(PlaySound(second.c_str(), nullptr, kFlags));
  ASSERT_TRUE(clock.WaitIdle());
  clock.AdvanceTime(100);
  ASSERT_TRUE(PlaySound(first.c_str(), nullptr, kFlags));
  ASSERT_TRUE(clock.WaitIdle());
  plays = wince::test::SoundPlays();
  ASSERT_EQ(3u, plays.size());
  EXPECT_FALSE(plays[0].cutOff);
  EXPECT_EQ(6250u, plays[1].tick);
  EXPECT_EQ(4410u, plays[1].frames);
  EXPECT_TRUE(plays[1].cutOff);
  EXPECT_EQ(6350u, plays[2].tick);
}

// No stream runs a few seconds after the last sound (a paused one still feeds the host
// silence), a sound that plays on keeps it open however long, and the next sound opens
// it again and plays from its start.
TEST_F(WincePlaySoundTest, TheStreamClosesWhenIdleAndOpensForTheNextSound) {
  wince::test::VirtualClock clock(5000);
  const DWORD idle = wince::test::kSoundIdleCloseMs;
  const std::u16string quarter = File("quarter.wav", PcmWav({1, 16, 1, 44100}, 11025));
  const std::u16string tenSeconds = File("ten.wav", PcmWav({1, 8, 1, 8000}, 80000));

  ASSERT_TRUE(PlaySound(quarter.c_str(), nullptr, kFlags));
  ASSERT_TRUE(clock.WaitIdle());
  EXPECT_TRUE(wince::test::SoundStreamOpen());
  // It ends at 250 ms; its end is noticed within a quarter of a second.
  clock.AdvanceTime(250 + idle - 1);
  EXPECT_TRUE(wince::test::SoundStreamOpen());
  clock.AdvanceTime(1 + 250);
  EXPECT_FALSE(wince::test::SoundStreamOpen());
  EXPECT_EQ(11025u, wince::test::SoundPlays().back().frames);

  // Closed, it stays closed: a stop or a file that does not play opens nothing.
  EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
  PlayAndWait(DevicePath("missing.wav"));
  clock.AdvanceTime(idle * 10);
  EXPECT_FALSE(wince::test::SoundStreamOpen());

  ASSERT_TRUE(PlaySound(tenSeconds.c_str(), nullptr, kFlags));
  ASSERT_TRUE(clock.WaitIdle());
  EXPECT_TRUE(wince::test::SoundStreamOpen());
  clock.AdvanceTime(100);
  EXPECT_EQ(4410u, wince::test::SoundPlays().back().frames);
  clock.AdvanceTime(idle * 3);
  EXPECT_TRUE(wince::test::SoundStreamOpen());
  clock.AdvanceTime(10000 - 100 - idle * 3 + idle + 250);
  EXPECT_FALSE(wince::test::SoundStreamOpen());
  std::vector<SoundPlay> plays = wince::test::SoundPlays();
  EXPECT_EQ(plays.back().totalFrames, plays.back().frames);
  EXPECT_FALSE(plays.back().cutOff);
}

TEST_F(WincePlaySoundTest, UnplayableFilesPlayNothingAndStopTheSoundBefore) {
  const std::string good = PcmWav({1, 16, 2, 44100}, 441000);
  std::string truncated = good.substr(0, good.size() / 2);
  std::string badFormat = PcmWav({1, 16, 1, 8000}, 100);
  badFormat[20] = 0x55;  // an unknown format tag
  std::string nineChannels = PcmWav({1, 16, 1, 8000}, 100);
  nineChannels[22] = 9;
  const std::string header = good.substr(0, 36);  // RIFF, WAVE and the format chunk
  std::string claims4Gb = header + "data";
  Put<uint32_t>(claims4Gb, 0xFFFFFFFF);
  claims4Gb.append(100, '\x10');
  std::string fmtTooLong = good.substr(0, 16);
  Put<uint32_t>(fmtTooLong, 0x7FFFFFF0);
  fmtTooLong += good.substr(20, 100);
  std::string badAdpcm = ImaAdpcmWav(22050, 2);
  badAdpcm[badAdpcm.size() - 2 * 256 + 2] = 89;  // a step index past the table in the first block
  std::vector<std::u16string> paths = {
      File("garbage.wav", "This is not a sound at all, just some text."),
      File("empty.wav", ""),
      File("truncated.wav", truncated),
      File("header-only.wav", good.substr(0, 30)),
      File("format.wav", badFormat),
      File("nine-channels.wav", nineChannels),
      File("claims-4gb.wav", claims4Gb),
      File("empty-data.wav", header + Chunk("data", "")),
      File("rate-4mhz.wav", PcmWav({1, 16, 1, 4202304}, 100)),
      File("empty-fmt.wav", Riff(Chunk("fmt ", "") + Chunk("data", std::string(64, '\x10')))),
      File("no-data.wav", header),
      File("fmt-too-long.wav", fmtTooLong),
      File("data-before-fmt.wav", Riff(Chunk("data", std::string(64, '\x10')) + header.substr(12))),
      File("bad-adpcm.wav", badAdpcm),
      DevicePath("missing.wav"),
      u"",
  };
  ASSERT_EQ(0, mkdir((folder_ + "/folder.wav").c_str(), 0700));
  paths.push_back(DevicePath("folder.wav"));
  // A pipe would block a reader forever; it is not a file to play.
  ASSERT_EQ(0, mkfifo((folder_ + "/pipe.wav").c_str(), 0600));
  paths.push_back(DevicePath("pipe.wav"));

  const std::u16string goodPath = File("good.wav", good);
  for (const std::u16string& path : paths) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    wince::test::ClearSoundPlays();
    EXPECT_TRUE(PlayAndWait(goodPath).playable);
    SoundPlay bad = PlayAndWait(path);
    EXPECT_FALSE(bad.playable);
    EXPECT_EQ(0u, bad.totalFrames);
    std::vector<SoundPlay> plays = wince::test::SoundPlays();
    ASSERT_EQ(2u, plays.size());
    EXPECT_TRUE(plays[0].cutOff);
  }
}

// A file that turns out cut short or corrupt while it plays ends the sound there, as a
// sound that has ended (not cut off).
TEST_F(WincePlaySoundTest, ASoundEndsWhereItsFileTurnsOutBroken) {
  wince::test::VirtualClock clock(1000);
  const std::string twoSeconds = PcmWav({1, 16, 2, 44100}, 88200);
  std::string corruptThirdBlock = ImaAdpcmWav(44100, 8);
  corruptThirdBlock[corruptThirdBlock.size() - 6 * 256 + 2] = 100;
  struct Case {
    const char* name;
    std::string bytes;
    size_t keepBytes;   // the file is cut to this length once the sound plays (0: kept)
    uint64_t frames;    // what plays
  } cases[] = {
      {"cut-short.wav", twoSeconds, 44 + 44100 * 4, 44100},
      {"corrupt.wav", corruptThirdBlock, 0, 2 * 505},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wince::test::ClearSoundPlays();
    const std::u16string path = File(c.name, c.bytes);
    ASSERT_TRUE(PlaySound(path.c_str(), nullptr, kFlags));
    ASSERT_TRUE(clock.WaitIdle());
    if (c.keepBytes) {
      ASSERT_EQ(0, truncate((folder_ + "/" + c.name).c_str(), off_t(c.keepBytes)));
    }
    clock.AdvanceTime(3000);
    std::vector<SoundPlay> plays = wince::test::SoundPlays();
    ASSERT_EQ(1u, plays.size());
    EXPECT_TRUE(plays[0].playable);
    EXPECT_EQ(c.frames, plays[0].frames);
    EXPECT_EQ(c.frames, plays[0].totalFrames);
    EXPECT_FALSE(plays[0].cutOff);
  }
}

TEST_F(WincePlaySoundTest, OnlyAsynchronousFilePlaysAreOffered) {
  const std::u16string path = File("tone.wav", PcmWav({1, 16, 1, 8000}, 80000));
  SoundPlay playing = PlayAndWait(path);
  ASSERT_TRUE(playing.playable);
  for (DWORD flags : {DWORD(SND_FILENAME), DWORD(SND_FILENAME | SND_ASYNC | SND_LOOP), DWORD(SND_FILENAME | SND_ASYNC | SND_NOSTOP),
                      DWORD(SND_ALIAS | SND_ASYNC), DWORD(SND_RESOURCE | SND_ASYNC), DWORD(SND_MEMORY | SND_ASYNC), DWORD(SND_ASYNC)}) {
    EXPECT_FALSE(PlaySound(path.c_str(), nullptr, flags)) << std::hex << flags;
  }
  EXPECT_TRUE(PlaySound(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NOWAIT));
  wince::test::WaitSoundIdle();
  std::vector<SoundPlay> plays = wince::test::SoundPlays();
  ASSERT_EQ(2u, plays.size());  // the refused requests left no trace
}

TEST_F(WincePlaySoundTest, DevicePathsIgnoreCase) {
  File("Chime.WAV", PcmWav({1, 16, 1, 8000}, 800));
  std::u16string path = DevicePath("chime.wav");
  SoundPlay play = PlayAndWait(path);
  EXPECT_TRUE(play.playable);
  EXPECT_EQ(path, play.devicePath);
}

}  // namespace
