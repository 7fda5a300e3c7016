#include "ScriptCheck.h"

#include <deque>

#include "LevelPlan.h"
#include "lum/config/Setting.h"

namespace lum {

namespace {

// The widest gap between two things of a level that Tobble can jump.
const float jumpReach = 4.0f;
// The widest gap a flight in speed mode clears, in a level that teaches it:
// at its top speed off a ramp's lip Tobble flies some twenty units before it
// comes down five below.
const float speedReach = 20.0f;

struct GroundBox {
    glm::vec2 low;
    glm::vec2 high;
};

GroundBox boxOf(const PlanShape& shape) {
    GroundBox box{shape.outline.front(), shape.outline.front()};
    for (const glm::vec2& point : shape.outline) {
        box.low = glm::min(box.low, point);
        box.high = glm::max(box.high, point);
    }
    return box;
}

bool overlap(const GroundBox& a, const GroundBox& b, float margin) {
    return glm::all(glm::lessThanEqual(a.low, b.high + margin)) &&
           glm::all(glm::lessThanEqual(b.low, a.high + margin));
}

bool unlocksSpeed(const std::vector<Rule>& rules) {
    for (const Rule& rule : rules) {
        for (const Action& action : rule.actions) {
            if (action.kind == ActionKind::Unlock && action.mode == "speed") {
                return true;
            }
        }
    }
    return false;
}

// How far apart two things may be for Tobble to get from one to the other.
float reachOf(const LevelScript& script) {
    return unlocksSpeed(script.onStart) || unlocksSpeed(script.events) ? speedReach : jumpReach;
}

// The shapes Tobble can get to: from those under the start, on to every
// shape within `reach` of one already reached.
std::vector<bool> reachedShapes(const LevelPlan& plan, float reach) {
    const std::vector<PlanShape>& shapes = plan.shapes();
    std::vector<GroundBox> boxes;
    for (const PlanShape& shape : shapes) {
        boxes.push_back(boxOf(shape));
    }
    const GroundBox start{plan.start(), plan.start()};
    std::vector<bool> reached(shapes.size(), false);
    std::deque<std::size_t> next;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (overlap(boxes[i], start, 0.0f)) {
            reached[i] = true;
            next.push_back(i);
        }
    }
    while (!next.empty()) {
        const std::size_t from = next.front();
        next.pop_front();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (!reached[i] && overlap(boxes[from], boxes[i], reach)) {
                reached[i] = true;
                next.push_back(i);
            }
        }
    }
    return reached;
}

class ScriptChecker {
public:
    ScriptChecker(const LevelPlan& plan, float reach)
        : plan(plan), reached(reachedShapes(plan, reach)) {}

    void checkRules(const std::vector<Rule>& rules) {
        for (const Rule& rule : rules) {
            for (const Trigger& trigger : rule.when) {
                checkNames(trigger.objects, trigger.where);
                const bool hasArea =
                    trigger.kind == TriggerKind::TobbleIn || trigger.kind == TriggerKind::ObjectIn;
                if (hasArea && !reachable(trigger.area)) {
                    tell(trigger.where, "Tobble can never get to this area from the start");
                }
            }
            for (const Action& action : rule.actions) {
                checkNames(action.objects, action.where);
            }
        }
    }

    bool reachable(const Area& area) const {
        const GroundBox box{glm::vec2(area.low.x, area.low.z), glm::vec2(area.high.x, area.high.z)};
        for (std::size_t i = 0; i < reached.size(); ++i) {
            const PlanShape& shape = plan.shapes()[i];
            if (reached[i] && shape.top < area.high.y && overlap(boxOf(shape), box, 0.0f)) {
                return true;
            }
        }
        return false;
    }

    void tell(const SourcePosition& where, const std::string& text) {
        found.push_back(ScriptProblem{where, !where.path.empty(), text});
    }

    std::vector<ScriptProblem> found;

private:
    void checkNames(const std::vector<std::string>& names, const SourcePosition& where) {
        for (const std::string& name : names) {
            if (plan.objectNames().count(name) == 0) {
                tell(where, "no object of the level is named \"" + name + "\"");
            }
        }
    }

    const LevelPlan& plan;
    const std::vector<bool> reached;
};

}  // namespace

std::vector<ScriptProblem> checkLevelScript(const Setting& level, const LevelPlan* plan) {
    std::vector<ScriptProblem> problems;
    const LevelScript script = readLevelScript(level, problems);
    if (plan == nullptr) {
        return problems;
    }
    ScriptChecker checker(*plan, reachOf(script));
    checker.found = problems;
    checker.checkRules(script.onStart);
    checker.checkRules(script.events);
    return checker.found;
}

bool reachable(const LevelPlan& plan, const Area& area) {
    return ScriptChecker(plan, jumpReach).reachable(area);
}

}  // namespace lum
