#include <gtest/gtest.h>

#include "lum/KeyBindings.h"
#include "lum/platform/InputFrame.h"

using namespace lum;

TEST(KeyBindings, EveryKeyIsNamedAndFoundByItsName) {
    for (int code = 0; code <= key::Last; ++code) {
        EXPECT_EQ(code, keyCode(keyName(code))) << keyName(code);
    }
    EXPECT_EQ('W', keyCode("w")) << "a letter in either case";
    EXPECT_EQ(KeyBindings::unbound, keyCode("no such key"));
}
