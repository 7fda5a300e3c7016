// Every input that once crashed, stalled or ballooned one of the loaders, and
// the broken replays and records the fuzzers start from, are kept below
// tests/fuzz/<format>/regressions and go through the real loader here; the seed corpora must still
// load. The sanitizer stage runs these too, where an over-read is an error even when it does not
// crash.

#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "PixelReadingStandIn.h"
#include "lum/render/Texture.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/Sound.h"
#include "lum/resource/SoundLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/util/Exception.h"
#include "records/Records.h"
#include "replay/ReplayFile.h"

using namespace lum;
using lum::test::TempDir;
namespace fs = boost::filesystem;

namespace {

const fs::path cases = "tests/fuzz";

std::vector<fs::path> filesIn(const fs::path& directory) {
    std::vector<fs::path> files;
    for (fs::directory_iterator entry(directory), end; entry != end; ++entry) {
        files.push_back(entry->path());
    }
    EXPECT_FALSE(files.empty()) << directory;
    return files;
}

// The message of the loader's failure, or `loaded`.
constexpr auto outcome = &test::failureOf<IOException>;
const std::string loaded = "no exception";

BinaryFile read(const fs::path& file) {
    return ResourceLoader(file.parent_path()).loadBinaryFile(file.filename().string());
}

// Textures here go to a stand-in that reads the pixels as OpenGL would.
class TextureFiles : public ::testing::Test {
protected:
    void SetUp() override {
        TextureLoader::setPixelUpload(&readPixelsLikeOpenGL);
        TextureLoader::instance().clearCache();
        for (const char* const kind : {"regressions", "seeds"}) {
            TextureLoader::instance().addResourceLocation(cases / "texture" / kind);
        }
    }
    void TearDown() override {
        TextureLoader::instance().clearCache();
        TextureLoader::setPixelUpload(nullptr);
    }

    static std::string load(const fs::path& file) {
        return outcome([&] { TextureLoader::instance().load(file.stem().string()); });
    }
};

// Sounds are looked for below "resources/" of the working directory.
class SoundFiles : public ::testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        fs::create_directories(dir.path / "resources");
        for (const fs::path& file : filesIn(cases / "ogg" / "regressions")) {
            fs::copy_file(file, dir.path / "resources" / file.filename());
        }
        fs::current_path(dir.path);
    }
    void TearDown() override { fs::current_path(previous); }

    TempDir dir;
    fs::path previous;
};

}  // namespace

TEST(LoaderRegressions, BrokenModelsAreRefusedNamingTheFileAndSeedsLoad) {
    for (const fs::path& file : filesIn(cases / "md2" / "regressions")) {
        const BinaryFile bytes = read(file);
        const std::string model = file.stem().string();
        const std::string result = outcome(
            [&] { ModelLoader::instance().decode(model, bytes.path, bytes.data, bytes.size); });
        EXPECT_EQ(0u, result.find("MD2 file " + file.string() + " of model " + model + ": "))
            << result;
    }
    for (const fs::path& file : filesIn(cases / "md2" / "seeds")) {
        const BinaryFile bytes = read(file);
        EXPECT_GT(ModelLoader::instance().decode("seed", bytes.data, bytes.size).vertexCount, 0);
    }
}

TEST_F(TextureFiles, BrokenImagesAreRefusedNamingTheFileAndTheReason) {
    const std::string times = " \xC3\x97 ";
    const std::map<std::string, std::string> reasons = {
        {"colour-map-past-end",
         "its header and colour map need 196623 bytes, and the file has 26, "
         "leaving none for pixels"},
        {"declares-65024x16674", "it declares 65024" + times +
                                     "16674 pixels, more than a texture "
                                     "may have (8192" +
                                     times + "8192 pixels, 256 MB decoded)"},
        {"empty", "the file has 0 bytes, too few for a Targa header"},
        {"palette-index-past-end", "a pixel names colour 255 of a colour map of 2"},
        {"run-length-20-bytes", "it declares 4096" + times + "4096 pixels in 20 bytes"},
        {"run-length-24-bytes", "it declares 8000" + times + "8000 pixels in 24 bytes"},
        {"text-file", "it is not a Targa image (colour map type 104, image type 105)"},
        {"truncated-16-bit", "it declares 8" + times + "8 pixels in 36 bytes"},
    };
    for (const fs::path& file : filesIn(cases / "texture" / "regressions")) {
        const auto reason = reasons.find(file.stem().string());
        const std::string expected =
            reason == reasons.end()
                ? loaded
                : "Loading of texture file " + file.string() + " failed: " + reason->second + ".";
        EXPECT_EQ(expected, load(file));
    }
    for (const fs::path& file : filesIn(cases / "texture" / "seeds")) {
        EXPECT_EQ(loaded, load(file));
    }
}

TEST_F(TextureFiles, RowsThatAreNoMultipleOfFourBytesArriveUnsheared) {
    load(cases / "texture" / "regressions" / "rows-of-15-bytes.tga");
    const std::vector<unsigned char>& pixels = lastUploadedPixels();
    ASSERT_EQ(5u * 20 * 3, pixels.size());
    // Bottom-up file rows; every pixel keeps its column's red and its row's green.
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 5; ++column) {
            const unsigned char* pixel = &pixels[(row * 5 + column) * 3];
            EXPECT_EQ(200, pixel[0]);
            EXPECT_EQ(row * 12, pixel[1]) << row;
            EXPECT_EQ(column * 50, pixel[2]) << column;
        }
    }
}

TEST_F(SoundFiles, UndecodableSoundsStaySilentWithOneWarningNamingTheFile) {
    for (const fs::path& file : filesIn("resources")) {
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

TEST(LoaderRegressions, BrokenReplaysAreRefusedNamingTheFileAndLineAndSeedsRead) {
    for (const fs::path& file : filesIn(cases / "replay" / "regressions")) {
        try {
            ReplayReader::load(file.string());
            ADD_FAILURE() << file << " was read";
        } catch (const ReplayFileError& e) {
            EXPECT_TRUE(
                std::regex_search(e.getMessage(), std::regex("^" + file.string() + ":[1-9]")))
                << e.getMessage();
        }
    }
    for (const fs::path& file : filesIn(cases / "replay" / "seeds")) {
        EXPECT_NO_THROW(ReplayReader::load(file.string())) << file;
    }
}

TEST(LoaderRegressions, BrokenRecordsAreSetAsideWithOneWarningAndSeedsRead) {
    for (const char* const kind : {"regressions", "seeds"}) {
        for (const fs::path& file : filesIn(cases / "records" / kind)) {
            SCOPED_TRACE(file);
            TempDir place;
            fs::copy_file(file, place.path / Records::fileName);
            ::testing::internal::CaptureStderr();
            Records records(place.path);
            const std::string told = ::testing::internal::GetCapturedStderr();
            const bool damaged = std::string(kind) == "regressions";
            EXPECT_EQ(damaged ? 1 : 0, std::count(told.begin(), told.end(), '\n')) << told;
            EXPECT_EQ(damaged, fs::exists(place.path / "records.cfg.damaged"));
        }
    }
}
