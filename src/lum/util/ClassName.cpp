#include "lum/util/ClassName.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace lum {

std::string className(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    if (status != 0 || !demangled) {
        return type.name();
    }
    return demangled.get();
}

}  // namespace lum
