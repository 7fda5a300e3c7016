#ifndef LUM_UTIL_LOG_H
#define LUM_UTIL_LOG_H

#include <iosfwd>
#include <string>

namespace lum {

// A named one-line logger. INFO goes to standard output, WARNING and ERROR to
// standard error; lines are not flushed.
class Log {
public:
    explicit Log(const std::string& name);

    void info(const std::string& message) const;
    void warning(const std::string& message) const;
    void error(const std::string& message) const;

private:
    std::string name;
    std::ostream* infoStream;
    std::ostream* warningStream;
    std::ostream* errorStream;
};

}  // namespace lum

#endif
