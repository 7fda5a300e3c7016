#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <glm/gtc/quaternion.hpp>

#include "LevelPlan.h"
#include "PlanPicture.h"
#include "lum/scene/Camera.h"
#include "lum/scene/Node.h"

using namespace lum;

namespace {

enum class Turn { Left, Right };

const char* nameOf(Turn turn) {
    return turn == Turn::Left ? "left" : "right";
}

// Which way a path from `from` through `via` turns on to `to`, in a picture
// whose y axis points up when `yUp`, else down.
Turn turnOf(const glm::vec2& from, const glm::vec2& via, const glm::vec2& to, bool yUp) {
    const glm::vec2 heading = via - from;
    const glm::vec2 onward = to - via;
    const float cross = heading.x * onward.y - heading.y * onward.x;
    return (cross > 0) == yUp ? Turn::Left : Turn::Right;
}

// Where a point of the world lands on the screen of the game's camera
// hung high over the level, looking straight down.
class OverheadCamera {
public:
    OverheadCamera() : camera(Camera::make("overhead", boost::weak_ptr<Node>())) {
        camera->setPerspective(40, 1, 1, 1000);
        camera->setTranslation(glm::vec3(0, 400, 0));
        camera->setRotation(glm::angleAxis(glm::radians(-90.0f), glm::vec3(1, 0, 0)));
        camera->update(0.0);
    }

    glm::vec2 screenOf(const glm::vec3& world) const {
        const glm::vec4 clip = camera->getViewProjection() * glm::vec4(world, 1);
        return glm::vec2(clip.x, clip.y) / clip.w;
    }

private:
    boost::shared_ptr<Camera> camera;
};

}  // namespace

// A path through a level turns the same way on its plan as on the game's
// screen: in level 1 the red blocks are on Tobble's left as it rolls west
// along the shelf, and level 2's shelf turns right to the jump spot.
TEST(LevelPlanTest, APathTurnsTheSameWayOnThePlanAsOnTheGamesScreen) {
    struct Case {
        const char* level;
        glm::vec3 from, via, to;
        Turn inGame;
    };
    const Case cases[] = {
        {"level1", glm::vec3(81.5f, 10, 0), glm::vec3(-52, 10, 0), glm::vec3(-52, 10, 6),
         Turn::Left},
        {"level2", glm::vec3(81.5f, 10, 0), glm::vec3(-7, 10, 0), glm::vec3(-7, 10, -38),
         Turn::Right},
    };
    const OverheadCamera game;
    for (const Case& c : cases) {
        const LevelPlan plan(c.level);
        const PlanPicture picture(plan, 1000);
        const auto pixel = [&](const glm::vec3& at) {
            return picture.pixelOf(glm::vec2(at.x, at.z));
        };
        const Turn onScreen =
            turnOf(game.screenOf(c.from), game.screenOf(c.via), game.screenOf(c.to), true);
        const Turn onPlan = turnOf(pixel(c.from), pixel(c.via), pixel(c.to), false);
        EXPECT_STREQ(nameOf(c.inGame), nameOf(onScreen)) << c.level << ": the game's own picture";
        EXPECT_STREQ(nameOf(c.inGame), nameOf(onPlan)) << c.level << ": the plan";
    }
}
