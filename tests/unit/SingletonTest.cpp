#include <gtest/gtest.h>

#include <string>

#include "ConfigFixture.h"
#include "lum/util/Exception.h"
#include "lum/util/Singleton.h"

namespace lum {
namespace test {

struct Lazy : Singleton<Lazy, 0> {
    int constructions = 0;
    Lazy() { ++constructions; }
};

struct Fragile : Singleton<Fragile, 0> {
    static int attempts;
    Fragile() {
        if (++attempts == 1) {
            throw IOException("File settings.cfg could not be found.");
        }
    }
};
int Fragile::attempts = 0;

struct Explicit : Singleton<Explicit, 1> {
    explicit Explicit(int id) : id(id) {}
    int id;
};

}  // namespace test
}  // namespace lum

using namespace lum;
using lum::test::Explicit;
using lum::test::Fragile;
using lum::test::Lazy;

TEST(Singleton, FirstAccessCreatesOnceAndDirectConstructionNeverRegisters) {
    EXPECT_FALSE(Lazy::isInitialized());
    Lazy& first = Lazy::instance();
    EXPECT_EQ(&first, &Lazy::instance());
    EXPECT_EQ(1, first.constructions);
    EXPECT_EQ(
        "Assertion failed in Singleton.inl at line 14 : Singleton lum::test::Lazy is already "
        "initialized.\n",
        test::failureOf<FailedAssertion>([] { Lazy second; }));
    EXPECT_EQ(&first, &Lazy::instance());
}

TEST(Singleton, ExplicitPolicyRegistersForItsLifetime) {
    EXPECT_EQ(
        "Assertion failed in Singleton.inl at line 58 : Singleton lum::test::Explicit is not "
        "initialized.\n",
        test::failureOf<FailedAssertion>([] { Explicit::instance(); }));
    {
        Explicit owner(1);
        EXPECT_TRUE(Explicit::isInitialized());
        EXPECT_EQ(
            "Assertion failed in Singleton.inl at line 44 : Singleton lum::test::Explicit is "
            "already initialized.\n",
            test::failureOf<FailedAssertion>([] { Explicit second(2); }));
        EXPECT_EQ(1, Explicit::instance().id);
    }
    EXPECT_FALSE(Explicit::isInitialized());
}

TEST(Singleton, AFailedFirstConstructionReportsItsOwnErrorAndTheNextAccessTriesAgain) {
    EXPECT_THROW(Fragile::instance(), IOException);
    EXPECT_FALSE(Fragile::isInitialized());
    EXPECT_NO_THROW(Fragile::instance());
    EXPECT_EQ(2, Fragile::attempts);
}
