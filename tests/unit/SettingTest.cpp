#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ConfigFixture.h"
#include "lum/config/Setting.h"
#include "lum/util/Exception.h"

using namespace lum;
using lum::test::textOf;

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

TEST(Setting, GroupsInheritAlongThePrototypeChainAndTakeItsName) {
    const Setting base = groupWith("speed", 2);
    const Setting light = groupWith("color", "white");
    light.setPrototype("Base", base);
    const Setting lamp = Setting::newGroup();
    lamp.setPrototype("Light", light);

    EXPECT_EQ(2, lamp("speed").asInt());
    EXPECT_FALSE(lamp.contains("size"));
    EXPECT_EQ("Light", lamp.typeName());
    // Messages show a group with the name of its prototype.
    const Setting shade = groupWith("color", listOf({1, 0.5}));
    shade.setPrototype("Light", light);
    EXPECT_EQ("Light {\"color\"=(1, 0.5)}", textOf(shade));

    lamp.put("speed", 9);
    EXPECT_EQ(9, lamp("speed").asInt());
    EXPECT_EQ(2, base("speed").asInt());
}

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
