#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ConfigFixture.h"
#include "lum/config/Setting.h"
#include "lum/util/Exception.h"

using namespace lum;

namespace {

std::string failure(const std::function<void()>& access) {
    return test::failureOf<ConfigException>(access);
}

Setting listOf(std::initializer_list<Setting> elements) {
    const Setting list = Setting::newList();
    for (const Setting& element : elements) {
        list.add(element);
    }
    return list;
}

Setting groupWith(const Setting& key, const Setting& value) {
    const Setting group = Setting::newGroup();
    group.put(key, value);
    return group;
}

}  // namespace

TEST(Setting, ALongPrototypeChainIsWalkedWithoutExhaustingTheStack) {
    Setting current = groupWith("depth", 0);
    for (int i = 0; i < 200000; ++i) {
        const Setting next = Setting::newGroup();
        next.setPrototype("Previous", current);
        current = next;
    }
    EXPECT_EQ(0, current("depth").asInt());
    EXPECT_FALSE(current.contains("missing"));
}

TEST(Setting, ConvertsListsToVectorsOrFallsBack) {
    EXPECT_EQ("Cannot convert to glm::vec3", failure([] { listOf({1, 2}).toVec3(); }));
    const glm::vec3 fallback(7, 8, 9);
    EXPECT_EQ(fallback, listOf({1, 2}).toVec3(fallback));
    EXPECT_EQ(glm::vec3(1, 2.5f, 3), listOf({1, 2.5, 3, 4}).toVec3());
    EXPECT_EQ(glm::quat(1, 0, 0, 0), Setting::newGroup()("missing").toQuat());
}
