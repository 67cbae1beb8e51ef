// Start-up reaches the Home page whatever it finds: built into one folder per content
// situation (the test content, nothing at all, a skin of corrupt images with an empty
// sounds folder), each run with a sound registry and with a damaged one.
#include "AppRun.h"
#include "touchui/TouchCheckBox.h"
#include "touchui/TouchCombo.h"

namespace {

using namespace apptest;
using G = AppGlobals;

struct RegistryCase {
  const char* name;
  const char* lines;
};
void PrintTo(const RegistryCase& c, std::ostream* os) { *os << c.name; }

class StartUpTest : public AppRun, public ::testing::WithParamInterface<RegistryCase> {};

TEST_P(StartUpTest, ReachesHomeWithTheToggleOff) {
  if (GetParam().lines) WriteSettings(GetParam().lines);
  StartLoaded();
  EXPECT_TRUE(G::Screen.load()->IsVisible());
  EXPECT_TRUE(G::HomePage.load()->IsVisible());
  EXPECT_TRUE(G::TabHome.load()->IsChecked());
  EXPECT_EQ(TextOf(G::MotionToggle.load()), u"OFF");
  // The program answers: the Settings page comes up and the toggle switches.
  Navigate(G::TabSettings.load());
  EXPECT_TRUE(G::SettingsPage.load()->IsVisible());
  Navigate(G::TabHome.load());
  Tap(G::MotionToggle.load());
  EXPECT_EQ(TextOf(G::MotionToggle.load()), u"ON");
  EXPECT_EQ(CloseAndWait(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Registries, StartUpTest,
    ::testing::Values(RegistryCase{"None", nullptr},
                      RegistryCase{"OutOfRangeAndWronglyTyped",
                                   "\"SensitivityX\"=dword:0000000b\n\"SensitivityY\"=dword:ffffffff\n"
                                   "\"SensitivityZ\"=\"7\"\n\"XButtonClose\"=\"yes\"\n\"AnimationsOn\"=dword:00000002\n"
                                   "\"SoundSlot1Name\"=dword:00000001\n\"SoundSlot2Name\"=\"Missing.wav\"\n"
                                   "\"SoundSlot3Folder\"=\"..\\\\..\\\\..\"\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
