// The four clipboard operations: kind precedence and bounded retries.
#include <functional>
#include <new>

#include "platform/clipboard_retry.h"
#include "tests/clipboard/monitor_fixture.h"

namespace fenlow::testing {
namespace {

class ClipboardTextTest : public MonitorTest {
 protected:
  ClipboardText& clipboard = monitor.Clipboard();
};

TEST_F(ClipboardTextTest, KindFollowsThePrecedenceList) {
  struct Case {
    const char* what;
    std::map<std::int32_t, std::u16string> formats;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"text with a DDE link", {{format::kText, u"a"}, {format::kLink, u"l"}}, format::kLink},
      {"text with rich text", {{format::kText, u"a"}, {format::kRichText, u"r"}}, format::kText},
      {"bitmap in both forms", {{format::kBitmap, u""}, {format::kDib, u""}}, format::kBitmap},
      {"DIB alone", {{format::kDib, u""}}, format::kDib},
      {"rich text alone", {{format::kRichText, u"r"}}, format::kRichText},
      {"Unicode text only", {{format::kUnicodeText, u"a"}}, format::kText},
      {"enhanced metafile", {{format::kEnhancedMetafile, u""}}, format::kEnhancedMetafile},
      {"palette with metafile",
       {{format::kPalette, u""}, {format::kMetafilePicture, u""}},
       format::kMetafilePicture},
      {"a file list only", {{format::kFileList, u""}}, 0},
      {"empty", {}, 0},
  };
  for (const Case& c : cases) {
    desktop->OtherProgramSets(c.formats);
    EXPECT_EQ(clipboard.GetClipboardKind(), c.expected) << c.what;
  }
}

TEST_F(ClipboardTextTest, AFailingFormatQueryCountsAsPresent) {
  desktop->OtherProgramSetsText(u"text");
  desktop->FailCall(1);  // the first query, for the DDE link
  EXPECT_EQ(clipboard.GetClipboardKind(), format::kLink);
  desktop->StopFailingCalls();
}

// Asking needs no opening: a clipboard another program keeps open, as a
// clipboard history does while it reads each copy, still tells its kind.
TEST_F(ClipboardTextTest, KindIsKnownWhileAnotherProgramHoldsTheClipboard) {
  desktop->OtherProgramSetsText(u"text");
  for (auto operation :
       {ClipboardOperation::Empty, ClipboardOperation::PutText, ClipboardOperation::GetText,
        ClipboardOperation::ReadFormats, ClipboardOperation::PutFormats}) {
    desktop->FailNext(operation, 1000);
  }
  EXPECT_EQ(clipboard.GetClipboardKind(), format::kText);
  EXPECT_FALSE(clipboard.MarkedForExclusion());
}

TEST_F(ClipboardTextTest, ReadingAbsentTextGivesEmptyTextWithoutRetry) {
  desktop->OtherProgramSets({{format::kBitmap, u""}});
  EXPECT_EQ(clipboard.GetClipboardText(format::kText), u"");
  EXPECT_EQ(desktop->AttemptCount(ClipboardOperation::GetText), 1);
}

TEST_F(ClipboardTextTest, UnicodeTextIsReadIntact) {
  desktop->OtherProgramSetsText(u"caf\u00e9 \u4e2d \U0001F600");
  EXPECT_EQ(clipboard.GetClipboardText(format::kText), u"caf\u00e9 \u4e2d \U0001F600");
}

TEST_F(ClipboardTextTest, AFailureOnTheFirstAttemptStopsAfterTheSecond) {
  desktop->FailNext(ClipboardOperation::PutText, 1);
  EXPECT_TRUE(clipboard.SetClipboardText(u"x"));
  EXPECT_EQ(desktop->AttemptCount(ClipboardOperation::PutText), 2);
  EXPECT_EQ(desktop->PausesTaken(), 1);
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"x");

  desktop->OtherProgramSetsText(u"y");
  desktop->FailNext(ClipboardOperation::GetText, 1);
  EXPECT_EQ(clipboard.GetClipboardText(format::kText), u"y");
  EXPECT_EQ(desktop->AttemptCount(ClipboardOperation::GetText), 2);
}

TEST_F(ClipboardTextTest, AThousandFailuresGiveUpSilently) {
  desktop->OtherProgramSetsText(u"kept");
  desktop->FailNext(ClipboardOperation::GetText, 1000);
  EXPECT_EQ(clipboard.GetClipboardText(format::kText), u"");
  EXPECT_EQ(desktop->AttemptCount(ClipboardOperation::GetText), 1000);

  desktop->FailNext(ClipboardOperation::PutText, 5000);
  EXPECT_FALSE(clipboard.SetClipboardText(u"new"));
  EXPECT_EQ(desktop->AttemptCount(ClipboardOperation::PutText), 1000);
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"kept") << "a write that gave up leaves the text";
  // 999 pauses for each of the two operations: none after the last attempt.
  EXPECT_EQ(desktop->PausesTaken(), 2 * 999);
  // Paced by the clock, each gives up after about a second, although every
  // pause lasts a whole timer tick: not after 999 ticks, 15.6 s.
  using namespace std::chrono_literals;
  EXPECT_GE(desktop->TimePaused(), 2 * 999ms);
  EXPECT_LE(desktop->TimePaused(), 2 * (999ms + SimulatedDesktop::kTimerTick));
}

// A want of memory is no hold that another program ends: trying a thousand
// times would only keep the window waiting.
TEST_F(ClipboardTextTest, AWantOfMemoryGivesUpAtOnce) {
  const std::function<void()> failures[] = {
      [] { throw std::bad_alloc(); },
      [] { throw platform::OutOfMemory("Cannot allocate clipboard memory (simulated)"); }};
  for (const auto& fail : failures) {
    int attempts = 0;
    EXPECT_FALSE(platform::RetryWhileHeld(
        desktop->Clipboard(),
        [&] {
          ++attempts;
          fail();
        },
        ClipboardText::kMaxAttempts, ClipboardText::kAttemptSpacing));
    EXPECT_EQ(attempts, 1);
  }
  EXPECT_EQ(desktop->PausesTaken(), 0);
}

TEST_F(ClipboardTextTest, TheThousandthAttemptStillCounts) {
  desktop->FailNext(ClipboardOperation::PutText, 999);
  EXPECT_TRUE(clipboard.SetClipboardText(u"late"));
  EXPECT_EQ(desktop->ClipboardTextOrEmpty(), u"late");
}

}  // namespace
}  // namespace fenlow::testing
