#include <gtest/gtest.h>

#include <cstdlib>

#include "lum/resource/Sound.h"
#include "lum/resource/SoundLoader.h"

using namespace lum;

// Run with an OpenAL driver list that opens nothing (see tests/CMakeLists.txt):
// the game goes on silently instead of failing at its first sound.
TEST(SilentSound, WithoutAnAudioDeviceSoundsLoadAndPlayNothing) {
    const char* drivers = std::getenv("ALSOFT_DRIVERS");
    if (drivers == nullptr || std::string(drivers) != "no-such-driver") {
        GTEST_SKIP() << "needs ALSOFT_DRIVERS=no-such-driver";
    }
    ::testing::internal::CaptureStderr();
    const boost::shared_ptr<Sound> roll = SoundLoader::instance().load("SFXroll");
    const std::string warning = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(SoundLoader::instance().isSilent());
    EXPECT_NE(std::string::npos, warning.find("SoundLoader : WARNING: no audio device"));
    EXPECT_TRUE(roll->isSilent());
    roll->play(true, true);
    EXPECT_FALSE(roll->isPlaying());
}
