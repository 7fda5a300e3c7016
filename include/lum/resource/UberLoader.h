#ifndef LUM_RESOURCE_UBERLOADER_H
#define LUM_RESOURCE_UBERLOADER_H

#include <functional>

#include <boost/filesystem/path.hpp>
#include <boost/shared_ptr.hpp>
#include <glm/glm.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lum/config/ObjectKind.h"
#include "lum/config/Setting.h"
#include "lum/resource/ResourceLoader.h"
#include "lum/scene/ModelData.h"
#include "lum/scene/Transform.h"
#include "lum/util/Log.h"
#include "lum/util/Singleton.h"

class btCollisionShape;

namespace lum {

class Material;
class Node;
class PhysicsNode;
class Sound;
class Spatial;

// Turns configuration into scene objects: whole levels into the global scene,
// single models for whoever asks. An object is described by a group whose
// display name (its prototype's name, or its "type" key) says what it is,
// compared without regard to letter case, or by the name of the
// configuration file that holds its description. Reads every file through
// the other loaders; keeps nothing between loads. Main thread only, between
// frames; loads that build models need a living Renderer.
//
// UberLoader.cpp holds the dispatch and the engine's objects,
// UberLoaderModels.cpp the models with their materials and shapes, and
// UberLoaderObjects.cpp the table of object kinds with the game's objects,
// the only part that knows the game's characters.
class UberLoader : public Singleton<UberLoader, 0>, public ResourceLoader {
public:
    explicit UberLoader(const boost::filesystem::path& location = "resources/");

    // Appends the objects of the configuration's "scene" list to the scene
    // root in their order, then updates the scene once by 0.001 s so that
    // every object has its world placement before the first frame. The
    // physics nodes among them are in the physics world. A failure ends the
    // load with the exception: nothing built by the load reaches the scene,
    // and its physics nodes leave the world as they are freed.
    // The key frames of its animated models stay kept until a level of
    // another name loads (or forgetKeyFrames), so that starting the level
    // again after a fall decodes no MD2 file; while the level is played its
    // models hold them anyway.
    void loadLevel(const std::string& name);
    // Builds the level's objects as loadLevel does and drops them again:
    // throws what loadLevel would, and leaves the scene as it was.
    void tryLevel(const std::string& name);
    // Drops the kept key frames: the next level load reads every MD2 file.
    void forgetKeyFrames();
    // A model built from the configuration `name` (named `name` unless the
    // configuration names itself) under no parent; when the configuration
    // has "mass" or "physics", the active physics node that wraps it.
    // The caller owns the result.
    boost::shared_ptr<Spatial> loadModel(const std::string& name);
    // The sound loader's sound of that name, unchanged.
    boost::shared_ptr<Sound> loadSound(const std::string& name);

private:
    // Whether a model gets the physics node of its own that its "mass" or
    // "physics" key asks for, or never gets one: a game object's model is
    // the shape of the object's own body.
    enum class PhysicsWrapper { fromKeys, none };

    // A shape made here, with the children of a compound.
    struct ShapeDeleter {
        void operator()(btCollisionShape* shape) const;
    };
    using OwnedShape = std::unique_ptr<btCollisionShape, ShapeDeleter>;

    using Loaded = boost::shared_ptr<Spatial>;
    using Parent = boost::shared_ptr<Node>;
    using Load = std::function<Loaded(const UberLoader&, const Setting&, const Parent&)>;
    // How an object of the kind is built.
    struct KindLoader {
        const ObjectKind& kind;
        Load load;
    };

    // The loader of every kind a description may ask for.
    static const std::vector<KindLoader>& kindLoaders();
    // The loader of the game object of class Kind.
    template <class Kind>
    static Load objectLoader(const char* placeholderPrefix, const char* info);

    // The object loaders: each builds its object under parent (which may be
    // empty) and returns it already attached there.
    Loaded doLoadSpatial(const Setting& description, const Parent& parent) const;
    // A group, by its display name.
    Loaded doLoadByKind(const Setting& description, const Parent& parent) const;
    // The level's objects under a holder node outside the scene.
    boost::shared_ptr<Node> buildLevel(const std::string& name);
    // A new node holding the list's objects in order.
    boost::shared_ptr<Node> doLoadSpatialList(const Setting& list, const Parent& parent) const;
    Loaded doLoadNode(const Setting& description, const Parent& parent) const;
    Loaded doLoadModel(const Setting& description, const Parent& parent,
                       PhysicsWrapper wrapping) const;
    Loaded doLoadPhysicsNode(const Setting& description, const Parent& parent) const;
    Loaded doLoadLight(const Setting& description, const Parent& parent) const;
    Loaded doLoadFromBadConfig(const Setting& description, const Parent& parent) const;
    // A game object of class Kind: one dynamic body carrying its model's
    // shape and its own "mass".
    template <class Kind>
    Loaded doLoadObject(const Setting& description, const Parent& parent,
                        const std::string& placeholderPrefix, const std::string& info) const;

    // Each element of the list loaded under node, in order.
    void doLoadEach(Setting list, const boost::shared_ptr<Node>& node) const;
    // The configuration `name` as an object description, named after its
    // file unless it names itself.
    static Setting loadDescription(const std::string& name);
    // The physics node a model's keys ask for, made under parent; empty when
    // they ask for none.
    static boost::shared_ptr<PhysicsNode> makeWrapper(const Setting& description,
                                                      const std::string& name,
                                                      const Parent& parent);

    // The description's "name", else the placeholder.
    static std::string nameOf(const Setting& description, const std::string& placeholder);
    // A placeholder name that tells apart the unnamed objects of one parent.
    static std::string numberedPlaceholder(const std::string& prefix, const Parent& parent);

    static Transform loadTransform(const Setting& description);
    static boost::shared_ptr<Material> loadMaterial(const Setting& description,
                                                    const std::string& shaderName);
    OwnedShape loadShape(const Setting& description, const glm::vec3& fallbackHalfExtents) const;
    // The MD2 file's data; an animated model keeps every key frame, and the
    // models of one file in a level share them.
    ModelData readModel(const std::string& file, bool animated) const;
    // Tells the file and line of the innermost object description a failure
    // left, once per failure: the messages of the settings and of the other
    // loaders cannot name them.
    void tellWhereFailed(const Setting& description) const;

    Log log;
    mutable bool failurePlaceTold;
    // By MD2 file path; filled while a level loads, kept for the level
    // named keyFramesLevel.
    mutable std::map<std::string, ModelData> levelKeyFrames;
    std::string keyFramesLevel;
    bool loadingLevel;
};

}  // namespace lum

#endif
