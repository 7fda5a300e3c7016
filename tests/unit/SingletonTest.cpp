#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "lum/util/Exception.h"
#include "lum/util/Singleton.h"

namespace lum {
namespace test {

struct Lazy : Singleton<Lazy, 0> {};

struct Fragile : Singleton<Fragile, 0> {
    static int attempts;
    Fragile() {
        if (++attempts == 1) {
            throw IOException("File settings.cfg could not be found.");
        }
    }
};
int Fragile::attempts = 0;

struct Explicit : Singleton<Explicit, 1> {};

}  // namespace test
}  // namespace lum

using namespace lum;
using lum::test::Explicit;
using lum::test::Fragile;
using lum::test::Lazy;

// The failures quote Singleton.inl's lines, as the game's messages are
// written down: the formatter leaves that file alone to keep them there.
TEST(Singleton, MisuseIsToldWithTheAssertionsLineAndAnExplicitOneLivesWithItsOwner) {
    Lazy& first = Lazy::instance();
    EXPECT_EQ(&first, &Lazy::instance());
    EXPECT_EQ(
        "Assertion failed in Singleton.inl at line 14 : Singleton lum::test::Lazy is already "
        "initialized.\n",
        test::failureOf<FailedAssertion>([] { Lazy second; }));
    EXPECT_EQ(
        "Assertion failed in Singleton.inl at line 58 : Singleton lum::test::Explicit is not "
        "initialized.\n",
        test::failureOf<FailedAssertion>([] { Explicit::instance(); }));
    {
        const Explicit owner;
        EXPECT_EQ(
            "Assertion failed in Singleton.inl at line 44 : Singleton lum::test::Explicit "
            "is already initialized.\n",
            test::failureOf<FailedAssertion>([] { Explicit second; }));
    }
    EXPECT_FALSE(Explicit::isInitialized());
}

TEST(Singleton, AFailedFirstConstructionReportsItsOwnErrorAndTheNextAccessTriesAgain) {
    EXPECT_THROW(Fragile::instance(), IOException);
    EXPECT_FALSE(Fragile::isInitialized());
    EXPECT_NO_THROW(Fragile::instance());
    EXPECT_EQ(2, Fragile::attempts);
}
