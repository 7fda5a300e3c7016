// Every input that once crashed, stalled or ballooned one of the loaders, and
// the broken replays and records the fuzzers start from, are kept below
// tests/fuzz/<format>/regressions and go through the real loader here; the seed corpora must still
// load. The sanitizer stage runs these too, where an over-read is an error even when it does not
// crash.

#include <IL/il.h>
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
#include "lum/resource/TargaHeader.h"
#include "lum/resource/TargaPixels.h"
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

// DevIL's RGB rows of a Targa image, for the files its own decoding is checked against.
std::vector<unsigned char> devilPixels(const BinaryFile& file) {
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    std::vector<unsigned char> rgb;
    if (ilLoadL(IL_TGA, file.data.get(), static_cast<ILuint>(file.size)) == IL_TRUE &&
        ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE) == IL_TRUE) {
        rgb.assign(ilGetData(), ilGetData() + ilGetInteger(IL_IMAGE_SIZE_OF_DATA));
    }
    ilDeleteImages(1, &image);
    return rgb;
}

// The game's own images skip DevIL; what they decode to must be what DevIL
// made of them, and files of other kinds or with pixel data cut short are
// left to DevIL.
TEST(LoaderRegressions, PlainTargaImagesDecodeToDevilsPixels) {
    std::vector<fs::path> files = filesIn("resources/textures");
    const std::size_t shipped = files.size();
    for (const char* const kind : {"regressions", "seeds"}) {
        const std::vector<fs::path> more = filesIn(cases / "texture" / kind);
        files.insert(files.end(), more.begin(), more.end());
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i]);
        const BinaryFile file = read(files[i]);
        TargaHeader header;
        try {
            header = TargaHeader::check(file.path, file.data.get(), file.size);
        } catch (const IOException&) {
            continue;
        }
        const std::unique_ptr<unsigned char[]> plain =
            decodePlainTarga(header, file.data.get(), file.size);
        EXPECT_TRUE(plain || i >= shipped);
        if (plain) {
            const std::vector<unsigned char> devil = devilPixels(file);
            ASSERT_EQ(3u * header.width * header.height, devil.size());
            EXPECT_TRUE(std::equal(devil.begin(), devil.end(), plain.get()));
        }
    }
    // A 2 x 1 run-length image: a run of two, two single pixels, then
    // packets that run past the last pixel or end early.
    const std::vector<unsigned char> head = {0, 0, 10, 0, 0, 0, 0, 0,  0,
                                             0, 0, 0,  2, 0, 1, 0, 24, 0};
    const std::vector<std::pair<std::vector<unsigned char>, bool>> packets = {
        {{0x81, 1, 2, 3}, true},  {{0x00, 1, 2, 3, 0x00, 4, 5, 6}, true},
        {{0x82, 1, 2, 3}, false}, {{0x01, 1, 2, 3}, false},
        {{0x00, 1, 2, 3}, false},
    };
    for (const auto& packet : packets) {
        std::vector<unsigned char> bytes = head;
        bytes.insert(bytes.end(), packet.first.begin(), packet.first.end());
        const TargaHeader header = TargaHeader::check("tiny.tga", bytes.data(), bytes.size());
        EXPECT_EQ(packet.second, decodePlainTarga(header, bytes.data(), bytes.size()) != nullptr)
            << bytes.size();
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
