#ifndef LUM_UTIL_CLASSNAME_H
#define LUM_UTIL_CLASSNAME_H

#include <string>
#include <typeinfo>

namespace lum {

// The demangled, qualified name of a type, such as "lum::FailedAssertion".
std::string className(const std::type_info& type);

}  // namespace lum

#endif
