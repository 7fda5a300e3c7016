#include <gtest/gtest.h>

#include "lum/config/Setting.h"

using namespace lum;

TEST(Setting, ALongPrototypeChainIsWalkedWithoutExhaustingTheStack) {
    Setting current = Setting::newGroup();
    current.put("depth", 0);
    for (int i = 0; i < 200000; ++i) {
        const Setting next = Setting::newGroup();
        next.setPrototype("Previous", current);
        current = next;
    }
    EXPECT_EQ(0, current("depth").asInt());
    EXPECT_FALSE(current.contains("missing"));
}
