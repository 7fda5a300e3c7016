#include "LevelPlan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include <glm/gtc/matrix_transform.hpp>

#include "flow/LevelScript.h"
#include "lum/config/ConfigSchema.h"
#include "lum/config/Group.h"
#include "lum/config/ObjectKind.h"
#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/ModelLoader.h"

namespace lum {

namespace {

// What an area of the level's events is for, from what it sets off.
std::string roleOf(const Rule& rule, const Trigger& trigger) {
    for (const Action& action : rule.actions) {
        switch (action.kind) {
            case ActionKind::Finish:
                return "goal";
            case ActionKind::Kill:
                return "deadly";
            case ActionKind::Unlock:
                return "mode";
            default:
                break;
        }
    }
    return trigger.kind == TriggerKind::ObjectIn ? "target" : "";
}

// An area of the level's events on the ground plane; heights are left out.
PlanArea onGround(const Rule& rule, const Trigger& trigger) {
    const Area& area = trigger.area;
    const std::string label = rule.name.empty() ? triggerName(trigger.kind) : rule.name;
    return PlanArea{label,
                    roleOf(rule, trigger),
                    glm::vec2(area.low.x, area.low.z),
                    glm::vec2(area.high.x, area.high.z),
                    std::isinf(area.low.x) || std::isinf(area.high.x),
                    std::isinf(area.low.z) || std::isinf(area.high.z)};
}

// Every area the level's events watch, in the order of its file.
std::vector<PlanArea> areasOf(const LevelScript& script) {
    std::vector<PlanArea> found;
    for (const std::vector<Rule>* const rules : {&script.onStart, &script.events}) {
        for (const Rule& rule : *rules) {
            for (const Trigger& trigger : rule.when) {
                if (trigger.kind == TriggerKind::TobbleIn ||
                    trigger.kind == TriggerKind::ObjectIn) {
                    found.push_back(onGround(rule, trigger));
                }
            }
        }
    }
    return found;
}

// What a first attempt at the level starts without: hidden by a start rule
// that needs no flag.
std::set<std::string> hiddenAtFirstStart(const LevelScript& script) {
    std::set<std::string> hidden;
    for (const Rule& rule : script.onStart) {
        if (!rule.when.empty()) {
            continue;
        }
        for (const Action& action : rule.actions) {
            if (action.kind == ActionKind::Hide) {
                hidden.insert(action.objects.begin(), action.objects.end());
            }
        }
    }
    return hidden;
}

// Prototype names the plan tells apart, nearest first along an object's
// chain; the game's objects are told apart by their kinds as well.
const char* const categories[] = {"Floor",       "Wall",       "Rail",      "Plank",
                                  "Pole",        "JumpMarker", "JumpPaint", "DangerMarker",
                                  "DangerPaint", "Marker",     "Paint"};

// The category a prototype of this name stands for; null when none.
const char* categoryNamed(const std::string& prototype) {
    for (const char* const category : categories) {
        if (prototype == category) {
            return category;
        }
    }
    for (const ObjectKind* const kind : kinds::gameObjects) {
        if (prototype == kind->name) {
            return kind->name;
        }
    }
    return nullptr;
}

const char* const playerName = "tobble";
const float defaultPlayerRadius = 1.0f;

Transform transformOf(const Setting& description) {
    const Setting transform = description("transform");
    if (!transform.isGroup()) {
        return Transform::identity();
    }
    return Transform{transform("scale").toVec3(glm::vec3(1.0f)), transform("rotation").toQuat(),
                     transform("translation").toVec3(glm::vec3(0.0f))};
}

std::string categoryOf(const Setting& description) {
    const Group* group = dynamic_cast<const Group*>(description.value().get());
    for (; group != nullptr; group = group->prototypeGroup()) {
        if (const char* const category = categoryNamed(group->prototypeName())) {
            return category;
        }
    }
    return description.typeName();
}

// Half the size of the object's box before its transform: its collision
// box when it has one, else its mesh's.
glm::vec3 halfSizeOf(const Setting& description) {
    const Setting shape = description("shape");
    if (shape.isGroup() && shape("size").isList() && shape("size").size() >= 3) {
        return shape("size").toVec3();
    }
    if (shape.isGroup() && (shape("radius").isInt() || shape("radius").isDouble())) {
        return glm::vec3(static_cast<float>(shape("radius").asDouble()));
    }
    const Setting model = description("model");
    return glm::vec3(
        ModelLoader::instance().load(model.isString() ? model.asString() : "cube").extents);
}

}  // namespace

LevelPlan::LevelPlan(const std::string& name)
    : level(name), playerStart(0.0f), playerRadius(defaultPlayerRadius) {
    const Setting configuration = ConfigLoader::instance().load(name);
    std::vector<ScriptProblem> problems;
    const LevelScript script = readLevelScript(configuration, problems);
    hiddenAtStart = hiddenAtFirstStart(script);
    addList(configuration("scene"), glm::mat4(1.0f), false);
    // Lower things first, so that what stands higher is drawn over them.
    std::stable_sort(placed.begin(), placed.end(),
                     [](const PlanShape& a, const PlanShape& b) { return a.top < b.top; });
    scripted = areasOf(script);
    const Setting player = ConfigLoader::instance().load(playerName);
    const glm::vec3 start = transformOf(player).translation;
    playerStart = glm::vec2(start.x, start.z);
    const Setting radius = player("shape")("radius");
    if (radius.isInt() || radius.isDouble()) {
        playerRadius = static_cast<float>(radius.asDouble());
    }
}

const std::string& LevelPlan::name() const {
    return level;
}
const std::vector<PlanShape>& LevelPlan::shapes() const {
    return placed;
}
const std::vector<PlanArea>& LevelPlan::areas() const {
    return scripted;
}
glm::vec2 LevelPlan::start() const {
    return playerStart;
}
const std::set<std::string>& LevelPlan::objectNames() const {
    return named;
}
float LevelPlan::startRadius() const {
    return playerRadius;
}

glm::vec2 LevelPlan::low() const {
    glm::vec2 low, high;
    bounds(low, high);
    return low;
}

glm::vec2 LevelPlan::high() const {
    glm::vec2 low, high;
    bounds(low, high);
    return high;
}

void LevelPlan::bounds(glm::vec2& low, glm::vec2& high) const {
    low = playerStart - glm::vec2(playerRadius);
    high = playerStart + glm::vec2(playerRadius);
    for (const PlanShape& shape : placed) {
        for (const glm::vec2& point : shape.outline) {
            low = glm::min(low, point);
            high = glm::max(high, point);
        }
    }
    for (const PlanArea& area : scripted) {
        if (!area.unboundedX) {
            low.x = std::min(low.x, area.low.x);
            high.x = std::max(high.x, area.high.x);
        }
        if (!area.unboundedZ) {
            low.y = std::min(low.y, area.low.y);
            high.y = std::max(high.y, area.high.y);
        }
    }
}

void LevelPlan::addList(const Setting& list, const glm::mat4& parent, bool hidden) {
    if (!list.isList()) {
        return;
    }
    for (const auto element = list.iterator(); element->hasNext();) {
        addObject(element->next(), parent, hidden);
    }
}

void LevelPlan::addObject(const Setting& description, const glm::mat4& parent, bool hidden) {
    if (description.isList()) {
        addList(description, parent, hidden);
        return;
    }
    if (description.isString()) {
        addObject(ConfigLoader::instance().load(description.asString()), parent, hidden);
        return;
    }
    if (!description.isGroup()) {
        return;
    }
    const Setting name = description("name");
    if (name.isString()) {
        named.insert(name.asString());
    }
    const bool hiddenHere = hidden || (name.isString() && hiddenAtStart.count(name.asString()));
    const glm::mat4 placement = parent * transformOf(description).toMatrix();
    const std::string context = sceneObjectContext(description.typeName());
    if (context == "Model") {
        addModel(description, placement, hiddenHere);
    } else if (context == "Node" || context == "Physics") {
        addList(description("children"), placement, hiddenHere);
    }
}

void LevelPlan::addModel(const Setting& description, const glm::mat4& placement, bool hidden) {
    const glm::vec3 half = halfSizeOf(description);
    PlanShape shape{{},
                    -std::numeric_limits<float>::infinity(),
                    categoryOf(description),
                    description("name").isString() ? description("name").asString() : "",
                    hidden};
    // The top face's corners, in the order that walks round it.
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& corner : corners) {
        const glm::vec4 top =
            placement * glm::vec4(corner[0] * half.x, half.y, corner[1] * half.z, 1);
        shape.outline.push_back(glm::vec2(top.x, top.z));
        shape.top = std::max(shape.top, top.y);
    }
    placed.push_back(shape);
}

}  // namespace lum
