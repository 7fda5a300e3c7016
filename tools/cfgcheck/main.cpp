// glimmet-cfgcheck: checks the game's configuration files without the game.
//
//   glimmet-cfgcheck [--strict] [--json] [--resources DIR] PATH...
//       loads each .cfg file PATH, or every one below the directory PATH, as
//       the game would, and reports errors and the keys the game will not
//       read as written, as "file:line:col: error|warning: text" lines (or
//       JSON with --json)
//   glimmet-cfgcheck [--resources DIR] --tree NAME
//       prints the configuration NAME as a tree
//
// The resource directory is DIR, else the nearest directory holding
// "prototypes.cfg" at or above the first PATH, else "resources".
// Exit status: 0 clean, 1 errors (or warnings with --strict), 2 wrong use.

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <boost/filesystem.hpp>

#include "ConfigChecker.h"
#include "ResourceRoot.h"

namespace fs = boost::filesystem;

namespace {

const int clean = 0;
const int foundProblems = 1;
const int wrongUse = 2;

struct Options {
    bool strict = false;
    bool json = false;
    std::string resources;
    std::string tree;
    std::vector<std::string> paths;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const char* const usage =
    "usage: glimmet-cfgcheck [--strict] [--json] [--resources DIR] PATH...\n"
    "       glimmet-cfgcheck [--resources DIR] --tree NAME\n";

std::string valueOf(int& i, int argc, char** argv) {
    if (i + 1 >= argc) {
        throw UsageError(std::string(argv[i]) + " needs a value");
    }
    return argv[++i];
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--strict") {
            options.strict = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--resources") {
            options.resources = valueOf(i, argc, argv);
        } else if (argument == "--tree") {
            options.tree = valueOf(i, argc, argv);
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option " + argument);
        } else {
            options.paths.push_back(argument);
        }
    }
    if (options.paths.empty() == options.tree.empty()) {
        throw UsageError(options.paths.empty() ? "nothing to check"
                                               : "--tree takes no paths");
    }
    return options;
}

// The nearest directory at or above `path` that holds "prototypes.cfg".
fs::path resourceDirectoryOf(const fs::path& path) {
    fs::path directory = fs::absolute(fs::is_directory(path) ? path : path.parent_path());
    for (; !directory.empty(); directory = directory.parent_path()) {
        if (fs::exists(directory / "prototypes.cfg")) {
            return directory;
        }
        if (directory == directory.root_path()) {
            break;
        }
    }
    throw UsageError("no prototypes.cfg at or above " + path.string() +
                     "; name the resource directory with --resources");
}

fs::path resourceDirectory(const Options& options) {
    if (!options.resources.empty()) {
        return options.resources;
    }
    return options.paths.empty() ? fs::path("resources") : resourceDirectoryOf(options.paths[0]);
}

// How the user would write `directory` from here.
std::string shownPath(const fs::path& directory) {
    const fs::path shown = fs::relative(fs::absolute(directory), fs::current_path());
    return shown.empty() ? "." : shown.string();
}

// `path` below `root`, "" for the root itself.
std::string below(const fs::path& root, const std::string& path) {
    if (!fs::exists(path)) {
        throw UsageError("no such file or directory: " + path);
    }
    const fs::path inside = fs::relative(fs::canonical(path), fs::canonical(root));
    if (inside.empty() || *inside.begin() == "..") {
        if (inside.empty()) {
            return std::string();
        }
        throw UsageError(path + " is not below the resource directory " + root.string());
    }
    return inside == "." ? std::string() : inside.string();
}

int check(const Options& options, const fs::path& root) {
    // Before the working directory changes for the load.
    std::vector<std::pair<std::string, bool>> targets;
    for (const std::string& path : options.paths) {
        targets.emplace_back(below(root, path), fs::is_directory(path));
    }
    const std::string shown = shownPath(root);
    const lum::ResourceRoot resources(root);
    lum::ConfigChecker checker(shown);
    int files = 0;
    for (const auto& target : targets) {
        const std::vector<std::string> names =
            target.second ? checker.filesBelow(target.first)
                          : std::vector<std::string>{target.first};
        for (const std::string& name : names) {
            checker.check(name);
            ++files;
        }
    }
    const int errors = checker.count(lum::Severity::Error);
    const int warnings = checker.count(lum::Severity::Warning);
    if (options.json) {
        lum::writeJson(checker.findings(), std::cout);
    } else {
        lum::writeText(checker.findings(), std::cout);
        std::cout << files << (files == 1 ? " file" : " files") << " checked: " << errors
                  << (errors == 1 ? " error, " : " errors, ") << warnings
                  << (warnings == 1 ? " warning" : " warnings") << std::endl;
    }
    return errors > 0 || (options.strict && warnings > 0) ? foundProblems : clean;
}

int printTree(const Options& options, const fs::path& root) {
    const std::string shown = shownPath(root);
    const lum::ResourceRoot resources(root);
    lum::ConfigChecker checker(shown);
    const bool loaded = checker.printTree(options.tree, std::cout);
    lum::writeText(checker.findings(), std::cerr);
    return loaded ? clean : foundProblems;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options = parse(argc, argv);
        const fs::path root = resourceDirectory(options);
        if (!fs::is_directory(root)) {
            throw UsageError("no resource directory " + root.string());
        }
        return options.tree.empty() ? check(options, root) : printTree(options, root);
    } catch (const UsageError& e) {
        std::cerr << "glimmet-cfgcheck: " << e.what() << "\n" << usage;
        return wrongUse;
    } catch (const std::exception& e) {
        std::cerr << "glimmet-cfgcheck: " << e.what() << "\n";
        return wrongUse;
    }
}
