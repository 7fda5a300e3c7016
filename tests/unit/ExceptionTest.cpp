#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <boost/make_shared.hpp>

#include "ConfigFixture.h"

#include "lum/util/Assert.h"
#include "lum/util/CheckedCast.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {
namespace test {

void innerGuarded() {
    LUM_TRACE_BEGIN
    internal::_log_assertion_("/home/dev/src/lum/render/GLBuffer.cpp", 85, "vboID != 0");
    LUM_TRACE_END
}

int outerGuarded(int) {
    LUM_TRACE_BEGIN
    innerGuarded();
    return 1;
    LUM_TRACE_END
}

std::string reportOf(const Exception& e) {
    std::ostringstream out;
    out << e;
    return out.str();
}

}  // namespace test
}  // namespace lum

using namespace lum;

TEST(Exception, AssertionThroughTwoGuardsReportsOutermostFirst) {
    try {
        test::outerGuarded(0);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        std::istringstream lines(test::reportOf(e));
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ("lum::FailedAssertion: Assertion failed in GLBuffer.cpp at line 85 : vboID != 0",
                  line);
        std::getline(lines, line);
        EXPECT_EQ("", line);
        std::getline(lines, line);
        EXPECT_EQ(0u, line.find("\tat ExceptionTest.cpp:lum::test::outerGuarded:")) << line;
        std::getline(lines, line);
        EXPECT_EQ(0u, line.find("\tat ExceptionTest.cpp:lum::test::innerGuarded:")) << line;
        std::getline(lines, line);
        EXPECT_EQ("\tat assert.cpp:lum::internal::_log_assertion_:30", line);
        EXPECT_FALSE(std::getline(lines, line));
    }
}

TEST(Exception, UnguardedReportsAreOneLineWhatRendersThemAndCopiesKeepTheTrace) {
    EXPECT_EQ("lum::ConfigException: bad\n", test::reportOf(ConfigException("bad")));
    EXPECT_STREQ("lum::OutOfBoundsException: two\n", OutOfBoundsException("two").what());
    IOException first("one");
    first.addTrace("a.cpp", "lum::a", 1);
    const IOException copy = first;
    EXPECT_EQ(1u, copy.getTrace().size());
    EXPECT_STREQ("lum::IOException: one\n\tat a.cpp:lum::a:1\n", first.what());
}

TEST(Exception, AssertionsQuoteTheConditionAndNameTheFileWithoutItsDirectories) {
    const int vboID = 0;
    const int line = __LINE__ + 1;
    const std::string message = test::failureOf<FailedAssertion>([&] { LUM_ASSERT(vboID != 0); });
    EXPECT_EQ(
        "Assertion failed in ExceptionTest.cpp at line " + std::to_string(line) + " : vboID != 0\n",
        message);
    EXPECT_EQ("Assertion failed in Plain.cpp at line 7 : x\n", test::failureOf<FailedAssertion>([] {
                  internal::_log_assertion_("C:\\game\\src\\Plain.cpp", 7, "x");
              }));
}

namespace {
struct Base {
    virtual ~Base() = default;
};
struct Derived : Base {};
struct Other : Base {};
}  // namespace

TEST(CheckedCast, KeepsOwnershipOrNamesBothClassesInItsFailure) {
    const boost::shared_ptr<Base> derived = boost::make_shared<Derived>();
    const boost::shared_ptr<Derived> cast = checkedCast<Derived>(derived);
    EXPECT_EQ(derived.get(), cast.get());
    EXPECT_EQ(2, derived.use_count());

    Other other;
    Base& base = other;
    try {
        checkedCast<Derived>(base);
        FAIL() << "no exception";
    } catch (const CastException& e) {
        EXPECT_EQ("Cannot cast " + className(typeid(Other)) + " to " + className(typeid(Derived)),
                  e.getMessage());
        ASSERT_FALSE(e.getTrace().empty());
        EXPECT_STREQ("lum::checkedCast", e.getTrace().front().function);
    }
    EXPECT_THROW(checkedCast<Derived>(boost::shared_ptr<Base>()), CastException);
}

TEST(Trace, FunctionNamesAreQualifiedWithoutSignature) {
    using internal::qualifiedFunctionName;
    EXPECT_STREQ("lum::ResourceLoader::ResourceLoader",
                 qualifiedFunctionName("lum::ResourceLoader::ResourceLoader(const string&)"));
    EXPECT_STREQ(
        "lum::Node::getChild",
        qualifiedFunctionName("boost::shared_ptr<lum::Spatial> lum::Node::getChild(int) const"));
    EXPECT_STREQ("lum::Singleton<T, 0>::instance",
                 qualifiedFunctionName("static T& lum::Singleton<T, 0>::instance() [with T = "
                                       "lum::Timer]"));
    EXPECT_STREQ("lum::Setting::operator[]",
                 qualifiedFunctionName("lum::Setting lum::Setting::operator[](int)"));
    EXPECT_STREQ("lum::Fn::operator ()", qualifiedFunctionName("void lum::Fn::operator()()"));
}
