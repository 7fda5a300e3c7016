#include "records/UserFile.h"

#include <cctype>
#include <locale>
#include <sstream>

#include <boost/filesystem/operations.hpp>

#include "lum/config/Diagnostics.h"
#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/ResourceLoader.h"
#include "lum/util/AtomicFile.h"
#include "lum/util/Exception.h"

namespace fs = boost::filesystem;

namespace lum {

namespace {

const char* const asideSuffix = ".damaged";
const int asideNamesTried = 1000;

// The configuration language ends the process on some mistakes; a player's
// file with one is only damaged, so its diagnostics become exceptions while
// it is read.
void throwDiagnostic(const Diagnostic& diagnostic) {
    if (diagnostic.kind != DiagnosticKind::Note) {
        throw ConfigException(diagnostic.message);
    }
}

class DiagnosticsAsExceptions {
public:
    DiagnosticsAsExceptions() : previous(setDiagnosticHandler(&throwDiagnostic)) {}
    ~DiagnosticsAsExceptions() { setDiagnosticHandler(previous); }
    DiagnosticsAsExceptions(const DiagnosticsAsExceptions&) = delete;
    DiagnosticsAsExceptions& operator=(const DiagnosticsAsExceptions&) = delete;

private:
    DiagnosticHandler previous;
};

// "records" logs as "Records".
std::string logName(const char* what) {
    std::string name = what;
    if (!name.empty()) {
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return name;
}

std::string firstLine(const std::string& text) {
    const std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "unreadable" : line;
}

}  // namespace

std::string fixedPoint(double value, int decimals) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << value;
    return out.str();
}

UserFile::UserFile(const fs::path& directory, const char* fileName, const char* what)
    : directory(directory),
      fileName(fileName),
      what(what),
      writable(!directory.empty()),
      writeFailureTold(false),
      log(logName(what)) {}

bool UserFile::isKept() const {
    return !directory.empty();
}

void UserFile::read(const std::function<void(const Setting& file)>& take) {
    if (directory.empty()) {
        return;
    }
    boost::system::error_code error;
    if (!fs::exists(fs::symlink_status(directory / fileName, error))) {
        return;
    }
    try {
        const DiagnosticsAsExceptions strict;
        ResourceLoader place(directory);
        // Read as an included file: with no prototypes of the game's to need.
        take(loadFile(place, fileName, Setting::newGroup(), 1));
    } catch (const Exception& e) {
        setAside(firstLine(e.getMessage()));
    } catch (const std::exception& e) {
        setAside(firstLine(e.what()));
    }
}

// The damaged file is kept for the player under a name of its own; without
// that, a new file would replace it, so nothing is written this run.
void UserFile::setAside(const std::string& problem) {
    const fs::path file = directory / fileName;
    for (int attempt = 1; attempt <= asideNamesTried; ++attempt) {
        const fs::path aside =
            file.string() + asideSuffix + (attempt == 1 ? "" : "-" + std::to_string(attempt));
        boost::system::error_code error;
        if (fs::exists(fs::symlink_status(aside, error))) {
            continue;
        }
        fs::rename(file, aside, error);
        if (!error) {
            log.warning(file.string() + " cannot be read (" + problem + "); kept as " +
                        aside.string() + ", and the " + what + " start afresh");
            return;
        }
        log.warning(file.string() + " cannot be read (" + problem + ") nor set aside (" +
                    error.message() + "); no " + what + " are kept this time");
        writable = false;
        return;
    }
    log.warning(file.string() + " cannot be read (" + problem +
                "); no name was free to set it aside, and no " + what + " are kept this time");
    writable = false;
}

void UserFile::write(const std::string& text) {
    if (!writable) {
        return;
    }
    boost::system::error_code error;
    fs::create_directories(directory, error);
    const std::string problem = error ? directory.string() + ": " + error.message()
                                      : writeAtomically(directory / fileName, text);
    if (!problem.empty() && !writeFailureTold) {
        writeFailureTold = true;
        log.warning("the " + what + " cannot be written (" + problem +
                    "); the game goes on without them");
    }
}

}  // namespace lum
