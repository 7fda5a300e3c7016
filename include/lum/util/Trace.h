#ifndef LUM_UTIL_TRACE_H
#define LUM_UTIL_TRACE_H

#include "lum/util/Exception.h"

namespace lum {
namespace internal {

// The part of a path behind its last '/' or '\'; the whole path without them.
constexpr const char* baseName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\') {
            name = p + 1;
        }
    }
    return name;
}

// Turns a compiler signature such as "void lum::Node::addChild(int) const"
// into "lum::Node::addChild". The result is interned and never freed, so it
// can stand in a trace entry.
const char* qualifiedFunctionName(const char* prettyFunction);

}  // namespace internal
}  // namespace lum

// Bracket a function body: a lum::Exception leaving it gains this function's
// entry and goes on outward as the same object; other exceptions pass as they are.
#define LUM_TRACE_BEGIN try {
#define LUM_TRACE_END                                                                        \
    }                                                                                        \
    catch (::lum::Exception & lumTracedException_) {                                         \
        static const char* const lumTraceFunction_ =                                         \
            ::lum::internal::qualifiedFunctionName(__PRETTY_FUNCTION__);                     \
        lumTracedException_.addTrace(::lum::internal::baseName(__FILE__), lumTraceFunction_, \
                                     __LINE__);                                              \
        throw;                                                                               \
    }

#endif
