#ifndef GLIMMET_TOPLEVEL_H
#define GLIMMET_TOPLEVEL_H

#include <functional>
#include <iosfwd>

namespace lum {

// Runs the program's body; whatever escapes it is reported on `err` as
// "caught ..." and goes no further. False when something was reported.
bool runGuarded(const std::function<void()>& body, std::ostream& err);

// The line that ends every run that did not exit early.
extern const char* const closingLine;

}  // namespace lum

#endif
