#ifndef GLIMMET_LEVELSCRIPT_H
#define GLIMMET_LEVELSCRIPT_H

#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "flow/Area.h"
#include "lum/config/SourcePositions.h"

namespace lum {

class Setting;

// What a level's file says happens in it beyond physics, in one small
// vocabulary of triggers and actions. Each kind reads only its own keys;
// a key left out takes the default given here.

enum class TriggerKind { TobbleIn, Fallen, ObjectIn, Timer, Flag };

struct Trigger {
    TriggerKind kind = TriggerKind::Flag;
    // "tobbleIn", "objectIn": where.
    Area area{glm::vec3(-Area::unbounded), glm::vec3(Area::unbounded)};
    // "fallen", "objectIn": the objects watched; a group stands for its members.
    std::vector<std::string> objects;
    // "fallen": an object is down at or below this height.
    float below = -10.0f;
    // "fallen": one object down is enough, rather than all of them.
    bool any = false;
    // "timer": seconds of play since the level's start.
    double seconds = 0.0;
    // "flag": set earlier in the level.
    std::string flag;
    SourcePosition where{};
};

enum class ActionKind { Show, Hide, Unlock, SetFlag, Message, Kill, Return, Finish };

struct Action {
    ActionKind kind = ActionKind::SetFlag;
    // "show", "hide": the objects; "return": the objects, or when left out
    // those that set the rule off.
    std::vector<std::string> objects;
    // "unlock": the mode Tobble learns and switches to.
    std::string mode;
    // "setFlag".
    std::string flag;
    // "message": its text and how many seconds of the message clock it stays.
    std::string text;
    int seconds = 4;
    // "return": where the objects are put back.
    glm::vec3 place{0.0f};
    SourcePosition where{};
};

// When every trigger holds and none of the `unless` flags is set, the
// actions run, in order, every pass that this stays so.
struct Rule {
    std::string name;
    std::vector<Trigger> when;
    std::vector<std::string> unless;
    std::vector<Action> actions;
    SourcePosition where{};
};

struct LevelScript {
    // Shown for a few seconds at every start.
    std::string objective;
    // Run once at every start and restart, for what the flags earned keep.
    std::vector<Rule> onStart;
    // Run every pass of play.
    std::vector<Rule> events;
    // Shown when the level is finished; `nextLevel` 0 ends the game after it.
    std::string endText;
    int nextLevel = 0;
    // Tobble below this height has fallen off the level.
    float deathHeight = -10.0f;
};

// Something in a level's script that the game cannot use as written.
struct ScriptProblem {
    SourcePosition where;
    bool positioned;
    std::string text;
};

// Reads the script of the level file `level`. What cannot be used is left
// out and told in `problems`.
LevelScript readLevelScript(const Setting& level, std::vector<ScriptProblem>& problems);

// The script of the level `name` ("level1"), loaded as the game loads the
// level; a problem in it is a ConfigException naming file, line and column.
LevelScript loadLevelScript(const std::string& name);

// "file:line:col: text", or the text alone where the place is unknown.
std::string describe(const ScriptProblem& problem);

// The names of the trigger and action kinds, as a level file writes them.
const char* triggerName(TriggerKind kind);
const char* actionName(ActionKind kind);

}  // namespace lum

#endif
