// Assertions end in an exception, never in abort(): the game's outermost
// handler reports them like any other failure, and the run still closes
// with its usual last line.
//
// A failed assertion reads
//     Assertion failed in <file> at line <line> : <message>
// followed by a newline, so the first line of its report is followed by an
// empty one. The file is shown without its directories.
//
// The guard of _log_assertion_ adds the innermost trace entry of every
// assertion report: assert.cpp, lum::internal::_log_assertion_, line 30.
// Reports and tests rely on that line, so keep this file's layout intact:
// the guard's closing half must stay on line 30.

#include "lum/util/Assert.h"

#include <sstream>

#include "lum/util/Trace.h"

namespace lum {
namespace internal {

[[noreturn]] void _log_assertion_(const char* file, int line, const char* message) {
    LUM_TRACE_BEGIN
    std::ostringstream text;
    text << "Assertion failed in " << baseName(file) << " at line " << line << " : " << message
         << "\n";
    throw FailedAssertion(text.str());
    LUM_TRACE_END
}

}  // namespace internal
}  // namespace lum
