#include "shell/DataDirectory.h"

#include <cstdlib>

#include <boost/filesystem/operations.hpp>

#include "BuildInfo.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

struct Candidate {
    fs::path directory;
    const char* origin;
};

// The data directory itself, or the parent of a "resources" directory that
// was named instead.
bool dataRootOf(const fs::path& candidate, fs::path& root) {
    if (DataDirectory::holdsData(candidate)) {
        root = candidate;
        return true;
    }
    if (candidate.filename() == "resources" && DataDirectory::holdsData(candidate.parent_path())) {
        root = candidate.parent_path();
        return true;
    }
    return false;
}

// Without "." and ".." parts and without a trailing separator, so that one
// directory always reads the same.
fs::path normalised(const fs::path& directory) {
    const fs::path normal = directory.lexically_normal();
    return normal.filename_is_dot() ? normal.parent_path() : normal;
}

// Relative to `base`, unless the working directory is gone and there is none.
fs::path absoluteIn(const fs::path& base, const std::string& directory) {
    return normalised(base.empty() ? fs::path(directory) : fs::absolute(fs::path(directory), base));
}

// The program's own file, from the kernel; the working directory when the
// kernel does not tell.
fs::path programDirectory(const fs::path& workingDirectory) {
    boost::system::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? workingDirectory : program.parent_path();
}

std::string listOf(const std::vector<Candidate>& tried) {
    std::string list;
    for (const Candidate& candidate : tried) {
        list += (list.empty() ? "" : ", ") + candidate.directory.string() + " (" +
                candidate.origin + ")";
    }
    return list;
}

std::vector<Candidate> searchedPlaces(const DataSources& sources) {
    std::vector<Candidate> places{{sources.workingDirectory, "current directory"}};
    for (const fs::path& installed : sources.installed) {
        places.push_back({installed, "installed game"});
    }
    places.push_back({sources.programDirectory, "program directory"});
    places.push_back({sources.programDirectory.parent_path(), "build tree"});
    std::vector<Candidate> distinct;
    for (Candidate& place : places) {
        place.directory = normalised(place.directory);
        bool seen = false;
        for (const Candidate& earlier : distinct) {
            seen = seen || earlier.directory == place.directory;
        }
        if (!seen && !place.directory.empty()) {
            distinct.push_back(place);
        }
    }
    return distinct;
}

fs::path chosen(const std::string& directory, const char* origin, const fs::path& base) {
    const fs::path candidate = absoluteIn(base, directory);
    fs::path root;
    if (!dataRootOf(candidate, root)) {
        throw DataNotFound("no game data in " + candidate.string() + " (" + origin +
                           "): it has no resources/settings.cfg");
    }
    return root;
}

}  // namespace

const char* const DataDirectory::environmentVariable = "GLIMMET_DATA";

bool DataDirectory::holdsData(const fs::path& directory) {
    boost::system::error_code error;
    return fs::is_regular_file(directory / "resources" / "settings.cfg", error);
}

DataSources DataDirectory::sourcesOf(const std::string& option) {
    DataSources sources;
    sources.option = option;
    const char* environment = std::getenv(environmentVariable);
    sources.environment = environment != nullptr ? environment : "";
    boost::system::error_code gone;
    sources.workingDirectory = fs::current_path(gone);
    sources.programDirectory = programDirectory(sources.workingDirectory);
    sources.installed = {sources.programDirectory / build::dataFromBinaries,
                         fs::path(build::installedData)};
    return sources;
}

fs::path DataDirectory::find(const DataSources& sources) {
    if (!sources.option.empty()) {
        return chosen(sources.option, "given with --data", sources.workingDirectory);
    }
    if (!sources.environment.empty()) {
        return chosen(sources.environment, "given in GLIMMET_DATA", sources.workingDirectory);
    }
    const std::vector<Candidate> places = searchedPlaces(sources);
    for (const Candidate& place : places) {
        if (holdsData(place.directory)) {
            return place.directory;
        }
    }
    throw DataNotFound("no game data (resources/settings.cfg) in " + listOf(places) +
                       "; install the game, or name the directory that holds resources/ "
                       "with --data DIR or GLIMMET_DATA=DIR");
}

void DataDirectory::enter(const DataSources& sources) {
    const fs::path directory = find(sources);
    boost::system::error_code error;
    fs::current_path(directory, error);
    if (error) {
        throw DataNotFound("cannot enter the game data in " + directory.string() + ": " +
                           error.message());
    }
}

}  // namespace lum
