#ifndef GLIMMET_TESTS_MODELFACTORY_H
#define GLIMMET_TESTS_MODELFACTORY_H

#include <string>

#include "lum/render/Shader.h"
#include "lum/render/Uniform.h"
#include "lum/render/VertexArray.h"
#include "lum/render/VertexBuffer.h"
#include "lum/render/VertexLayout.h"
#include "lum/resource/ModelLoader.h"
#include "lum/resource/ShaderLoader.h"
#include "lum/resource/TextureLoader.h"
#include "lum/scene/Material.h"
#include "lum/scene/Model.h"
#include "lum/scene/Node.h"

// Assembles a model from the game's resources the way a level does: the mesh,
// the "simple" and "outline" shaders, one buffer and two vertex arrays.
// The model takes the shape over.
inline boost::shared_ptr<lum::Model> makeTestModel(
    const std::string& name, const std::string& mesh, btCollisionShape* shape,
    boost::weak_ptr<lum::Node> parent, const lum::Model::AnimationTable& animations = {}) {
    using namespace lum;
    const ModelData data = ModelLoader::instance().load(mesh);
    const boost::shared_ptr<Shader> shader = ShaderLoader::instance().load("simple");
    const boost::shared_ptr<Shader> outline = ShaderLoader::instance().load("outline");
    const boost::shared_ptr<Material> material = shader->createMaterial("material");
    material->getUniform("material.ambient")->asVec4().setValue(glm::vec4(0.3f, 0.1f, 0.1f, 1));
    material->getUniform("material.diffuse")->asVec4().setValue(glm::vec4(0.9f, 0.2f, 0.2f, 1));
    material->getUniform("material.specular")->asVec4().setValue(glm::vec4(0.2f));
    material->getUniform("material.shininess")->asFloat().setValue(8.0f);
    const auto buffer = VertexBuffer::make(name + ".vbo", data.vertexCount, DynamicDraw);
    VertexLayout body;
    body.addAttribute("vertex", 2, 0, false, buffer);
    body.addAttribute("normal", 2, 12, false, buffer);
    body.addAttribute("texCoord", 1, 24, false, buffer);
    VertexLayout edge;
    edge.addAttribute("vertex", 2, 0, false, buffer);
    return Model::make(name, shape, data, parent, material, outline->createMaterial("material"),
                       VertexArray::make(name + ".vao", shader, body),
                       VertexArray::make(name + ".vao", outline, edge), buffer,
                       TextureLoader::instance().load("none"), animations);
}

#endif
