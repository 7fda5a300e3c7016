#ifndef GLIMMET_LEVELEVENTS_H
#define GLIMMET_LEVELEVENTS_H

#include <set>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "flow/LevelScript.h"

namespace lum {

class Spatial;

// The objects a trigger found: those in its area, or those fallen.
typedef std::vector<boost::shared_ptr<Spatial>> Matched;

// One pass of a level's rules over the scene and the player. The triggers
// read the flags as they were when the pass began, so that a flag set in a
// pass is seen from the next one on, whatever the order of the rules.
class LevelEvents {
public:
    // `flags`: what the level has earned; "setFlag" adds to it. `elapsed`:
    // seconds of play since the level's start.
    LevelEvents(std::set<std::string>& flags, double elapsed);

    // Runs `rules` in order. True when one finished the level: the rules
    // after it do not run, since the level is left.
    bool run(const std::vector<Rule>& rules);

    // The objects a trigger watches: a group stands for its members, a body
    // for itself. A name no object of the scene has is an exception.
    static Matched membersOf(const std::vector<std::string>& names);

private:
    bool holds(const Rule& rule, Matched& matched) const;
    bool holds(const Trigger& trigger, Matched& matched) const;
    // True when the action finishes the level.
    bool perform(const Action& action, const Matched& matched);

    const std::set<std::string> seen;
    std::set<std::string>& flags;
    const double elapsed;
};

// The object of that name anywhere in the scene, or null.
boost::shared_ptr<Spatial> findInScene(const std::string& name);

}  // namespace lum

#endif
