#include "ConfigChecker.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/filesystem.hpp>

#include "LevelPlan.h"
#include "ScriptCheck.h"
#include "lum/config/ConfigSchema.h"
#include "lum/config/Diagnostics.h"
#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/util/Exception.h"

namespace lum {

namespace fs = boost::filesystem;

namespace {

const std::string extension = ".cfg";
const std::string gameRoot = "resources";

// Ends a file's load at its first fatal diagnostic; not a lum::Exception, so
// no guard on the way out takes it for a failure of its own.
struct FirstErrorReported {};

// The checker that the configuration language's diagnostics go to.
ConfigChecker* current = nullptr;

void collect(const Diagnostic& diagnostic) {
    const Severity severity =
        diagnostic.kind == DiagnosticKind::Note ? Severity::Note : Severity::Error;
    current->add(Finding{current->shown(diagnostic.path), diagnostic.line, diagnostic.column,
                         severity, diagnostic.text});
    if (diagnostic.kind == DiagnosticKind::Fatal) {
        throw FirstErrorReported();
    }
}

std::string withoutExtension(const std::string& name) {
    return boost::algorithm::ends_with(name, extension)
               ? name.substr(0, name.size() - extension.size())
               : name;
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
    for (const auto element = list.iterator(); element->hasNext();) {
        const Setting value = element->next();
        if (value.isList() || value.isGroup()) {
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
        int index = 0;
        for (const auto element = value.iterator(); element->hasNext(); ++index) {
            printValue("[" + std::to_string(index) + "]", element->next(), indent + 2, out);
        }
    } else {
        out << " = ";
        value.streamTo(out);
        out << "\n";
    }
}

}  // namespace

ConfigChecker::ConfigChecker(const std::string& shownRoot) : shownRoot(shownRoot) {
    current = this;
    setDiagnosticHandler(&collect);
}

ConfigChecker::~ConfigChecker() {
    setDiagnosticHandler(&printDiagnostic);
    current = nullptr;
}

std::vector<std::string> ConfigChecker::filesBelow(const std::string& relative) const {
    std::vector<std::string> files;
    const fs::path directory =
        relative.empty() ? fs::path(gameRoot) : fs::path(gameRoot) / relative;
    for (fs::recursive_directory_iterator entry(directory), end; entry != end; ++entry) {
        if (fs::is_regular_file(entry->path()) &&
            boost::algorithm::ends_with(entry->path().filename().string(), extension)) {
            files.push_back(entry->path().string().substr(gameRoot.size() + 1));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void ConfigChecker::check(const std::string& relative) {
    const fs::path file = fs::path(gameRoot) / relative;
    // Loaded by its bare name, as the game loads it, unless another file of
    // that name shadows it: then by its path, so it is checked anyway.
    const std::string found = foundByName(file);
    const bool shadowed = !found.empty() && fs::path(found) != file;
    if (shadowed) {
        add(Finding{shown(file.string()), 1, 1, Severity::Warning,
                    "the game never loads this file: it finds " + shown(found) + " by the name " +
                        file.filename().string()});
    }
    const std::string name = shadowed ? relative : file.filename().string();
    Setting configuration;
    if (load(name, relative, configuration)) {
        checkKeys(withoutExtension(file.filename().string()), configuration);
        checkEvents(withoutExtension(file.filename().string()), relative, configuration);
    }
}

void ConfigChecker::checkOutside(const std::string& file) {
    const fs::path path(file);
    ResourceLoader besideFirst(path.parent_path());
    besideFirst.addResourceLocation(gameRoot);
    Setting configuration;
    if (load(besideFirst, path.filename().string(), file, configuration)) {
        checkKeys(file, configuration);
    }
}

bool ConfigChecker::load(const std::string& name, const std::string& relative, Setting& result) {
    return load(ConfigLoader::instance(), name, gameRoot + "/" + relative, result);
}

bool ConfigChecker::load(ResourceLoader& resources, const std::string& name,
                         const std::string& shownFile, Setting& result) {
    const std::size_t errorsBefore = count(Severity::Error);
    try {
        result = loadFile(resources, name, Setting::newGroup(), 0);
    } catch (const FirstErrorReported&) {
    } catch (const Exception& e) {
        add(Finding{shown(shownFile), 1, 1, Severity::Error, e.getMessage()});
    } catch (const std::exception& e) {
        add(Finding{shown(shownFile), 1, 1, Severity::Error, e.what()});
    }
    return count(Severity::Error) == static_cast<int>(errorsBefore);
}

void ConfigChecker::checkKeys(const std::string& name, const Setting& configuration) {
    const std::vector<SchemaWarning> warnings =
        checkAgainstSchema(documentOf(name, configuration), configuration);
    for (const SchemaWarning& warning : warnings) {
        if (warning.positioned) {
            add(Finding{shown(warning.position.path), warning.position.line,
                        warning.position.column, Severity::Warning, warning.text});
        }
    }
}

// A level's events against its own objects and layout. A level whose plan
// cannot be drawn (a model that does not load) is checked for kinds alone:
// what stops the plan is reported where it is found.
void ConfigChecker::checkEvents(const std::string& name, const std::string& relative,
                                const Setting& configuration) {
    if (documentOf(name, configuration) != ConfigDocument::Level) {
        return;
    }
    std::unique_ptr<LevelPlan> plan;
    try {
        plan.reset(new LevelPlan(name));
    } catch (const Exception&) {
    } catch (const std::exception&) {
    }
    for (const ScriptProblem& problem : checkLevelScript(configuration, plan.get())) {
        const SourcePosition& at = problem.where;
        add(problem.positioned
                ? Finding{shown(at.path), at.line, at.column, Severity::Warning, problem.text}
                : Finding{shown(gameRoot + "/" + relative), 1, 1, Severity::Warning, problem.text});
    }
}

const std::vector<Finding>& ConfigChecker::findings() const {
    return found;
}

int ConfigChecker::count(Severity severity) const {
    return static_cast<int>(std::count_if(
        found.begin(), found.end(), [&](const Finding& f) { return f.severity == severity; }));
}

bool ConfigChecker::printTree(const std::string& name, std::ostream& out) {
    const std::string bare = withoutExtension(name);
    Setting configuration;
    if (!load(bare + extension, bare + extension, configuration)) {
        return false;
    }
    printValue(bare, configuration, 0, out);
    return true;
}

void ConfigChecker::add(const Finding& finding) {
    // Prototypes are checked with every file that uses them: each place once.
    const std::string place = finding.file + ":" + std::to_string(finding.line) + ":" +
                              std::to_string(finding.column) + ":" + finding.text;
    if (told.insert(place).second) {
        found.push_back(finding);
    }
}

std::string ConfigChecker::shown(const std::string& gamePath) const {
    std::string below = gamePath;
    if (boost::algorithm::starts_with(below, gameRoot + "/")) {
        below = below.substr(gameRoot.size() + 1);
        while (!below.empty() && below[0] == '/') {
            below.erase(0, 1);
        }
        return (fs::path(shownRoot) / below).string();
    }
    return gamePath;
}

}  // namespace lum
