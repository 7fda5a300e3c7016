#include "lum/render/UniformTable.h"

#include "lum/render/Uniform.h"

namespace lum {

UniformTable::UniformTable(const UniformList& uniforms) {
    for (const boost::shared_ptr<Uniform>& uniform : uniforms) {
        if (byLocation.insert({uniform->getLocation(), uniform}).second) {
            list.push_back(uniform);
            byName[uniform->getName()] = uniform;
        }
    }
}

const UniformTable::UniformList& UniformTable::getList() const {
    return list;
}

Uniform* UniformTable::find(const std::string& name) const {
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second.get();
}

}  // namespace lum
