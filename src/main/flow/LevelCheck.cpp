#include "flow/LevelCheck.h"

#include "lum/config/Diagnostics.h"
#include "lum/config/Setting.h"
#include "lum/look/Backdrop.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/UberLoader.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Ends a load at its first fatal diagnostic. Not a lum::Exception: it is
// kept as it is, and no guard on its way takes it for a failure of its own.
struct FatalDiagnostic {};

// The first diagnostic of the load that problemOf runs.
LevelProblem heldFirst;

void hold(const Diagnostic& diagnostic) {
    if (diagnostic.kind == DiagnosticKind::Note) {
        return;
    }
    if (heldFirst.empty()) {
        heldFirst = LevelProblem{diagnostic.path.empty() ? diagnostic.file : diagnostic.path,
                                 diagnostic.line, diagnostic.column, diagnostic.text};
    }
    if (diagnostic.kind == DiagnosticKind::Fatal) {
        throw FatalDiagnostic();
    }
}

// The message of a failure without a place: its first line, which says what
// is wrong; the rest is the trace.
std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

void tryLevel(const std::string& name, LevelTrial trial) {
    LUM_TRACE_BEGIN
    if (trial == LevelTrial::objects) {
        UberLoader::instance().tryLevel(name);
        Backdrop::build(ConfigLoader::instance().load(name)("backdrop"), name + ".cfg");
        return;
    }
    const Setting level = ConfigLoader::instance().load(name);
    if (!level.isGroup() || !level("scene").isList()) {
        throw ConfigException("the level has no \"scene\" list of objects");
    }
    LUM_TRACE_END
}

}  // namespace

std::string LevelProblem::message() const {
    if (empty()) {
        return std::string();
    }
    const std::string place =
        line > 0 ? ":" + std::to_string(line) + ":" + std::to_string(column) : std::string();
    return file + place + ": " + text;
}

bool LevelProblem::empty() const {
    return text.empty();
}

LevelProblem problemOf(const std::function<void()>& load, const std::string& file) {
    struct Held {
        const DiagnosticHandler previous = setDiagnosticHandler(&hold);
        ~Held() { setDiagnosticHandler(previous); }
    } const held;
    heldFirst = LevelProblem();
    LevelProblem failure;
    try {
        load();
    } catch (const FatalDiagnostic&) {
    } catch (const Exception& e) {
        failure = LevelProblem{file, 0, 0, firstLine(e.getMessage())};
    } catch (const std::exception& e) {
        failure = LevelProblem{file, 0, 0, e.what()};
    }
    return heldFirst.empty() ? failure : heldFirst;
}

LevelProblem checkLevel(const std::string& name, const std::string& file, LevelTrial trial) {
    return problemOf([&] { tryLevel(name, trial); }, file);
}

}  // namespace lum
