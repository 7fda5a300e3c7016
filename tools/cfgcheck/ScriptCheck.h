#ifndef GLIMMET_CFGCHECK_SCRIPTCHECK_H
#define GLIMMET_CFGCHECK_SCRIPTCHECK_H

#include <vector>

#include "flow/Area.h"
#include "flow/LevelScript.h"
#include "lum/config/SourcePositions.h"

namespace lum {

class LevelPlan;
class Setting;

// Checks the events of the level file `level`: kinds the game does not
// know, and with its layout `plan` (when it could be drawn) names no object
// of the level has and areas Tobble can never get to from the start.
std::vector<ScriptProblem> checkLevelScript(const Setting& level, const LevelPlan* plan);

// Whether Tobble can get from the start to `area`: some shape of the level
// lies under it, below its top, and can be got to from the shape under the
// start by rolling, falling or jumping across gaps no wider than a jump.
// A rough test of the ground plane, not a path search.
bool reachable(const LevelPlan& plan, const Area& area);

}  // namespace lum

#endif
