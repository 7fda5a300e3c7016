#include "flow/LevelCatalogue.h"

#include <algorithm>

#include <boost/filesystem/operations.hpp>

#include "lum/resource/ConfigLoader.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"
#include "records/Records.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

const std::string extension = ".cfg";
const char* const dataLevels = "resources/levels";
// The command line takes level numbers of two digits.
const int mostLevels = 99;

std::string shippedName(int number) {
    return "level" + std::to_string(number);
}

// Where the game finds the shipped level `name`; empty when it has none.
std::string shippedFile(const std::string& name) {
    try {
        return ConfigLoader::instance().findFile(name + extension);
    } catch (const IOException&) {
        return std::string();
    }
}

bool sameFile(const fs::path& one, const fs::path& other) {
    boost::system::error_code error;
    return fs::equivalent(one, other, error);
}

// The level files directly in `directory`, in the order of their names.
std::vector<fs::path> levelFilesIn(const fs::path& directory) {
    std::vector<fs::path> files;
    boost::system::error_code error;
    if (directory.empty() || !fs::is_directory(directory, error)) {
        return files;
    }
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == extension && fs::is_regular_file(entry->path(), error)) {
            files.push_back(fs::absolute(entry->path()).lexically_normal());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// What the game loads for the level file `file`: its path without ".cfg".
std::string nameOfFile(const fs::path& file) {
    return (file.parent_path() / file.stem()).string();
}

}  // namespace

bool CataloguedLevel::playable() const {
    return problem.empty();
}

const char* originName(LevelOrigin origin) {
    switch (origin) {
        case LevelOrigin::shipped:
            return "shipped";
        case LevelOrigin::data:
            return "data";
        case LevelOrigin::player:
            return "player";
        case LevelOrigin::file:
            return "file";
    }
    return "";
}

fs::path LevelCatalogue::playerDirectory() {
    const fs::path own = Records::userDirectory();
    return own.empty() ? own : own / "levels";
}

LevelCatalogue LevelCatalogue::find(const fs::path& playerLevels) {
    LUM_TRACE_BEGIN
    LevelCatalogue catalogue;
    for (int number = 1; number <= mostLevels; ++number) {
        const std::string file = shippedFile(shippedName(number));
        if (file.empty()) {
            break;
        }
        catalogue.add(shippedName(number), file, LevelOrigin::shipped);
    }
    catalogue.addFilesIn(dataLevels, LevelOrigin::data);
    catalogue.addFilesIn(playerLevels, LevelOrigin::player);
    return catalogue;
    LUM_TRACE_END
}

void LevelCatalogue::addFilesIn(const fs::path& directory, LevelOrigin origin) {
    LUM_TRACE_BEGIN
    for (const fs::path& file : levelFilesIn(directory)) {
        const bool listed = std::any_of(found.begin(), found.end(), [&](const CataloguedLevel& l) {
            return sameFile(l.file, file);
        });
        if (!listed && found.size() < static_cast<std::size_t>(mostLevels)) {
            add(nameOfFile(file), file.string(), origin);
        }
    }
    LUM_TRACE_END
}

int LevelCatalogue::addFile(const fs::path& path) {
    LUM_TRACE_BEGIN
    const fs::path file = fs::absolute(path).lexically_normal();
    for (const CataloguedLevel& level : found) {
        if (sameFile(level.file, file)) {
            return level.number;
        }
    }
    if (file.extension() != extension) {
        found.push_back(
            CataloguedLevel{static_cast<int>(found.size()) + 1, file.string(), file.stem().string(),
                            LevelOrigin::file, file.string(),
                            LevelProblem{file.string(), 0, 0, "a level file's name ends in .cfg"}});
        return found.back().number;
    }
    add(nameOfFile(file), file.string(), LevelOrigin::file);
    return found.back().number;
    LUM_TRACE_END
}

void LevelCatalogue::add(const std::string& name, const std::string& file, LevelOrigin origin) {
    LUM_TRACE_BEGIN
    found.push_back(CataloguedLevel{static_cast<int>(found.size()) + 1, name,
                                    fs::path(file).stem().string(), origin, file,
                                    checkLevel(name, file, LevelTrial::files)});
    LUM_TRACE_END
}

const std::vector<CataloguedLevel>& LevelCatalogue::levels() const {
    return found;
}

const CataloguedLevel* LevelCatalogue::byNumber(int number) const {
    return number >= 1 && number <= static_cast<int>(found.size()) ? &found[number - 1] : nullptr;
}

std::vector<std::string> LevelCatalogue::names() const {
    std::vector<std::string> names;
    for (const CataloguedLevel& level : found) {
        names.push_back(level.name);
    }
    return names;
}

}  // namespace lum
