#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <boost/make_shared.hpp>

#include "lum/util/Assert.h"
#include "lum/util/CheckedCast.h"
#include "lum/util/Exception.h"
#include "lum/util/Log.h"
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

TEST(Exception, GuardKeepsTheClassAndLetsOtherExceptionsPass) {
    auto throwsIO = [] {
        LUM_TRACE_BEGIN
        throw IOException("gone");
        LUM_TRACE_END
    };
    EXPECT_THROW(throwsIO(), IOException);

    auto throwsStd = [] {
        LUM_TRACE_BEGIN
        throw std::runtime_error("std");
        LUM_TRACE_END
    };
    EXPECT_THROW(throwsStd(), std::runtime_error);
}

TEST(Exception, UnguardedThrowReportsOneLineAndPathsWithoutSeparatorsStayWhole) {
    EXPECT_EQ("lum::ConfigException: bad\n", test::reportOf(ConfigException("bad")));
    try {
        internal::_log_assertion_("Plain.cpp", 7, "x");
    } catch (const Exception& e) {
        EXPECT_EQ("Assertion failed in Plain.cpp at line 7 : x\n", e.getMessage());
    }
    try {
        internal::_log_assertion_("C:\\game\\src\\Win.cpp", 3, "y");
    } catch (const Exception& e) {
        EXPECT_EQ("Assertion failed in Win.cpp at line 3 : y\n", e.getMessage());
    }
}

TEST(Exception, WhatRendersTheReportAndCopiesKeepTheTrace) {
    IOException first("one");
    first.addTrace("a.cpp", "lum::a", 1);
    const IOException copy = first;
    EXPECT_EQ(1u, copy.getTrace().size());
    EXPECT_STREQ("lum::IOException: one\n\tat a.cpp:lum::a:1\n", first.what());
    EXPECT_STREQ("lum::OutOfBoundsException: two\n", OutOfBoundsException("two").what());
}

TEST(Exception, GLExceptionPrefixesItsText) {
    const std::string text = "Buffer 3 is already bound to GL_ARRAY_BUFFER";
    EXPECT_EQ("Invalid use of OpenGL: " + text, GLException(text).getMessage());
}

TEST(Exception, AssertMacroQuotesTheCondition) {
    const int vboID = 0;
    try {
        LUM_ASSERT(vboID != 0);
        FAIL();
    } catch (const FailedAssertion& e) {
        EXPECT_NE(std::string::npos,
                  e.getMessage().find("Assertion failed in ExceptionTest.cpp at line "));
        EXPECT_NE(std::string::npos, e.getMessage().find(" : vboID != 0\n"));
    }
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

TEST(Log, LinesNameTheOwnerAndLevel) {
    const Log log("UberLoader");
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    log.warning("Unknown shape type");
    log.info("loaded");
    log.error("bad");
    EXPECT_EQ("UberLoader : INFO: loaded\n", ::testing::internal::GetCapturedStdout());
    EXPECT_EQ("UberLoader : WARNING: Unknown shape type\nUberLoader : ERROR: bad\n",
              ::testing::internal::GetCapturedStderr());
}
