#include "ConfigChecker.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/filesystem.hpp>

#include "TopLevel.h"
#include "lum/config/Diagnostics.h"
#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"

namespace lum {

namespace fs = boost::filesystem;

namespace {

const std::string extension = ".cfg";
const std::string prefix = "resources/";

// Ends a file's load at its first diagnostic; not a lum::Exception, so no
// guard on the way out takes it for a failure of its own.
struct FirstErrorReported {};

void printAndStop(DiagnosticKind, const std::string& message) {
    std::cerr << message;
    throw FirstErrorReported();
}

// Runs `load` as the game would, reporting any exception the way the game's
// outermost handler does. Returns whether it finished without any error.
template <class Load>
bool loadsCleanly(const Load& load) {
    bool clean = false;
    runGuarded(
        [&] {
            try {
                load();
                clean = true;
            } catch (const FirstErrorReported&) {
            }
        },
        std::cerr);
    return clean;
}

std::vector<fs::path> configurationFiles() {
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator entry("resources"), end; entry != end; ++entry) {
        if (fs::is_regular_file(entry->path()) &&
            boost::algorithm::ends_with(entry->path().filename().string(), extension)) {
            files.push_back(entry->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Where the game's search for `file`'s bare name ends, or empty when it fails.
std::string foundByName(const fs::path& file) {
    try {
        return ConfigLoader::instance().findFile(file.filename().string());
    } catch (const Exception&) {
        return std::string();
    }
}

std::string keyText(const Setting& key) {
    if (key.isString()) {
        return key.asString();
    }
    std::ostringstream out;
    key.streamTo(out);
    return out.str();
}

bool holdsContainers(const Setting& list) {
    for (unsigned int i = 0; i < list.size(); ++i) {
        if (list(static_cast<int>(i)).isList() || list(static_cast<int>(i)).isGroup()) {
            return true;
        }
    }
    return false;
}

void printValue(const std::string& label, const Setting& value, int indent, std::ostream& out) {
    out << std::string(static_cast<std::size_t>(indent), ' ') << label;
    if (value.isGroup()) {
        out << " : " << value.typeName() << "\n";
        std::map<std::string, Setting> entries;
        for (const boost::shared_ptr<Setting::Iterator> it = value.iterator(); it->hasNext();) {
            const Setting entry = it->next();
            entries[keyText(entry.first())] = entry.second();
        }
        for (const auto& entry : entries) {
            printValue(entry.first, entry.second, indent + 2, out);
        }
    } else if (value.isList() && holdsContainers(value)) {
        out << " : List\n";
        for (unsigned int i = 0; i < value.size(); ++i) {
            printValue("[" + std::to_string(i) + "]", value(static_cast<int>(i)), indent + 2, out);
        }
    } else {
        out << " = ";
        value.streamTo(out);
        out << "\n";
    }
}

}  // namespace

ConfigChecker::ConfigChecker() { setDiagnosticHandler(&printAndStop); }

ConfigChecker::~ConfigChecker() { setDiagnosticHandler(&printDiagnostic); }

int ConfigChecker::checkAll(std::ostream& out) const {
    const std::vector<fs::path> files = configurationFiles();
    int failed = 0;
    for (const fs::path& file : files) {
        const std::string relative = file.string().substr(prefix.size());
        // Loaded by its bare name, as the game loads it, unless another file
        // of that name shadows it: then by its path, so it is checked anyway.
        const std::string found = foundByName(file);
        const bool shadowed = !found.empty() && found != file.string();
        const std::string name = found == file.string() ? file.filename().string() : relative;
        const bool clean = loadsCleanly(
            [&] { loadFile(ConfigLoader::instance(), name, Setting::newGroup(), 0); });
        failed += clean ? 0 : 1;
        out << (clean ? "ok      " : "FAILED  ") << relative;
        if (shadowed) {
            out << " (the game finds " << found.substr(prefix.size()) << " by this name)";
        }
        out << std::endl;
    }
    out << files.size() << " files checked, " << failed << " with errors" << std::endl;
    return failed;
}

bool ConfigChecker::printTree(const std::string& name, std::ostream& out) const {
    const std::string bare = boost::algorithm::ends_with(name, extension)
                                 ? name.substr(0, name.size() - extension.size())
                                 : name;
    Setting configuration;
    if (!loadsCleanly([&] { configuration = ConfigLoader::instance().load(bare); })) {
        return false;
    }
    printValue(bare, configuration, 0, out);
    return true;
}

}  // namespace lum
