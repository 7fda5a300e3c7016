#include <gtest/gtest.h>

#include <vector>

#include "ConfigFixture.h"
#include "RendererFixture.h"
#include "lum/render/BindingState.h"
#include "lum/render/GLBuffer.h"
#include "lum/util/Exception.h"

using namespace lum;

using BufferTest = RendererTest;

namespace {
constexpr auto failureOf = &test::failureOf<Exception>;

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

TEST_F(BufferTest, SetDataChecksItsRangeInOrder) {
    GLBuffer buffer(64, StaticDraw);
    const std::vector<char> bytes(64, 7);
    EXPECT_TRUE(endsWith(failureOf([&] { buffer.setData(64, 1, bytes.data()); }),
                         " : 0 <= offset && offset < this->size\n"));
    // A size that would wrap around when added to the offset is still refused.
    EXPECT_TRUE(endsWith(failureOf([&] { buffer.setData(8, 0xFFFFFFF8u, bytes.data()); }),
                         " : 0 < size && (offset + size) <= this->size\n"));
    EXPECT_TRUE(endsWith(failureOf([&] { buffer.setData(0, 4, nullptr); }), " : data\n"));
    EXPECT_NO_THROW(buffer.setData(0, 64, bytes.data()));
    EXPECT_FALSE(bufferBindingState(GL_ARRAY_BUFFER).bound);
}
