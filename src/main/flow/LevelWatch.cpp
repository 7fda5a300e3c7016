#include "flow/LevelWatch.h"

#include <iostream>

#include <boost/filesystem/operations.hpp>

#include "lum/util/Trace.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

const char* const dataFiles = "resources";

void stampFile(const fs::path& path, FileStamps& stamps) {
    if (const boost::optional<FileStamp> stamp = FileStamp::of(path.string())) {
        stamps[path.string()] = *stamp;
    }
}

void stampConfigurationsBelow(const fs::path& directory, FileStamps& stamps) {
    boost::system::error_code error;
    if (!fs::is_directory(directory, error)) {
        return;
    }
    for (fs::recursive_directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == ".cfg") {
            stampFile(entry->path(), stamps);
        }
    }
}

}  // namespace

FileStamps stampsOf(const std::vector<fs::path>& directories, const std::vector<fs::path>& files) {
    FileStamps stamps;
    for (const fs::path& directory : directories) {
        stampConfigurationsBelow(directory, stamps);
    }
    for (const fs::path& file : files) {
        stampFile(file, stamps);
    }
    return stamps;
}

const double LevelWatch::pollInterval = 0.25;

LevelWatch::LevelWatch(const std::string& name, const fs::path& file)
    : name(name), file(file), stamps(stampsNow()), lastSeen(stamps), lastLook(0.0), tried(false) {}

FileStamps LevelWatch::stampsNow() const {
    // The level's own directory only when it lies outside the data: the
    // data's files are all looked at anyway.
    std::vector<fs::path> directories{dataFiles};
    if (file.is_absolute()) {
        directories.push_back(file.parent_path());
    }
    return stampsOf(directories, {file});
}

// True when the files differ from what the level was last built from and
// are as the look before found them; they are then what it is built from.
bool LevelWatch::settledChange() {
    FileStamps seen = stampsNow();
    const bool settled = seen == lastSeen;
    lastSeen = seen;
    if (!settled || seen == stamps) {
        return false;
    }
    stamps.swap(seen);
    return true;
}

const std::string& LevelWatch::levelName() const {
    return name;
}

bool LevelWatch::restartDue(double now) {
    LUM_TRACE_BEGIN
    if (now >= lastLook && now - lastLook < pollInterval) {
        return false;
    }
    lastLook = now;
    if (!settledChange()) {
        return false;
    }
    current = checkLevel(name, file.string(), LevelTrial::objects);
    if (!current.empty()) {
        std::cerr << "glimmet: the level is kept as it was: " << current.message() << std::endl;
        return false;
    }
    return true;
    LUM_TRACE_END
}

bool LevelWatch::startable() {
    LUM_TRACE_BEGIN
    if (!tried || settledChange()) {
        tried = true;
        current = checkLevel(name, file.string(), LevelTrial::objects);
    }
    return current.empty();
    LUM_TRACE_END
}

const LevelProblem& LevelWatch::problem() const {
    return current;
}

void LevelWatch::restarted() const {
    std::cout << "glimmet: " << file.string() << " changed: the level started again" << std::endl;
}

void LevelWatch::restartFailed(const LevelProblem& failure) {
    current = failure;
    std::cerr << "glimmet: the level did not start again: " << current.message() << std::endl;
}

}  // namespace lum
