#ifndef LUM_CONFIG_DIAGNOSTICS_H
#define LUM_CONFIG_DIAGNOSTICS_H

#include <string>

namespace lum {

// The configuration language's own diagnostics. A syntax error ends only the
// parse of one file; a fatal one (stray character, duplicate key, unknown or
// unusable prototype) ends the process.
enum class DiagnosticKind { Syntax, Fatal };

// Receives each diagnostic as complete text, prefix and newline included.
typedef void (*DiagnosticHandler)(DiagnosticKind kind, const std::string& message);

// The game's handler: the message goes to standard error and a fatal one then
// ends the process with status 1.
void printDiagnostic(DiagnosticKind kind, const std::string& message);

// Tools that check many files in one process install a handler that throws
// instead of ending the process; the game never changes it. Returns the
// handler that was in place.
DiagnosticHandler setDiagnosticHandler(DiagnosticHandler handler);

void reportSyntaxError(const std::string& message);

// Should the handler return, the process still ends with status 1: the
// parser never goes on after a fatal diagnostic.
[[noreturn]] void reportFatalError(const std::string& message);

}  // namespace lum

#endif
