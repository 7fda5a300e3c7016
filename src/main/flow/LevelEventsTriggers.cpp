#include "flow/LevelEvents.h"

#include "lum/character/Glimmet.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

float heightOf(const Spatial& object) {
    return object.getWorldTransform().translation.y;
}

bool tobbleIn(const Trigger& trigger) {
    return trigger.area.contains(Glimmet::instance().getWorldTransform().translation);
}

// All the watched objects down, or with `any` one of them; the fallen ones
// are matched.
bool fallen(const Trigger& trigger, Matched& matched) {
    const Matched members = LevelEvents::membersOf(trigger.objects);
    std::size_t down = 0;
    for (const boost::shared_ptr<Spatial>& member : members) {
        if (heightOf(*member) <= trigger.below) {
            matched.push_back(member);
            ++down;
        }
    }
    return trigger.any ? down > 0 : !members.empty() && down == members.size();
}

bool objectIn(const Trigger& trigger, Matched& matched) {
    bool anyInside = false;
    for (const boost::shared_ptr<Spatial>& member : LevelEvents::membersOf(trigger.objects)) {
        if (trigger.area.contains(member->getWorldTransform().translation)) {
            matched.push_back(member);
            anyInside = true;
        }
    }
    return anyInside;
}

}  // namespace

bool LevelEvents::holds(const Trigger& trigger, Matched& matched) const {
    LUM_TRACE_BEGIN
    switch (trigger.kind) {
        case TriggerKind::TobbleIn:
            return tobbleIn(trigger);
        case TriggerKind::Fallen:
            return fallen(trigger, matched);
        case TriggerKind::ObjectIn:
            return objectIn(trigger, matched);
        case TriggerKind::Timer:
            return elapsed >= trigger.seconds;
        case TriggerKind::Flag:
            return seen.count(trigger.flag) != 0;
    }
    return false;
    LUM_TRACE_END
}

}  // namespace lum
