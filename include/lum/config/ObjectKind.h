#ifndef LUM_CONFIG_OBJECTKIND_H
#define LUM_CONFIG_OBJECTKIND_H

#include <array>
#include <string>
#include <vector>

namespace lum {

// A kind of scene object as a description names it: by its prototype's name
// or its "type", compared without regard to letter case. The scene loader
// builds one by it, the key schema checks its keys by it and the level plan
// draws it by it, so a kind's names are written here and nowhere else.
struct ObjectKind {
    // The name the checker lists among the known kinds.
    const char* name;
    // Other spellings that ask for the same kind; the unused ones are null.
    std::array<const char*, 2> aliases;
    // The context of the key rules whose keys an object of the kind reads.
    const char* keys;

    // Whether `typeName` asks for this kind.
    bool answersTo(const std::string& typeName) const;
};

namespace kinds {

// The scene graph's own objects.
inline constexpr ObjectKind node{"Node", {}, "Node"};
inline constexpr ObjectKind model{"Model", {}, "Model"};
inline constexpr ObjectKind light{"Light", {}, "Light"};
inline constexpr ObjectKind physics{"Physics", {"PhysicsNode"}, "Physics"};
// The game's objects: each is a model with a body of its own.
inline constexpr ObjectKind redCube{"RedCube", {"Red"}, "Model"};
inline constexpr ObjectKind greenCube{"GreenCube", {"Green"}, "Model"};
inline constexpr ObjectKind blueCube{"BlueCube", {"Blue"}, "Model"};
inline constexpr ObjectKind toyMouse{"ToyMouse", {"Mouse", "WindUpMouse"}, "Model"};
inline constexpr ObjectKind toyRobot{"ToyRobot", {"Robot"}, "Model"};
inline constexpr ObjectKind corn{"Corn", {}, "Model"};
inline constexpr ObjectKind door{"Door", {}, "Model"};

inline constexpr const ObjectKind* engineObjects[] = {&node, &model, &light, &physics};
inline constexpr const ObjectKind* gameObjects[] = {&redCube,  &greenCube, &blueCube, &toyMouse,
                                                    &toyRobot, &corn,      &door};

// Every kind, the scene graph's first, in the order the checker lists them.
std::vector<const ObjectKind*> all();
// The kind `typeName` asks for; null when it asks for none.
const ObjectKind* find(const std::string& typeName);

}  // namespace kinds

}  // namespace lum

#endif
