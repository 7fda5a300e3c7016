#include <gtest/gtest.h>

#include <AL/al.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "ConfigFixture.h"
#include "lum/resource/Sound.h"
#include "lum/resource/SoundLoader.h"

using namespace lum;
using lum::test::TempResources;

namespace {

// Encodes a short tone with oggenc (vorbis-tools) into `name`.ogg.
void encodeTone(const TempResources& resources, const std::string& name, int channels, int rate) {
    std::vector<short> samples(static_cast<std::size_t>(rate / 4) * channels);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<short>(8000 * std::sin(i * 0.05));
    }
    resources.write(name + ".raw", std::string(reinterpret_cast<const char*>(samples.data()),
                                               samples.size() * sizeof(short)));
    const std::string command = "oggenc -Q -r -B 16 -C " + std::to_string(channels) + " -R " +
                                std::to_string(rate) + " -o " + name + ".ogg " + name + ".raw";
    EXPECT_EQ(0, std::system(command.c_str())) << command;
}

// The sound tests run from a scratch directory with its own resources/, so
// the loader's "resources/" finds the test's files.
class SoundTest : public ::testing::Test {
protected:
    ALint bufferProperty(const Sound& sound, ALenum property) const {
        ALint buffer = 0;
        alGetSourcei(sound.getSource(), AL_BUFFER, &buffer);
        ALint value = 0;
        alGetBufferi(static_cast<ALuint>(buffer), property, &value);
        return value;
    }

    const boost::filesystem::path previous = boost::filesystem::current_path();
    const TempResources resources;
};

}  // namespace

TEST_F(SoundTest, MonoAndStereoGiveSixteenBitBuffersAtTheirRateAndPlayLeavesAPlayingSoundAlone) {
    encodeTone(resources, "resources/mono", 1, 22050);
    encodeTone(resources, "resources/stereo", 2, 44100);
    ASSERT_FALSE(SoundLoader::instance().isSilent()) << "tests expect OpenAL's null output";
    const boost::shared_ptr<Sound> mono = SoundLoader::instance().load("mono");
    const boost::shared_ptr<Sound> stereo = SoundLoader::instance().load("stereo");
    EXPECT_EQ(22050, bufferProperty(*mono, AL_FREQUENCY));
    EXPECT_EQ(2, bufferProperty(*stereo, AL_CHANNELS));
    EXPECT_EQ(16, bufferProperty(*stereo, AL_BITS));

    // A second play leaves a playing sound alone.
    Sound* const music = mono.get();
    ALint looping = 0;
    music->play(true, false);
    EXPECT_TRUE(music->isPlaying());
    music->play(false, false);
    alGetSourcei(music->getSource(), AL_LOOPING, &looping);
    EXPECT_EQ(AL_TRUE, looping) << "the second play changed the playing sound";
    music->stop();
    music->play(false, false);
    alGetSourcei(music->getSource(), AL_LOOPING, &looping);
    EXPECT_EQ(AL_FALSE, looping);
    music->stop();
}

// The files that once broke the decoder, which the fuzzers replay: each is
// refused once, with one warning naming it, and then stays silent.
TEST_F(SoundTest, UndecodableSoundsStaySilentWithOneWarningNamingTheFile) {
    const boost::filesystem::path regressions = previous / "tests/fuzz/ogg/regressions";
    for (boost::filesystem::directory_iterator entry(regressions), end; entry != end; ++entry) {
        const boost::filesystem::path file = "resources" / entry->path().filename();
        boost::filesystem::copy_file(entry->path(), file);
        ::testing::internal::CaptureStderr();
        const boost::shared_ptr<Sound> sound = SoundLoader::instance().load(file.stem().string());
        EXPECT_EQ(sound, SoundLoader::instance().load(file.stem().string()));
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        if (sound->isSilent()) {
            EXPECT_EQ(0u, warnings.find("SoundLoader : WARNING: Sound file " + file.string()))
                << warnings;
            EXPECT_EQ(1, std::count(warnings.begin(), warnings.end(), '\n')) << warnings;
        } else {
            EXPECT_EQ("", warnings);
        }
    }
}
