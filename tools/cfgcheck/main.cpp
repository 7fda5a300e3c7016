// glimmet-cfgcheck: checks the game's configuration files without the game.
//
//   glimmet-cfgcheck [--strict] [--json] [--resources DIR] PATH...
//       loads each .cfg file PATH, or every one below the directory PATH, as
//       the game would (a file outside the resource directory as a player's
//       own level), and reports errors and the keys the game will not
//       read as written, as "file:line:col: error|warning: text" lines (or
//       JSON with --json)
//   glimmet-cfgcheck [--resources DIR] --tree NAME
//       prints the configuration NAME as a tree
//   glimmet-cfgcheck [--resources DIR] --plan LEVEL -o FILE.png [--width PIXELS]
//       draws the level LEVEL from above into a PNG picture and says where
//       a point of the ground plane lands in it
//
// The resource directory is DIR, else the nearest directory holding
// "prototypes.cfg" at or above the first PATH, else "resources".
// Exit status: 0 clean, 1 errors (or warnings with --strict), 2 wrong use.

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <boost/filesystem.hpp>

#include "lum/util/Exception.h"

#include "ConfigChecker.h"
#include "LevelPlan.h"
#include "PlanPicture.h"
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
    std::string plan;
    std::string output;
    int width = 1000;
    std::vector<std::string> paths;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const char* const usage =
    "usage: glimmet-cfgcheck [--strict] [--json] [--resources DIR] PATH...\n"
    "       glimmet-cfgcheck [--resources DIR] --tree NAME\n"
    "       glimmet-cfgcheck [--resources DIR] --plan LEVEL -o FILE.png [--width PIXELS]\n";

int widthOf(const std::string& text) {
    const int smallest = 200;
    const int largest = 8000;
    std::size_t used = 0;
    int width = 0;
    try {
        width = std::stoi(text, &used);
    } catch (const std::exception&) {
    }
    if (used != text.size() || width < smallest || width > largest) {
        throw UsageError("--width takes a number of pixels from 200 to 8000, not " + text);
    }
    return width;
}

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
        } else if (argument == "--plan") {
            options.plan = valueOf(i, argc, argv);
        } else if (argument == "-o") {
            options.output = valueOf(i, argc, argv);
        } else if (argument == "--width") {
            options.width = widthOf(valueOf(i, argc, argv));
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option " + argument);
        } else {
            options.paths.push_back(argument);
        }
    }
    const int tasks = !options.paths.empty() + !options.tree.empty() + !options.plan.empty();
    if (tasks != 1) {
        throw UsageError(tasks == 0 ? "nothing to check" : "one of PATH..., --tree, --plan");
    }
    if (options.plan.empty() != options.output.empty()) {
        throw UsageError("--plan and -o go together");
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

// What to check: a path below the resource directory, or a level file of a
// player's own outside it.
struct Target {
    std::string path;
    bool directory;
    bool outside;
};

// `path` below `root` ("" for the root itself), or a file outside it.
Target targetOf(const fs::path& root, const std::string& path) {
    if (!fs::exists(path)) {
        throw UsageError("no such file or directory: " + path);
    }
    const bool directory = fs::is_directory(path);
    const fs::path inside = fs::relative(fs::canonical(path), fs::canonical(root));
    if (inside.empty() || *inside.begin() == "..") {
        if (inside.empty()) {
            return Target{std::string(), true, false};
        }
        if (directory) {
            throw UsageError(path + " is not below the resource directory " + root.string());
        }
        return Target{fs::absolute(path).lexically_normal().string(), false, true};
    }
    return Target{inside == "." ? std::string() : inside.string(), directory, false};
}

int check(const Options& options, const fs::path& root) {
    // Before the working directory changes for the load.
    std::vector<Target> targets;
    for (const std::string& path : options.paths) {
        targets.push_back(targetOf(root, path));
    }
    const std::string shown = shownPath(root);
    const lum::ResourceRoot resources(root);
    lum::ConfigChecker checker(shown);
    int files = 0;
    for (const Target& target : targets) {
        if (target.outside) {
            checker.checkOutside(target.path);
            ++files;
            continue;
        }
        const std::vector<std::string> names = target.directory
                                                   ? checker.filesBelow(target.path)
                                                   : std::vector<std::string>{target.path};
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

int drawPlan(const Options& options, const fs::path& root) {
    // The picture is written where the user is, not in the scratch directory.
    const fs::path output = fs::absolute(options.output);
    const lum::ResourceRoot resources(root);
    lum::ConfigChecker checker(shownPath(root));
    try {
        const lum::LevelPlan plan(options.plan);
        const lum::PlanPicture picture(plan, options.width);
        picture.writePng(output.string());
        const glm::vec2 origin = picture.pixelOf(glm::vec2(0.0f));
        std::cout << options.output << ": " << picture.width() << " x " << picture.height()
                  << " pixels; the point (x, z) is at pixel (" << origin.x << " + "
                  << picture.pixelsPerUnit() << " x, " << origin.y << " + "
                  << picture.pixelsPerUnit() << " z)" << std::endl;
    } catch (const lum::Exception& e) {
        std::cerr << "glimmet-cfgcheck: " << options.plan << ": " << e.getMessage() << "\n";
        lum::writeText(checker.findings(), std::cerr);
        return foundProblems;
    } catch (...) {
        // A fatal error of the configuration language, already among the findings.
        lum::writeText(checker.findings(), std::cerr);
        return foundProblems;
    }
    lum::writeText(checker.findings(), std::cerr);
    return checker.findings().empty() ? clean : foundProblems;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options = parse(argc, argv);
        const fs::path root = resourceDirectory(options);
        if (!fs::is_directory(root)) {
            throw UsageError("no resource directory " + root.string());
        }
        if (!options.plan.empty()) {
            return drawPlan(options, root);
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
