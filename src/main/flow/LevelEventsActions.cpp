#include "flow/LevelEvents.h"

#include "flow/Levels.h"
#include "lum/GameSettings.h"
#include "lum/character/Glimmet.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/scene/Node.h"
#include "lum/util/CheckedCast.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

void setVisible(const std::vector<std::string>& names, bool visible) {
    LUM_TRACE_BEGIN
    for (const std::string& name : names) {
        const boost::shared_ptr<Spatial> object = findInScene(name);
        if (!object) {
            throw OutOfBoundsException("The level has no object named '" + name + "'");
        }
        checkedCast<Node>(object)->setVisible(visible);
    }
    LUM_TRACE_END
}

void unlock(const std::string& mode) {
    LUM_TRACE_BEGIN
    Glimmet& player = Glimmet::instance();
    struct Unlocking {
        const char* name;
        Glimmet::Mode mode;
        void (Glimmet::*switchTo)();
    };
    const Unlocking modes[] = {{"base", Glimmet::Base, &Glimmet::switchToBase},
                               {"jump", Glimmet::Jump, &Glimmet::switchToJump},
                               {"spike", Glimmet::Spike, &Glimmet::switchToSpike},
                               {"speed", Glimmet::Speed, &Glimmet::switchToSpeed}};
    for (const Unlocking& known : modes) {
        if (mode == known.name) {
            player.modeAvailable[known.mode] = true;
            (player.*known.switchTo)();
        }
    }
    LUM_TRACE_END
}

void kill() {
    LUM_TRACE_BEGIN
    Glimmet::instance().kill();
    drawFullScreen("dead");
    LUM_TRACE_END
}

// The objects back at `place`, at rest, to be tried again.
void putBack(const Matched& objects, const glm::vec3& place) {
    LUM_TRACE_BEGIN
    for (const boost::shared_ptr<Spatial>& object : objects) {
        if (PhysicsNode* const body = dynamic_cast<PhysicsNode*>(object.get())) {
            body->moveTo(place);
        }
    }
    LUM_TRACE_END
}

}  // namespace

bool LevelEvents::perform(const Action& action, const Matched& matched) {
    LUM_TRACE_BEGIN
    switch (action.kind) {
        case ActionKind::Show:
        case ActionKind::Hide:
            setVisible(action.objects, action.kind == ActionKind::Show);
            break;
        case ActionKind::Unlock:
            unlock(action.mode);
            break;
        case ActionKind::SetFlag:
            flags.insert(action.flag);
            break;
        case ActionKind::Message:
            GameSettings::instance().announce(action.text, action.seconds);
            break;
        case ActionKind::Kill:
            kill();
            break;
        case ActionKind::Return:
            putBack(action.objects.empty() ? matched : membersOf(action.objects), action.place);
            break;
        case ActionKind::Finish:
            return true;
    }
    return false;
    LUM_TRACE_END
}

}  // namespace lum
