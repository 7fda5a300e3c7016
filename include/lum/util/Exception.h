#ifndef LUM_UTIL_EXCEPTION_H
#define LUM_UTIL_EXCEPTION_H

#include <exception>
#include <iosfwd>
#include <list>
#include <string>

namespace lum {

// One step of an exception's way out: the guarded function it left.
// The texts are string literals of the program and are never freed.
struct TraceEntry {
    const char* file;
    const char* function;
    int line;
};

// Root of the game's failures. The trace grows at the front as the exception
// leaves guarded functions, so the report reads outermost first.
class Exception : public std::exception {
public:
    explicit Exception(const std::string& message);
    ~Exception() override;

    // The returned text lives in one buffer shared by all exceptions; it stays
    // valid until the next what() on any of them.
    const char* what() const noexcept override;

    void addTrace(const char* file, const char* function, int line);
    const std::string& getMessage() const;
    const std::list<TraceEntry>& getTrace() const;
    std::string report() const;

private:
    std::list<TraceEntry> trace;
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const Exception& e);

class FailedAssertion : public Exception {
public:
    using Exception::Exception;
};

class CastException : public Exception {
public:
    using Exception::Exception;
};

class ConfigException : public Exception {
public:
    using Exception::Exception;
};

class IOException : public Exception {
public:
    using Exception::Exception;
};

class OutOfBoundsException : public Exception {
public:
    using Exception::Exception;
};

class GLException : public Exception {
public:
    explicit GLException(const std::string& text);
};

}  // namespace lum

#endif
