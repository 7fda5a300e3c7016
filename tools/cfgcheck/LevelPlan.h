#ifndef GLIMMET_CFGCHECK_LEVELPLAN_H
#define GLIMMET_CFGCHECK_LEVELPLAN_H

#include <set>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "lum/scene/Transform.h"

namespace lum {

class Setting;

// One solid or painted thing of a level seen from above: the outline of its
// box on the ground plane (x, z), how high its top is, and what it is.
struct PlanShape {
    std::vector<glm::vec2> outline;
    float top;
    // The nearest prototype of its chain that the plan knows ("Floor",
    // "Rail", "RedCube", ...), else its kind.
    std::string category;
    std::string name;
    bool hidden;
};

// A place the level's events watch, as a rectangle of the ground plane; a
// side without limits is `unbounded` and spans the whole level. Its role is
// what it sets off: "goal", "deadly", "mode", "target", or empty.
struct PlanArea {
    std::string label;
    std::string role;
    glm::vec2 low;
    glm::vec2 high;
    bool unboundedX;
    bool unboundedZ;
};

// A level's layout as the game loads it: every model's box placed by its
// own and its ancestors' transforms and sized by its shape (or its mesh),
// the areas its events watch, what a first attempt starts without, and the
// player's start.
class LevelPlan {
public:
    // Loads the level `name` ("level1") and the player's file below
    // "resources" in the working directory.
    explicit LevelPlan(const std::string& name);

    const std::string& name() const;
    const std::vector<PlanShape>& shapes() const;
    const std::vector<PlanArea>& areas() const;
    glm::vec2 start() const;
    // Every name an object of the level has, at any depth.
    const std::set<std::string>& objectNames() const;
    float startRadius() const;

    // The smallest rectangle around every shape, area and the start.
    glm::vec2 low() const;
    glm::vec2 high() const;

private:
    // Both corners at once; `low` and `high` are outputs.
    void bounds(glm::vec2& low, glm::vec2& high) const;
    void addObject(const Setting& description, const glm::mat4& parent, bool hidden);
    void addList(const Setting& list, const glm::mat4& parent, bool hidden);
    void addModel(const Setting& description, const glm::mat4& placement, bool hidden);

    std::string level;
    std::vector<PlanShape> placed;
    std::vector<PlanArea> scripted;
    std::set<std::string> hiddenAtStart;
    std::set<std::string> named;
    glm::vec2 playerStart;
    float playerRadius;
};

}  // namespace lum

#endif
