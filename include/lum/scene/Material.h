#ifndef LUM_SCENE_MATERIAL_H
#define LUM_SCENE_MATERIAL_H

#include <string>

#include <boost/shared_ptr.hpp>

#include "lum/render/UniformTable.h"

namespace lum {

class Shader;
class Uniform;

// A shader with values of its own for the shader's uniforms. The material
// owns its uniform copies and keeps its shader alive.
class Material {
public:
    using UniformList = UniformTable::UniformList;

    // Of two uniforms at the same location only the first is kept.
    Material(const std::string& name, const boost::shared_ptr<Shader>& shader,
             const UniformList& uniforms);
    virtual ~Material();

    // The uniform of that name; a name the shader lacks is an OutOfBoundsException.
    Uniform* getUniform(const std::string& name) const;
    // Uploads every uniform into the program in use.
    void apply() const;
    // Makes the shader's program current, then applies.
    void use() const;

    const std::string& getName() const;
    const boost::shared_ptr<Shader>& getShader() const;

private:
    std::string name;
    boost::shared_ptr<Shader> shader;
    UniformTable uniforms;
};

}  // namespace lum

#endif
