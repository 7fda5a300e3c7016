#ifndef GLIMMET_LEVELAREAS_H
#define GLIMMET_LEVELAREAS_H

#include "flow/Area.h"

namespace lum {
namespace areas {

const float anywhere = Area::unbounded;

// Level 1: the green cube is placed in its target, then Tobble reaches the goal.
inline const Area greenCubeTarget01{{-121, -1, -anywhere}, {-117, 1.5f, anywhere}};
inline const Area goal01{{-123, 0, -anywhere}, {-115, 10, anywhere}};
// Level 2: where Tobble learns to jump, and the area that kills at any height.
inline const Area jumpSpot02{{-10, -anywhere, -40}, {-4, anywhere, -36}};
inline const Area deadlyArea02{{-111, -anywhere, 19.5f}, {-103, anywhere, 27.5f}};

}  // namespace areas

// What the level scripts hide when a level starts and show once the player
// has earned them; the level plan hatches them.
namespace hidden {

// Level 1: the walkway that the red cubes' fall uncovers.
inline const char* const walkway01 = "boardWalkSmallUnlock01";
// Level 2: the second red cube, there once the first is down, and the
// walkway that its fall uncovers.
inline const char* const secondRedCube02 = "redCube0202";
inline const char* const walkway02 = "boardWalkSmallUnlock02";

struct HiddenObject {
    const char* level;
    const char* name;
};

inline const HiddenObject atStart[] = {
    {"level1", walkway01},
    {"level2", walkway02},
    {"level2", secondRedCube02},
};

}  // namespace hidden
}  // namespace lum

#endif
