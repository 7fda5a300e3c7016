#include "lum/config/Diagnostics.h"

#include <cstdlib>
#include <iostream>

namespace lum {

namespace {
DiagnosticHandler currentHandler = &printDiagnostic;
}  // namespace

void printDiagnostic(DiagnosticKind kind, const std::string& message) {
    std::cerr << message;
    if (kind == DiagnosticKind::Fatal) {
        std::exit(1);
    }
}

DiagnosticHandler setDiagnosticHandler(DiagnosticHandler handler) {
    const DiagnosticHandler previous = currentHandler;
    currentHandler = handler;
    return previous;
}

void reportSyntaxError(const std::string& message) {
    currentHandler(DiagnosticKind::Syntax, message);
}

void reportFatalError(const std::string& message) {
    currentHandler(DiagnosticKind::Fatal, message);
    std::exit(1);
}

}  // namespace lum
