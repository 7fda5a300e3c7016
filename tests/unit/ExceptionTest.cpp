#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "lum/util/Assert.h"
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
        std::getline(lines, line);  // the blank line before the trace
        std::getline(lines, line);
        EXPECT_EQ(0u, line.find("\tat ExceptionTest.cpp:lum::test::outerGuarded:")) << line;
        std::getline(lines, line);
        EXPECT_EQ(0u, line.find("\tat ExceptionTest.cpp:lum::test::innerGuarded:")) << line;
    }
}
