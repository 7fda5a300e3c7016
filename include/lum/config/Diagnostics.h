#ifndef LUM_CONFIG_DIAGNOSTICS_H
#define LUM_CONFIG_DIAGNOSTICS_H

#include <string>

namespace lum {

// The configuration language's own diagnostics. A syntax error ends only the
// parse of one file; a fatal one (stray character, duplicate key, unknown or
// unusable prototype) ends the process. A note adds where something began
// (an unclosed bracket) to the diagnostic before it.
enum class DiagnosticKind { Syntax, Fatal, Note };

// One diagnostic, both as the game prints it and in parts for tools.
struct Diagnostic {
    DiagnosticKind kind;
    // The file as the loader was asked for it, and where it was found.
    std::string file;
    std::string path;
    // From 1; columns count every character of a line, a tab as one.
    int line;
    int column;
    // What is wrong, without the position.
    std::string text;
    // The complete text the game prints, prefix and newline included.
    std::string message;
};

// Receives each diagnostic.
typedef void (*DiagnosticHandler)(const Diagnostic& diagnostic);

// The game's handler: the message goes to standard error and a fatal one then
// ends the process with status 1.
void printDiagnostic(const Diagnostic& diagnostic);

// Tools that check many files in one process install a handler that throws
// instead of ending the process; the game never changes it. Returns the
// handler that was in place.
DiagnosticHandler setDiagnosticHandler(DiagnosticHandler handler);

void reportSyntaxError(const Diagnostic& diagnostic);
void reportNote(const Diagnostic& diagnostic);

// Should the handler return, the process still ends with status 1: the
// parser never goes on after a fatal diagnostic.
[[noreturn]] void reportFatalError(const Diagnostic& diagnostic);

}  // namespace lum

#endif
