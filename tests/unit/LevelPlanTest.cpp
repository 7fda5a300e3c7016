#include <gtest/gtest.h>

#include "LevelPlan.h"
#include "PlanPicture.h"

using namespace lum;

// A path through a level turns the same way on its plan as on the game's
// screen: in level 1 the red blocks are on Tobble's left as it rolls west
// along the shelf, and level 2's shelf turns right to the jump spot.
TEST(LevelPlanTest, APathTurnsTheSameWayOnThePlanAsOnTheGamesScreen) {
    const struct {
        const char* level;
        glm::vec3 from, via, to;
        bool turnsLeft;
    } cases[] = {
        {"level1", glm::vec3(81.5f, 10, 0), glm::vec3(-52, 10, 0), glm::vec3(-52, 10, 6), true},
        {"level2", glm::vec3(81.5f, 10, 0), glm::vec3(-7, 10, 0), glm::vec3(-7, 10, -38), false},
    };
    for (const auto& c : cases) {
        const LevelPlan plan(c.level);
        const PlanPicture picture(plan, 1000);
        const auto pixel = [&](const glm::vec3& at) {
            return picture.pixelOf(glm::vec2(at.x, at.z));
        };
        const glm::vec2 heading = pixel(c.via) - pixel(c.from);
        const glm::vec2 onward = pixel(c.to) - pixel(c.via);
        // The picture's y axis points down: a left turn has a negative cross product.
        EXPECT_EQ(c.turnsLeft, heading.x * onward.y - heading.y * onward.x < 0) << c.level;
    }
}
