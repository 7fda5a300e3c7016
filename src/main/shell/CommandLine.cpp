#include "shell/CommandLine.h"

#include <regex>
#include <sstream>

#include <boost/program_options/errors.hpp>
#include <boost/program_options/parsers.hpp>
#include <boost/program_options/value_semantic.hpp>
#include <boost/program_options/variables_map.hpp>

namespace po = boost::program_options;

namespace lum {

namespace {

const int firstLevel = 1;
const int lastLevel = 99;

const std::string& onlyValue(const boost::any& result, const std::vector<std::string>& values) {
    po::validators::check_first_occurrence(result);
    return po::validators::get_single_string(values);
}

}  // namespace

// Boost.Program_options finds these through argument-dependent lookup.
void validate(boost::any& result, const std::vector<std::string>& values, LevelChoice*, int) {
    const std::string& text = onlyValue(result, values);
    if (!std::regex_match(text, std::regex("[0-9]+")) || text.size() > 2 ||
        std::stoi(text) < firstLevel || std::stoi(text) > lastLevel) {
        throw po::invalid_option_value(text);
    }
    result = LevelChoice{std::stoi(text)};
}

void validate(boost::any& result, const std::vector<std::string>& values, WindowSize*, int) {
    const std::string& text = onlyValue(result, values);
    std::smatch parts;
    if (!std::regex_match(text, parts, std::regex("([0-9]{1,5})[xX]([0-9]{1,5})"))) {
        throw po::invalid_option_value(text);
    }
    const WindowSize size{std::stoi(parts[1]), std::stoi(parts[2])};
    if (size.width < smallestWindow.width || size.height < smallestWindow.height ||
        size.width > largestWindowSide || size.height > largestWindowSide) {
        throw po::invalid_option_value(text);
    }
    result = size;
}

po::options_description CommandLine::describe(Options& into) {
    po::options_description options("Options");
    options.add_options()("help,h", po::bool_switch(&into.help), "show this help and exit")(
        "version", po::bool_switch(&into.version), "show the version and exit")(
        "level", po::value(&into.level)->value_name("N"),
        "start level N at once, without the title screen: 1 to 5 are the game's, "
        "the levels found in the data and in $XDG_DATA_HOME/glimmet/levels follow")(
        "level-file", po::value(&into.levelFile)->value_name("PATH"),
        "play the level file PATH at once")(
        "watch", po::bool_switch(&into.watch),
        "with --level or --level-file: start the level again whenever its files change")(
        "data", po::value(&into.dataDirectory)->value_name("DIR"),
        "take the game's data from DIR/resources")(
        "windowed", po::value(&into.window.size)->value_name("WxH"),
        "play in a window of W x H pixels (default 1024x768)")(
        "fullscreen", po::bool_switch(&into.window.fullScreen),
        "play full screen on the main monitor")(
        "no-records", po::bool_switch(&into.noRecords),
        "neither read nor write the best times kept in $XDG_DATA_HOME/glimmet")(
        "record", po::value(&into.recordFile)->value_name("FILE"),
        "record the run's clock and input into FILE")(
        "replay", po::value(&into.replayFile)->value_name("FILE"),
        "play the run recorded in FILE back and check it ends the same");
    return options;
}

Options CommandLine::parse(int argc, const char* const argv[]) const {
    Options options;
    try {
        po::variables_map values;
        const int style =
            po::command_line_style::default_style & ~po::command_line_style::allow_guessing;
        po::store(po::command_line_parser(argc, argv)
                      .options(describe(options))
                      .positional(po::positional_options_description())
                      .style(style)
                      .run(),
                  values);
        po::notify(values);
        if (values.count("windowed") != 0 && options.window.fullScreen) {
            throw CommandLineError("--windowed and --fullscreen exclude each other");
        }
        options.windowChosen = values.count("windowed") != 0 || options.window.fullScreen;
        if (values.count("replay") != 0 && values.count("record") != 0) {
            throw CommandLineError("--record and --replay exclude each other");
        }
        if (values.count("replay") != 0 && values.count("level") != 0) {
            throw CommandLineError("--replay plays the level it recorded: --level goes without it");
        }
        refuseClashesOfLevels(values);
    } catch (const po::error& e) {
        throw CommandLineError(e.what());
    }
    return options;
}

void CommandLine::refuseClashesOfLevels(const po::variables_map& values) {
    const bool levelFile = values.count("level-file") != 0;
    const bool recorded = values.count("record") != 0 || values.count("replay") != 0;
    if (levelFile && values.count("level") != 0) {
        throw CommandLineError("--level and --level-file exclude each other");
    }
    if (levelFile && recorded) {
        throw CommandLineError(
            "--record and --replay take the game's levels: "
            "--level-file goes without them");
    }
    if (values["watch"].as<bool>()) {
        if (!levelFile && values.count("level") == 0) {
            throw CommandLineError(
                "--watch needs the level to watch: --level N or --level-file PATH");
        }
        if (recorded) {
            throw CommandLineError("--watch goes without --record and --replay");
        }
    }
}

std::string CommandLine::usage() const {
    Options unused;
    std::ostringstream text;
    text << "Usage: glimmet [OPTION]...\n"
         << "Tobble the Glimmet: roll Tobble through five toy-room levels.\n\n"
         << describe(unused)
         << "\nThe game's data is looked for in --data DIR, then $GLIMMET_DATA, then the\n"
         << "current directory, the installed game and the program's own directory.\n"
         << "Level files of your own go into $XDG_DATA_HOME/glimmet/levels (by default\n"
         << "~/.local/share/glimmet/levels); the game lists them at start with their numbers.\n";
    return text.str();
}

}  // namespace lum
