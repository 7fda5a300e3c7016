#include "lum/util/Exception.h"

#include <ostream>
#include <sstream>
#include <typeinfo>

#include "lum/util/ClassName.h"

namespace lum {

namespace {
// what() hands out text from this one buffer for every exception.
std::string& sharedWhatBuffer() {
    static std::string buffer;
    return buffer;
}
}  // namespace

Exception::Exception(const std::string& message) : message(message) {}

Exception::~Exception() = default;

const char* Exception::what() const noexcept {
    try {
        sharedWhatBuffer() = report();
    } catch (...) {
        sharedWhatBuffer().clear();
    }
    return sharedWhatBuffer().c_str();
}

void Exception::addTrace(const char* file, const char* function, int line) {
    trace.push_front(TraceEntry{file, function, line});
}

const std::string& Exception::getMessage() const {
    return message;
}

const std::list<TraceEntry>& Exception::getTrace() const {
    return trace;
}

std::string Exception::report() const {
    std::ostringstream out;
    out << className(typeid(*this)) << ": " << message << "\n";
    for (const TraceEntry& entry : trace) {
        out << "\tat " << entry.file << ":" << entry.function << ":" << entry.line << "\n";
    }
    return out.str();
}

std::ostream& operator<<(std::ostream& out, const Exception& e) {
    return out << e.report();
}

GLException::GLException(const std::string& text) : Exception("Invalid use of OpenGL: " + text) {}

}  // namespace lum
