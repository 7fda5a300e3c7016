// Every input that once crashed, stalled or ballooned one of the loaders is
// kept below tests/fuzz/<format>/regressions, which the fuzzers replay under
// the sanitizers; here the broken images must be refused with a message
// naming the file and what is wrong, and the seeds must load.

#include <IL/il.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem.hpp>
#include <map>
#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "PixelReadingStandIn.h"
#include "lum/render/Texture.h"
#include "lum/resource/TargaHeader.h"
#include "lum/resource/TargaPixels.h"
#include "lum/resource/TextureLoader.h"
#include "lum/util/Exception.h"

using namespace lum;
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

}  // namespace

// The fuzzers keep every file here from crashing the loader; the messages
// must still name the file and say what is wrong with it.
TEST_F(TextureFiles, BrokenImagesAreRefusedNamingTheFileAndTheReason) {
    const std::map<std::string, std::string> reasons = {
        {"empty", "the file has 0 bytes, too few for a Targa header"},
        {"palette-index-past-end", "a pixel names colour 255 of a colour map of 2"},
        {"text-file", "it is not a Targa image (colour map type 104, image type 105)"},
    };
    for (const fs::path& file : filesIn(cases / "texture" / "regressions")) {
        const std::string result = load(file);
        const std::string naming = "Loading of texture file " + file.string() + " failed: ";
        const auto reason = reasons.find(file.stem().string());
        if (reason != reasons.end()) {
            EXPECT_EQ(naming + reason->second + ".", result);
        } else if (result != loaded) {
            EXPECT_EQ(0u, result.find(naming)) << result;
        }
    }
    for (const fs::path& file : filesIn(cases / "texture" / "seeds")) {
        EXPECT_EQ(loaded, load(file));
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
}
