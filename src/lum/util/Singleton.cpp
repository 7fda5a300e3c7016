#include "lum/util/Singleton.h"

#include <string>

#include "lum/util/ClassName.h"

namespace lum {
namespace internal {

void singletonFailure(const char* file, int line, const std::type_info& type, const char* what) {
    const std::string message = "Singleton " + className(type) + what;
    _log_assertion_(file, line, message.c_str());
}

}  // namespace internal
}  // namespace lum
