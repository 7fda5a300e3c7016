#include "Finding.h"

#include <cstdio>
#include <ostream>

namespace lum {

namespace {

const char* severityName(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            return "note";
    }
    return "error";
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace

void writeText(const std::vector<Finding>& findings, std::ostream& out) {
    for (const Finding& finding : findings) {
        out << finding.file << ":" << finding.line << ":" << finding.column << ": "
            << severityName(finding.severity) << ": " << finding.text << "\n";
    }
}

void writeJson(const std::vector<Finding>& findings, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        out << (i == 0 ? "\n" : ",\n") << "  {\"file\": " << jsonString(finding.file)
            << ", \"line\": " << finding.line << ", \"column\": " << finding.column
            << ", \"severity\": \"" << severityName(finding.severity)
            << "\", \"message\": " << jsonString(finding.text) << "}";
    }
    out << (findings.empty() ? "]\n" : "\n]\n");
}

}  // namespace lum
