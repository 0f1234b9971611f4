// Another program holds the clipboard open for 1, 999, 1000 or 5000 attempts
// at each clipboard operation of a bulk edit and of a save. Within the 1000
// attempts the write-back goes through; beyond them the user's text is still
// on the clipboard or in Text1, a failed write-back is told, and monitoring
// goes on once the other program lets go.
#include <tuple>

#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {
namespace {

enum class Request { BulkEdit, Save };

using HeldCase = std::tuple<Request, ClipboardOperation, int>;

class HeldClipboardTest : public MonitorTest, public ::testing::WithParamInterface<HeldCase> {
 protected:
  static constexpr const char16_t* kOriginal = u"a b c";
  static constexpr const char16_t* kEdited = u"abc";
  static constexpr const char16_t* kTyped = u"typed by hand";

  // The press met a held clipboard and did nothing: the user is told so.
  void ExpectToldTheClipboardWasHeld() {
    ASSERT_EQ(desktop->MessageBoxes().size(), 1u);
    EXPECT_EQ(desktop->MessageBoxes()[0].text.rfind(u"The clipboard could not be read", 0), 0u);
  }

  Request request() const { return std::get<0>(GetParam()); }
  ClipboardOperation operation() const { return std::get<1>(GetParam()); }
  int attempts() const { return std::get<2>(GetParam()); }
  bool GivesUp() const { return attempts() >= ClipboardText::kMaxAttempts; }
};

TEST_P(HeldClipboardTest, NothingIsLostAndMonitoringGoesOn) {
  ForeignViewer& other = desktop->JoinForeignViewer();
  Start(kOriginal);
  window.text1 = request() == Request::Save ? kTyped : kOriginal;
  const std::u16string wanted = request() == Request::Save ? kTyped : kEdited;
  if (operation() == ClipboardOperation::GetText) {
    // A copy whose read was held off: the request must read the text itself.
    desktop->FailNext(operation(), ClipboardText::kMaxAttempts);
    desktop->OtherProgramSetsText(kOriginal);
    desktop->Messaging().Yield();
  }
  const int attemptsBefore = desktop->AttemptCount(operation());

  desktop->FailNext(operation(), attempts());
  if (request() == Request::Save) {
    RunManualSave();
  } else {
    RunBulkEdit(kRemoveSpaces);
  }

  // No operation is tried beyond its bound: the program never spins on a held clipboard.
  EXPECT_LE(desktop->AttemptCount(operation()) - attemptsBefore, ClipboardText::kMaxAttempts + 8);

  const bool saveIgnoresTheRead =
      request() == Request::Save && operation() == ClipboardOperation::GetText;
  if (!GivesUp() || saveIgnoresTheRead) {
    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), wanted);
    EXPECT_EQ(window.text1, wanted);
    EXPECT_TRUE(desktop->MessageBoxes().empty());
  } else if (operation() == ClipboardOperation::GetText) {
    // The text could not be read: nothing is edited or written, Text1 keeps
    // what it showed instead of going blank.
    EXPECT_EQ(desktop->ClipboardTextOrEmpty(), kOriginal);
    EXPECT_EQ(window.text1, kOriginal);
    EXPECT_EQ(CountCalls("EmptyClipboard"), 0);
    ExpectToldTheClipboardWasHeld();
  } else {
    // The write-back gave up: the text to store stays in Text1, the user is
    // told, and the clipboard keeps its content whole, never left empty.
    EXPECT_EQ(window.text1, wanted);
    EXPECT_EQ(desktop->MessageBoxes().size(), 1u);
    EXPECT_EQ(desktop->ClipboardFormats(),
              (std::map<std::int32_t, std::u16string>{{format::kText, kOriginal}}));
  }
  if (request() == Request::Save) {
    ExpectNothingLost({kTyped});
  } else {
    const std::u16string onClipboard = desktop->ClipboardTextOrEmpty();
    EXPECT_TRUE(onClipboard == kOriginal || onClipboard == kEdited || window.text1 == kEdited)
        << "neither the text nor its edit is left";
  }

  desktop->FailNext(operation(), 0);  // the other program lets go
  const int seenBefore = other.drawClipboardCount;
  ExpectMonitoringGoesOn();
  EXPECT_GT(other.drawClipboardCount, seenBefore) << "the other viewer still hears of changes";
}

std::string CaseName(const ::testing::TestParamInfo<HeldCase>& info) {
  const char* operations[] = {"Empty", "PutText", "GetText", "ReadFormats", "PutFormats"};
  return std::string(std::get<0>(info.param) == Request::Save ? "Save" : "BulkEdit") + "_" +
         operations[static_cast<int>(std::get<1>(info.param))] + "_" +
         std::to_string(std::get<2>(info.param));
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, HeldClipboardTest,
                         ::testing::Combine(::testing::Values(Request::BulkEdit, Request::Save),
                                            ::testing::Values(ClipboardOperation::ReadFormats,
                                                              ClipboardOperation::PutText,
                                                              ClipboardOperation::GetText),
                                            ::testing::Values(1, 999, 1000, 5000)),
                         CaseName);

// A clipboard that keeps rich text beside the text: a write that cannot be
// made leaves both, neither emptied nor with the edited text beside the old
// rich text (which would paste the old text in one program and the new in
// another).
TEST_F(MonitorTest, AClipboardThatCannotBeWrittenIsNeitherEmptiedNorHalfWritten) {
  desktop->OtherProgramSets({{format::kText, u"a b"}, {format::kRichText, u"{\\rtf1 a b}"}});
  StartMonitoring();
  desktop->FailNext(ClipboardOperation::PutText, 1000);
  RunBulkEdit(kRemoveSpaces);
  EXPECT_EQ(desktop->ClipboardFormats(),
            (std::map<std::int32_t, std::u16string>{{format::kText, u"a b"},
                                                    {format::kRichText, u"{\\rtf1 a b}"}}));
  EXPECT_EQ(window.text1, u"ab");
  EXPECT_EQ(desktop->MessageBoxes().size(), 1u);
  ExpectMonitoringGoesOn();
}

// The text of a clipboard change cannot be read: Text1 and ClipText keep the
// last text read, and a bulk edit requested meanwhile does not wipe the
// clipboard with the edit of an empty text.
TEST_F(MonitorTest, AnUnreadableChangeKeepsTheLastTextRead) {
  Start(u"first");
  desktop->FailNext(ClipboardOperation::GetText, 1000);
  desktop->OtherProgramSetsText(u"second, unreadable");
  desktop->Messaging().Yield();
  EXPECT_EQ(window.text1, u"first");
  EXPECT_EQ(state.ClipText, u"first");
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"second, unreadable");
  ExpectMonitoringGoesOn();
}

}  // namespace
}  // namespace fenlow::testing
