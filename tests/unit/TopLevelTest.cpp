#include <gtest/gtest.h>

#include <boost/exception/exception.hpp>
#include <sstream>

#include "lum/util/Exception.h"
#include "shell/TopLevel.h"

using namespace lum;

namespace {
struct BoostFailure : virtual boost::exception, virtual std::exception {};
}  // namespace

// main turns the answer into the exit status: 1 after a reported failure.
TEST(TopLevel, EachKindOfEscapeIsReportedInItsOwnFormAndFailsTheRun) {
    const struct {
        std::function<void()> body;
        std::string report;
    } cases[] = {
        {[] {}, ""},
        {[] { throw IOException("Cannot open file"); },
         "caught lum::IOException: Cannot open file\n\n"},
        {[] { throw BoostFailure(); }, "caught (anonymous namespace)::BoostFailure : "},
    };
    for (const auto& escape : cases) {
        SCOPED_TRACE(escape.report);
        std::ostringstream err;
        EXPECT_EQ(escape.report.empty(), runGuarded(escape.body, err));
        EXPECT_EQ(0u, err.str().find(escape.report));
        EXPECT_EQ(escape.report.empty(), err.str().empty());
    }
}
