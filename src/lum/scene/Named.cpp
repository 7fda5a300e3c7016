#include "lum/scene/Named.h"

namespace lum {

Named::Named(const std::string& name) : name(name) {}

const std::string& Named::getName() const {
    return name;
}

}  // namespace lum
