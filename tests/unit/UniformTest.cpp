#include <gtest/gtest.h>

#include "ConfigFixture.h"

#include "lum/render/GLEnumName.h"
#include "lum/render/Uniform.h"
#include "lum/render/UniformTable.h"
#include "lum/util/Exception.h"

using namespace lum;

TEST(Uniform, EachSupportedTypeGetsItsClassAndOthersAreRefused) {
    EXPECT_NO_THROW(Uniform::make(GL_SAMPLER_1D, "celShade", 0)->asInt());
    EXPECT_NO_THROW(Uniform::make(GL_SAMPLER_2D, "tex", 1)->asInt());
    EXPECT_NO_THROW(Uniform::make(GL_FLOAT_MAT3, "normalMatrix", 2)->asMat3());
    EXPECT_EQ(glm::mat4(1.0f), Uniform::make(GL_FLOAT_MAT4, "m", 3)->asMat4().getValue());
    for (GLenum refused :
         {GLenum(GL_BOOL), GLenum(GL_FLOAT_MAT2), GLenum(GL_INT_VEC3), GLenum(GL_SAMPLER_3D)}) {
        EXPECT_EQ("Invalid use of OpenGL: Tried to create Uniform with unknown type.",
                  test::failureOf<GLException>([&] { Uniform::make(refused, "flag", 4); }))
            << glEnumName(refused);
    }
}

TEST(Uniform, ClonesAreIndependentOfTheOriginal) {
    const boost::shared_ptr<Uniform> original = Uniform::make(GL_FLOAT_MAT4, "modelMatrix", 5);
    const boost::shared_ptr<Uniform> copy = original->clone();
    copy->asMat4().setValue(glm::mat4(2.0f));
    EXPECT_EQ(glm::mat4(1.0f), original->asMat4().getValue());
    EXPECT_EQ(glm::mat4(2.0f), copy->asMat4().getValue());
    EXPECT_EQ("modelMatrix", copy->getName());
    EXPECT_EQ(5, copy->getLocation());
}

TEST(Uniform, TableKeepsTheFirstOfTwoAtOneLocation) {
    const UniformTable table({Uniform::make(GL_FLOAT, "a", 3), Uniform::make(GL_INT, "b", 3),
                              Uniform::make(GL_INT, "c", 4)});
    ASSERT_EQ(2u, table.getList().size());
    EXPECT_EQ("a", table.getList()[0]->getName());
    EXPECT_EQ(nullptr, table.find("b"));
    EXPECT_NE(nullptr, table.find("c"));
}
