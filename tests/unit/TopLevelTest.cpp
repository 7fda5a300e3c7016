#include <gtest/gtest.h>

#include <boost/exception/exception.hpp>
#include <sstream>
#include <stdexcept>

#include "lum/util/Exception.h"
#include "shell/TopLevel.h"

using namespace lum;

namespace {
std::string reportOf(const std::function<void()>& body) {
    std::ostringstream err;
    runGuarded(body, err);
    return err.str();
}

struct BoostFailure : virtual boost::exception, virtual std::exception {};
}  // namespace

TEST(TopLevel, EachKindOfEscapeIsReportedInItsOwnForm) {
    EXPECT_EQ("", reportOf([] {}));
    EXPECT_EQ("caught lum::IOException: Cannot open file\n\n",
              reportOf([] { throw IOException("Cannot open file"); }));
    EXPECT_EQ("caught std::runtime_error : boom\n",
              reportOf([] { throw std::runtime_error("boom"); }));
    EXPECT_EQ("caught something that was no exception.\n", reportOf([] { throw 42; }));
    EXPECT_EQ(0u, reportOf([] {
                      throw BoostFailure();
                  }).find("caught (anonymous namespace)::BoostFailure : "));
}

// main turns this into the exit status: 1 after a reported failure.
TEST(TopLevel, TellsWhetherSomethingWasReported) {
    std::ostringstream err;
    EXPECT_TRUE(runGuarded([] {}, err));
    EXPECT_FALSE(runGuarded([] { throw IOException("gone"); }, err));
    EXPECT_FALSE(runGuarded([] { throw 42; }, err));
}
