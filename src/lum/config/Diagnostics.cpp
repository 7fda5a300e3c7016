#include "lum/config/Diagnostics.h"

#include <cstdlib>
#include <iostream>

namespace lum {

namespace {
DiagnosticHandler currentHandler = &printDiagnostic;
}  // namespace

void printDiagnostic(const Diagnostic& diagnostic) {
    std::cerr << diagnostic.message;
    if (diagnostic.kind == DiagnosticKind::Fatal) {
        std::exit(1);
    }
}

DiagnosticHandler setDiagnosticHandler(DiagnosticHandler handler) {
    const DiagnosticHandler previous = currentHandler;
    currentHandler = handler;
    return previous;
}

void reportSyntaxError(const Diagnostic& diagnostic) {
    Diagnostic syntax = diagnostic;
    syntax.kind = DiagnosticKind::Syntax;
    currentHandler(syntax);
}

void reportNote(const Diagnostic& diagnostic) {
    Diagnostic note = diagnostic;
    note.kind = DiagnosticKind::Note;
    currentHandler(note);
}

void reportFatalError(const Diagnostic& diagnostic) {
    Diagnostic fatal = diagnostic;
    fatal.kind = DiagnosticKind::Fatal;
    currentHandler(fatal);
    std::exit(1);
}

}  // namespace lum
