#ifndef LUM_UTIL_ASSERT_H
#define LUM_UTIL_ASSERT_H

#include "lum/util/Exception.h"

namespace lum {
namespace internal {

// Throws a FailedAssertion reading
// "Assertion failed in <file> at line <line> : <message>\n".
[[noreturn]] void _log_assertion_(const char* file, int line, const char* message);

}  // namespace internal
}  // namespace lum

#define LUM_ASSERT(condition)                                                 \
    do {                                                                      \
        if (!(condition)) {                                                   \
            ::lum::internal::_log_assertion_(__FILE__, __LINE__, #condition); \
        }                                                                     \
    } while (false)

// For checks whose reported text must differ from the code that makes them.
#define LUM_ASSERT_TEXT(condition, text)                                \
    do {                                                                \
        if (!(condition)) {                                             \
            ::lum::internal::_log_assertion_(__FILE__, __LINE__, text); \
        }                                                               \
    } while (false)

#endif
