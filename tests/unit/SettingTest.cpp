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

TEST(Setting, EachKindAnswersItsOwnQueryAndNamesItselfWhenMisused) {
    EXPECT_FALSE(Setting(3).isDouble());
    EXPECT_FALSE(Setting(3.0).isInt());

    EXPECT_EQ("Integer cannot be cast to boolean.", failure([] { Setting(3).asBool(); }));
    EXPECT_EQ("Invalid setting cannot be cast to integer.", failure([] { Setting().asInt(); }));
    EXPECT_EQ("String cannot be cast to double.", failure([] { Setting("x").asDouble(); }));
    EXPECT_EQ("Boolean cannot be cast to string.", failure([] { Setting(true).asString(); }));
    EXPECT_EQ("Integer is no container, and cannot be indexed into with an String",
              failure([] { Setting(1)("key"); }));
    EXPECT_EQ("List is no container, and cannot be indexed into with an String",
              failure([] { Setting::newList()("key"); }));
    EXPECT_EQ("Boolean has no size.", failure([] { Setting(false).size(); }));
    EXPECT_EQ("Double is not a pair", failure([] { Setting(1.5).first(); }));
    EXPECT_EQ("List is not a pair", failure([] { Setting::newList().second(); }));
    EXPECT_EQ("String cannot be iterated over.", failure([] { Setting("x").iterator(); }));

    EXPECT_EQ(3, Setting(3.9).asInt());
    EXPECT_EQ(-3, Setting(-3.9).asInt());
    EXPECT_DOUBLE_EQ(7.0, Setting(7).asDouble());
}

TEST(Setting, IntegerEqualsATruncatedDoubleButNotTheOtherWayRound) {
    EXPECT_TRUE(Setting(3).equals(Setting(3.9)));
    EXPECT_FALSE(Setting(3.9).equals(Setting(3)));
    EXPECT_TRUE(Setting(3.0).equals(Setting(3)));
    EXPECT_TRUE(Setting().equals(Setting()));
    EXPECT_FALSE(Setting("Light").equals(Setting("light")));
    EXPECT_FALSE(Setting(1).equals(Setting(true)));
    EXPECT_TRUE(listOf({1, 2.5}).equals(listOf({1, 2.5})));
    EXPECT_FALSE(listOf({1, 2.5}).equals(listOf({1})));
    EXPECT_TRUE(Setting::newPair("a", 1).equals(Setting::newPair("a", 1.0)));

    const Setting base = groupWith("speed", 2);
    const Setting derived = groupWith("a", 1);
    derived.setPrototype("Base", base);
    const Setting same = groupWith("a", 1);
    same.setPrototype("Other", groupWith("speed", 2));
    EXPECT_TRUE(derived.equals(same));
    EXPECT_FALSE(derived.equals(groupWith("a", 1)));
}

TEST(Setting, GroupKeysMatchWithinOneKindAndEqualValuesHashAlike) {
    const Setting group = Setting::newGroup();
    group.put(3, "integer");
    group.put(3.0, "double");
    EXPECT_EQ(2u, group.size());
    EXPECT_EQ("integer", group(3).asString());
    EXPECT_EQ("double", group(3.0).asString());
    EXPECT_TRUE(group(3.5).isInvalid());

    group.put(std::string("name"), 1);
    group.put("name", 2);
    EXPECT_EQ(3u, group.size());
    EXPECT_EQ(2, group("name").asInt());

    // Scalar keys are found above; lists and groups hash by content too.
    EXPECT_EQ(listOf({1, "a"}).hash(), listOf({1, "a"}).hash());
    EXPECT_EQ(groupWith("a", 1).hash(), groupWith("a", 1).hash());
}

TEST(Setting, ReadingAListPastItsEndLengthensIt) {
    const Setting list = listOf({1, 2, 3});
    EXPECT_TRUE(list(4).isInvalid());
    EXPECT_EQ(5u, list.size());
    EXPECT_EQ(2, list(1).asInt());
    EXPECT_EQ("List cannot be indexed with the negative index -1", failure([&] { list(-1); }));
    EXPECT_EQ(5u, list.size());

    const Setting element = list(0);
    EXPECT_TRUE(list.contains(element));
    EXPECT_FALSE(list.contains(Setting(1)));
}

TEST(Setting, GroupsInheritAlongThePrototypeChainAndTakeItsName) {
    const Setting base = groupWith("speed", 2);
    const Setting light = groupWith("color", "white");
    light.setPrototype("Base", base);
    const Setting lamp = Setting::newGroup();
    lamp.setPrototype("Light", light);

    EXPECT_EQ(2, lamp("speed").asInt());
    EXPECT_TRUE(lamp.contains("speed"));
    EXPECT_FALSE(lamp.contains("size"));
    EXPECT_EQ(0u, lamp.size());
    EXPECT_TRUE(lamp("size").isInvalid());
    EXPECT_EQ("Group", Setting::newGroup().typeName());
    EXPECT_EQ("Light", lamp.typeName());
    EXPECT_EQ("Light cannot be cast to string.", failure([&] { lamp.asString(); }));
    // Messages show a group with the name of its prototype.
    const Setting shade = groupWith("color", listOf({1, 0.5}));
    shade.setPrototype("Light", light);
    EXPECT_EQ("Light {\"color\"=(1, 0.5)}", textOf(shade));

    base.put("type", "Thing");
    EXPECT_EQ("Thing", lamp.typeName());
    lamp.put("type", 5);
    EXPECT_EQ("Light", lamp.typeName());

    lamp.put("speed", 9);
    EXPECT_EQ(9, lamp("speed").asInt());
    EXPECT_EQ(2, base("speed").asInt());

    // Only groups take part.
    const Setting number(4);
    number.setPrototype("Light", light);
    lamp.setPrototype("Number", number);
    EXPECT_EQ("Light", lamp.typeName());
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
    EXPECT_EQ("Previous", current.typeName());
}

TEST(Setting, AddAndPutWorkOnTheirContainersOnly) {
    const Setting target = groupWith("a", 2);
    target.add(groupWith("a", 1));
    target.add(Setting::newPair("b", true));
    EXPECT_EQ(1, target("a").asInt());
    EXPECT_TRUE(target("b").asBool());

    EXPECT_EQ("cannot add Integer to group.", failure([&] { target.add(3); }));
    EXPECT_EQ("put() can only be used with groups, not List",
              failure([] { Setting::newList().put("a", 1); }));
    EXPECT_EQ("add() can only be used on lists and groups, not on Integer",
              failure([] { Setting(1).add(2); }));

    Setting handle(5);
    const Setting other = handle;
    handle.toGroup().put("x", 1);
    EXPECT_TRUE(other.isInt());
    EXPECT_EQ(1, handle("x").asInt());
    handle.toList();
    EXPECT_TRUE(handle.isList());
}

TEST(Setting, IteratorsWalkListsInOrderAndGroupsOwnEntriesAsPairs) {
    const boost::shared_ptr<Setting::Iterator> elements = listOf({1, 2}).iterator();
    EXPECT_EQ(1, elements->next().asInt());
    EXPECT_EQ(2, elements->next().asInt());
    EXPECT_FALSE(elements->hasNext());

    const Setting group = groupWith("a", 1);
    group.setPrototype("Base", groupWith("b", 2));
    const boost::shared_ptr<Setting::Iterator> entries = group.iterator();
    const Setting entry = entries->next();
    EXPECT_EQ("a", entry.first().asString());
    EXPECT_EQ(1, entry.second().asInt());
    EXPECT_FALSE(entries->hasNext());
}

TEST(Setting, ConvertsListsToVectorsAndQuaternions) {
    EXPECT_EQ("Cannot convert to glm::vec3", failure([] { listOf({1, 2}).toVec3(); }));
    EXPECT_EQ("Cannot convert to glm::vec3", failure([] { Setting(1).toVec3(); }));
    const glm::vec3 fallback(7, 8, 9);
    EXPECT_EQ(fallback, listOf({1, 2}).toVec3(fallback));
    EXPECT_EQ(glm::vec3(1, 2.5f, 3), listOf({1, 2.5, 3, 4}).toVec3());
    EXPECT_EQ(glm::vec4(1, 2, 3, 4), listOf({1, 2, 3, 4}).toVec4(glm::vec4(0)));
    EXPECT_EQ(glm::vec4(5), listOf({1, 2, 3}).toVec4(glm::vec4(5)));
    EXPECT_EQ("String cannot be cast to double.", failure([] { listOf({1, "two", 3}).toVec3(); }));

    const glm::quat identity(1, 0, 0, 0);
    EXPECT_EQ(identity, listOf({0, 0, 0, 1}).toQuat());
    EXPECT_EQ(identity, Setting::newGroup()("missing").toQuat());
    const glm::quat unnormalised = listOf({1, 2, 3, 4}).toQuat();
    EXPECT_EQ(1.0f, unnormalised.x);
    EXPECT_EQ(4.0f, unnormalised.w);
}
