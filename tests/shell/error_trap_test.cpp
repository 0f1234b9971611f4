// The error report's text and box, and the trap that shows it and goes on.
#include "shell/error_trap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "edits/engine/utf.h"
#include "platform/sim/simulated_desktop.h"

namespace fenlow::testing {
namespace {

using ::testing::ElementsAre;

TEST(ErrorReportText, FourLinesForAFailureAtLabel220OfTheStartButton) {
  std::u16string text =
      ErrorReportText(u"Overflow", TrapLocation(u"Form1", u"PushButton2_Click"), 220);
  EXPECT_EQ(text,
            u"Overflow\r\n"
            u"in Fenlowpad2021/08/31.Form1.PushButton2_Click at line 220\r\r"
            u"Please email screenshot of this message to support@fenlow.example");
}

TEST(ErrorReportText, EmptyDescriptionStillLeavesItsOwnFirstLine) {
  EXPECT_EQ(ErrorReportText(u"", u"in X ", 100),
            u"\r\nin X at line 100\r\rPlease email screenshot of this message to "
            u"support@fenlow.example");
}

TEST(TrapLocation, NamesProjectBuildDateWindowAndProcedureWithTrailingBlank) {
  EXPECT_EQ(TrapLocation(u"Form1", u"Form_Load"), u"in Fenlowpad2021/08/31.Form1.Form_Load ");
  EXPECT_EQ(TrapLocation(u"Form3", u"PushButton2_Click"),
            u"in Fenlowpad2021/08/31.Form3.PushButton2_Click ");
}

class ErrorTrapTest : public ::testing::Test {
 protected:
  ErrorTrapTest() : desktop(platform::sim::CreateSimulatedDesktop()) {}

  std::string ReportText(std::size_t index) const {
    return edits::Utf16ToUtf8(desktop->SimForms().Messages().at(index).text);
  }

  std::unique_ptr<platform::sim::SimulatedDesktop> desktop;
  ErrorTrap trap{desktop->Forms(), u"in Fenlowpad2021/08/31.Form2.Form_Load "};
};

TEST_F(ErrorTrapTest, FailureIsShownAsApplicationErrorAndTheNextStatementRuns) {
  std::vector<int> ran;
  trap(100, [&] { throw platform::Failure("File not found"); });
  trap(102, [&] { ran.push_back(102); });
  trap(104, [&] { ran.push_back(104); });

  EXPECT_THAT(ran, ElementsAre(102, 104));
  ASSERT_EQ(desktop->SimForms().Messages().size(), 1u);
  const auto& box = desktop->SimForms().Messages()[0];
  EXPECT_EQ(box.title, u"Application Error");
  EXPECT_EQ(box.style, 48);
  EXPECT_EQ(box.text,
            u"File not found\r\nin Fenlowpad2021/08/31.Form2.Form_Load at line 100\r\r"
            u"Please email screenshot of this message to support@fenlow.example");
}

TEST_F(ErrorTrapTest, StaysArmedForEveryLaterStatement) {
  trap(100, [] { throw platform::Failure("first"); });
  trap(102, [] {});
  trap(104, [] { throw std::runtime_error("second"); });
  ASSERT_EQ(desktop->SimForms().Messages().size(), 2u);
  EXPECT_THAT(ReportText(1), ::testing::StartsWith("second\r\n"));
  EXPECT_THAT(ReportText(1), ::testing::HasSubstr("at line 104\r\r"));
}

TEST_F(ErrorTrapTest, FailingConditionEntersItsBranch) {
  EXPECT_TRUE(trap.Test(106, []() -> bool { throw platform::Failure("cannot test"); }));
  EXPECT_FALSE(trap.Test(108, [] { return false; }));
  ASSERT_EQ(desktop->SimForms().Messages().size(), 1u);
  EXPECT_THAT(ReportText(0), ::testing::HasSubstr("at line 106\r\r"));
}

// A helper without a trap of its own: its failure ends it and is reported
// with the calling statement's label.
void HelperThatFailsHalfway(std::vector<int>& steps) {
  steps.push_back(1);
  throw platform::Failure("inside the helper");
}

TEST_F(ErrorTrapTest, FailureInsideAHelperIsReportedWithTheCallersLabel) {
  std::vector<int> steps;
  trap(120, [&] { HelperThatFailsHalfway(steps); });
  trap(122, [&] { steps.push_back(122); });
  EXPECT_THAT(steps, ElementsAre(1, 122));
  ASSERT_EQ(desktop->SimForms().Messages().size(), 1u);
  EXPECT_THAT(ReportText(0), ::testing::StartsWith("inside the helper\r\nin "
                                                   "Fenlowpad2021/08/31.Form2.Form_Load "
                                                   "at line 120\r\r"));
}

TEST(RunIgnoringFailure, SkipsTheFailingStatementAndTellsOnlyWhetherItRan) {
  int after = 0;
  EXPECT_FALSE(RunIgnoringFailure([&] {
    throw platform::Failure("ignored");
    ++after;
  }));
  EXPECT_TRUE(RunIgnoringFailure([&] { ++after; }));
  EXPECT_EQ(after, 1);
}

}  // namespace
}  // namespace fenlow::testing
