#include "flow/LevelScript.h"

#include "lum/config/Setting.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// A kind of trigger or action and how a level file writes it.
template <typename Kind>
struct Named {
    const char* name;
    Kind kind;
};

const Named<TriggerKind> triggerNames[] = {{"tobbleIn", TriggerKind::TobbleIn},
                                           {"fallen", TriggerKind::Fallen},
                                           {"objectIn", TriggerKind::ObjectIn},
                                           {"timer", TriggerKind::Timer},
                                           {"flag", TriggerKind::Flag}};

const Named<ActionKind> actionNames[] = {
    {"show", ActionKind::Show},       {"hide", ActionKind::Hide},
    {"unlock", ActionKind::Unlock},   {"setFlag", ActionKind::SetFlag},
    {"message", ActionKind::Message}, {"kill", ActionKind::Kill},
    {"return", ActionKind::Return},   {"finish", ActionKind::Finish}};

const char* const modeNames[] = {"base", "jump", "spike", "speed"};

// The kind written `name`; false when there is none.
template <typename Kind, std::size_t count>
bool kindNamed(const Named<Kind> (&table)[count], const std::string& name, Kind& kind) {
    for (const Named<Kind>& known : table) {
        if (name == known.name) {
            kind = known.kind;
            return true;
        }
    }
    return false;
}

template <typename Kind, std::size_t count>
const char* nameOf(const Named<Kind> (&table)[count], Kind kind) {
    for (const Named<Kind>& known : table) {
        if (kind == known.kind) {
            return known.name;
        }
    }
    return "";
}

// Reads one level file's script, telling what it cannot use.
class ScriptReader {
public:
    explicit ScriptReader(std::vector<ScriptProblem>& problems) : problems(problems) {}

    std::vector<Rule> rules(const Setting& list) {
        std::vector<Rule> read;
        forEachGroup(list, list, [&](const Setting& group) { read.push_back(rule(group)); });
        return read;
    }

    // A name, or a list of names.
    std::vector<std::string> names(const Setting& value) {
        std::vector<std::string> read;
        if (value.isString()) {
            read.push_back(value.asString());
        } else if (value.isList()) {
            for (const auto element = value.iterator(); element->hasNext();) {
                const Setting name = element->next();
                if (name.isString()) {
                    read.push_back(name.asString());
                }
            }
        }
        return read;
    }

private:
    // `anchor`: where to point when the list itself has no place.
    template <typename Each>
    void forEachGroup(const Setting& list, const Setting& anchor, Each each) {
        if (!list.isList()) {
            return;
        }
        for (const auto element = list.iterator(); element->hasNext();) {
            const Setting group = element->next();
            if (group.isGroup()) {
                each(group);
            } else {
                tell(anchor, "a rule, trigger or action is a group { ... }");
            }
        }
    }

    void tell(const Setting& at, const std::string& text) {
        ScriptProblem problem{SourcePosition{}, false, text};
        problem.positioned = findPosition(at, problem.where);
        problems.push_back(problem);
    }

    Rule rule(const Setting& group) {
        Rule read;
        findPosition(group, read.where);
        read.name = group("name").stringOr("");
        forEachGroup(group("when"), group, [&](const Setting& trigger) {
            Trigger triggerRead;
            if (this->trigger(trigger, triggerRead)) {
                read.when.push_back(triggerRead);
            }
        });
        read.unless = names(group("unless"));
        forEachGroup(group("then"), group, [&](const Setting& action) {
            Action actionRead;
            if (this->action(action, actionRead)) {
                read.actions.push_back(actionRead);
            }
        });
        return read;
    }

    bool trigger(const Setting& group, Trigger& read) {
        const std::string kind = group("trigger").stringOr("");
        findPosition(group, read.where);
        if (kindNamed(triggerNames, kind, read.kind)) {
            read.area = area(group("area"));
            read.objects = names(group("objects"));
            read.below = static_cast<float>(group("below").doubleOr(read.below));
            read.any = group("any").boolOr(read.any);
            read.seconds = group("seconds").doubleOr(read.seconds);
            read.flag = group("flag").stringOr("");
            return true;
        }
        tell(group, "unknown trigger \"" + kind +
                        "\"; a trigger is tobbleIn, fallen, objectIn, timer or flag");
        return false;
    }

    bool action(const Setting& group, Action& read) {
        const std::string kind = group("action").stringOr("");
        findPosition(group, read.where);
        if (kindNamed(actionNames, kind, read.kind)) {
            read.objects = names(group("objects"));
            read.mode = group("mode").stringOr("");
            read.flag = group("flag").stringOr("");
            read.text = group("text").stringOr("");
            read.seconds = group("seconds").intOr(read.seconds);
            read.place = group("to").toVec3(read.place);
            return read.kind != ActionKind::Unlock || knownMode(group, read.mode);
        }
        tell(group, "unknown action \"" + kind +
                        "\"; an action is show, hide, unlock, setFlag, message, kill, return "
                        "or finish");
        return false;
    }

    bool knownMode(const Setting& group, const std::string& mode) {
        for (const char* const known : modeNames) {
            if (mode == known) {
                return true;
            }
        }
        tell(group, "unknown mode \"" + mode + "\"; a mode is base, jump, spike or speed");
        return false;
    }

    // A box given by the bounds of the axes it limits: { x = (-10, -4); z = (-40, -36) }.
    Area area(const Setting& group) {
        Area read{glm::vec3(-Area::unbounded), glm::vec3(Area::unbounded)};
        if (!group.isGroup()) {
            return read;
        }
        const char* const axes[] = {"x", "y", "z"};
        for (int axis = 0; axis < 3; ++axis) {
            const Setting bounds = group(axes[axis]);
            if (bounds.isInvalid()) {
                continue;
            }
            if (!bounds.isList() || bounds.size() != 2 || !bounds(0).isNumber() ||
                !bounds(1).isNumber()) {
                tell(group,
                     std::string("an area's ") + axes[axis] + " is two numbers, (low, high)");
                continue;
            }
            read.low[axis] = static_cast<float>(bounds(0).asDouble());
            read.high[axis] = static_cast<float>(bounds(1).asDouble());
        }
        return read;
    }

    std::vector<ScriptProblem>& problems;
};

}  // namespace

LevelScript readLevelScript(const Setting& level, std::vector<ScriptProblem>& problems) {
    LUM_TRACE_BEGIN
    ScriptReader reader(problems);
    LevelScript script;
    script.objective = level("objective").stringOr("");
    script.onStart = reader.rules(level("onStart"));
    script.events = reader.rules(level("events"));
    const Setting end = level("end");
    if (end.isGroup()) {
        script.endText = end("text").stringOr("");
        script.nextLevel = end("next").intOr(0);
    }
    script.deathHeight = static_cast<float>(level("deathHeight").doubleOr(script.deathHeight));
    return script;
    LUM_TRACE_END
}

LevelScript loadLevelScript(const std::string& name) {
    LUM_TRACE_BEGIN
    std::vector<ScriptProblem> problems;
    const LevelScript script = readLevelScript(ConfigLoader::instance().load(name), problems);
    if (!problems.empty()) {
        throw ConfigException(describe(problems.front()));
    }
    return script;
    LUM_TRACE_END
}

std::string describe(const ScriptProblem& problem) {
    if (!problem.positioned) {
        return problem.text;
    }
    return problem.where.path + ":" + std::to_string(problem.where.line) + ":" +
           std::to_string(problem.where.column) + ": " + problem.text;
}

const char* triggerName(TriggerKind kind) {
    return nameOf(triggerNames, kind);
}

const char* actionName(ActionKind kind) {
    return nameOf(actionNames, kind);
}

}  // namespace lum
