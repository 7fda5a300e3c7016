#include "lum/config/ObjectKind.h"

#include <iterator>

#include <boost/algorithm/string/predicate.hpp>

namespace lum {

bool ObjectKind::answersTo(const std::string& typeName) const {
    if (boost::iequals(typeName, name)) {
        return true;
    }
    for (const char* const alias : aliases) {
        if (alias != nullptr && boost::iequals(typeName, alias)) {
            return true;
        }
    }
    return false;
}

namespace kinds {

std::vector<const ObjectKind*> all() {
    std::vector<const ObjectKind*> kinds(std::begin(engineObjects), std::end(engineObjects));
    kinds.insert(kinds.end(), std::begin(gameObjects), std::end(gameObjects));
    return kinds;
}

const ObjectKind* find(const std::string& typeName) {
    for (const ObjectKind* const kind : all()) {
        if (kind->answersTo(typeName)) {
            return kind;
        }
    }
    return nullptr;
}

}  // namespace kinds

}  // namespace lum
