#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConfigFixture.h"
#include "RendererFixture.h"
#include "lum/config/Setting.h"
#include "lum/look/Backdrop.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/util/Exception.h"

using namespace lum;

namespace {

bool inside(const glm::vec3& point, const glm::vec3& low, const glm::vec3& high) {
    return glm::all(glm::greaterThanEqual(point, low)) && glm::all(glm::lessThanEqual(point, high));
}

Setting levelBackdrop(const std::string& level) {
    return ConfigLoader::instance().load(level)("backdrop");
}

}  // namespace

class BackdropTest : public RendererTest {};

TEST_F(BackdropTest, EachLevelStandsInAClosedRoomWithWallPicturesThatMeetAtTheCorners) {
    for (const char* level : {"level1", "level2", "level3"}) {
        SCOPED_TRACE(level);
        const Setting description = levelBackdrop(level);
        const std::vector<Backdrop::Face> faces = Backdrop::build(description, level);
        ASSERT_EQ(6u, faces.size());
        const glm::vec3 low = glm::min(description("from").toVec3(), description("to").toVec3());
        const glm::vec3 high = glm::max(description("from").toVec3(), description("to").toVec3());
        // Where every level starts, with the camera's farthest reach round it.
        EXPECT_TRUE(inside(glm::vec3(81.5f, 10.0f, 0.0f) + glm::vec3(0, 100, 0), low, high));
        for (const Backdrop::Face& face : faces) {
            ASSERT_TRUE(face.texture);
            for (int corner = 0; corner < 4; ++corner) {
                EXPECT_TRUE(inside(face.corners[corner], low, high));
            }
            // Whole repeats along a wall and up it: no seam at a corner.
            const glm::vec2 far = face.texCoords[2];
            if (face.corners[0].y == low.y && face.corners[2].y == high.y) {
                EXPECT_EQ(far.x, std::round(far.x));
                EXPECT_EQ(1.0f, far.y);
            }
        }
    }
}

TEST_F(BackdropTest, NoBackdropGivesNoRoomAndAFlatBoxIsReported) {
    EXPECT_TRUE(Backdrop::build(Setting(), "plain").empty());

    test::TempResources resources;
    const Setting flat =
        test::loadText(resources, "backdrop = { from = (0, 0, 0); to = (10, 0, 10) };\n");
    EXPECT_EQ(
        "flat.cfg: the backdrop's \"from\" and \"to\" must be opposite corners of a box",
        test::failureOf<ConfigException>([&] { Backdrop::build(flat("backdrop"), "flat.cfg"); }));
}
