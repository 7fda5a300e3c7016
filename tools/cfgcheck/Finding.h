#ifndef GLIMMET_CFGCHECK_FINDING_H
#define GLIMMET_CFGCHECK_FINDING_H

#include <iosfwd>
#include <string>
#include <vector>

namespace lum {

enum class Severity { Error, Warning, Note };

// One thing the checker found, at a place editors can jump to.
struct Finding {
    std::string file;
    int line;
    int column;
    Severity severity;
    std::string text;
};

// "file:line:col: error|warning|note: text", one line each.
void writeText(const std::vector<Finding>& findings, std::ostream& out);

// A JSON array of objects with the keys file, line, column, severity and
// message, for tools.
void writeJson(const std::vector<Finding>& findings, std::ostream& out);

}  // namespace lum

#endif
