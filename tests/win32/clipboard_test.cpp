// The clipboard object on the real clipboard, with xclip as the other program.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "clipboard/clipboard_text.h"
#include "platform/win32/conversion_length.h"
#include "platform/win32/testing/desktop_probe.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::tests {
namespace {

using platform::Failure;
namespace format = platform::format;
namespace probe = platform::win32::probe;

const std::u16string kUnicode = u"caf\u00e9 \u4e2d \U0001F600 end";
const std::string kUnicodeUtf8 = "caf\xc3\xa9 \xe4\xb8\xad \xf0\x9f\x98\x80 end";

class RealClipboard : public ::testing::Test {
 protected:
  // Right after a copy elsewhere the system may still hold the clipboard for
  // a moment; callers retry, and so does this.
  template <typename Primitive>
  auto Retrying(Primitive primitive) {
    for (int attempt = 1;; ++attempt) {
      try {
        return primitive();
      } catch (const Failure&) {
        if (attempt == 200) throw;
        probe::WaitUntil([] { return false; }, std::chrono::milliseconds(10));
      }
    }
  }

  // Reads text, treating a clipboard that is busy for a moment as "not yet".
  bool TextBecomes(const std::u16string& expected) {
    return probe::WaitUntil([&] {
      try {
        return clipboard.GetText(format::kText) == expected;
      } catch (const Failure&) {
        return false;
      }
    });
  }

  std::unique_ptr<platform::Platform> platform = platform::CreateWin32Platform();
  platform::ClipboardPrimitives& clipboard = platform->Clipboard();
};

TEST_F(RealClipboard, UnicodeTextWeWriteIsPastedElsewhereByteForByte) {
  Retrying([&] { clipboard.Empty(); });
  Retrying([&] { clipboard.PutText(format::kText, kUnicode); });
  EXPECT_TRUE(probe::WaitUntil([] { return PasteInOtherProgram() == kUnicodeUtf8; }))
      << "pasted: " << PasteInOtherProgram();
}

TEST_F(RealClipboard, UnicodeTextCopiedElsewhereReadsIntact) {
  CopyInOtherProgram(kUnicodeUtf8);
  EXPECT_TRUE(TextBecomes(kUnicode));
  EXPECT_TRUE(Retrying([&] { return clipboard.HasFormat(format::kText); }));
  EXPECT_TRUE(Retrying([&] { return clipboard.HasFormat(format::kUnicodeText); }));
  // As Undo keeps a large clipboard's text: its block, as UnicodeTextFormat makes it.
  const auto block = Retrying([&] { return clipboard.ReadTextBlock(); });
  ASSERT_TRUE(block);
  EXPECT_EQ(platform::UnicodeTextOf({*block}), kUnicode);
}

TEST_F(RealClipboard, LineBreaksAreCrLfForUsAndLfForHostPrograms) {
  CopyInOtherProgram("one\ntwo\n");
  EXPECT_TRUE(TextBecomes(u"one\r\ntwo\r\n"));

  Retrying([&] { clipboard.Empty(); });
  Retrying([&] { clipboard.PutText(format::kText, u"a\r\nb"); });
  EXPECT_TRUE(probe::WaitUntil([] { return PasteInOtherProgram() == "a\nb"; }));
}

TEST_F(RealClipboard, EmptyTextIsStillPlainText) {
  Retrying([&] { clipboard.Empty(); });
  Retrying([&] { clipboard.PutText(format::kText, u""); });
  EXPECT_TRUE(clipboard.HasFormat(format::kText));
  EXPECT_EQ(clipboard.GetText(format::kText), u"");
}

TEST_F(RealClipboard, EmptyRemovesEveryFormatAndAbsentTextReadsEmpty) {
  Retrying([&] { clipboard.Empty(); });
  Retrying([&] { clipboard.PutText(format::kText, u"text"); });
  Retrying([&] { clipboard.PutText(format::kLink, u"app|topic|item"); });
  EXPECT_TRUE(clipboard.HasFormat(format::kText));
  EXPECT_TRUE(clipboard.HasFormat(format::kLink));
  EXPECT_EQ(clipboard.GetText(format::kLink), u"app|topic|item");
  EXPECT_FALSE(clipboard.HasFormat(format::kRichText));
  EXPECT_FALSE(clipboard.HasFormat(format::kBitmap));

  Retrying([&] { clipboard.Empty(); });
  for (auto code : {format::kText, format::kLink, format::kUnicodeText}) {
    EXPECT_FALSE(clipboard.HasFormat(code)) << code;
  }
  EXPECT_EQ(clipboard.GetText(format::kText), u"");
}

TEST_F(RealClipboard, RichTextFromOtherProgramIsTheRegisteredNamedFormat) {
  const std::string rtf = "{\\rtf1\\ansi hello}";
  CopyInOtherProgram(rtf, "text/rtf");
  EXPECT_TRUE(probe::WaitUntil(
      [&] { return Retrying([&] { return clipboard.HasFormat(format::kRichText); }); }));
  EXPECT_FALSE(Retrying([&] { return clipboard.HasFormat(format::kLink); }));
  EXPECT_EQ(Retrying([&] { return clipboard.GetText(format::kRichText); }),
            u"{\\rtf1\\ansi hello}");
}

TEST_F(RealClipboard, HugeTextRoundTripsWhole) {
  std::u16string huge(20'000'000, u'x');
  for (std::size_t i = 0; i < huge.size(); i += 997) huge[i] = u'\u00e9';
  huge.back() = u'!';
  Retrying([&] { clipboard.Empty(); });
  Retrying([&] { clipboard.PutText(format::kText, huge); });
  EXPECT_TRUE(clipboard.GetText(format::kText) == huge);
}

TEST_F(RealClipboard, EveryOpeningFailsWithADescriptionWhileTheClipboardIsHeldButQueriesAnswer) {
  Retrying([&] { clipboard.Empty(); });
  Retrying([&] { clipboard.PutText(format::kText, u"kept"); });
  {
    const probe::ClipboardHeldElsewhere held;
    const auto expectFailure = [](auto primitive) {
      try {
        primitive();
        ADD_FAILURE() << "no failure while the clipboard is held";
      } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()), "");
      }
    };
    expectFailure([&] { clipboard.Empty(); });
    expectFailure([&] { clipboard.PutText(format::kText, u"lost"); });
    expectFailure([&] { clipboard.GetText(format::kText); });
    EXPECT_TRUE(clipboard.HasFormat(format::kText)) << "asking needs no opening";
    EXPECT_FALSE(clipboard.HasFormat(format::kBitmap));
  }
  EXPECT_EQ(Retrying([&] { return clipboard.GetText(format::kText); }), u"kept");
}

// Every memory-block format comes back by name and byte for byte; the text
// formats and the locale the system derives from Unicode text are left out.
TEST_F(RealClipboard, MemoryFormatsRoundTripByNameAndDerivedFormatsAreLeftOut) {
  using platform::ClipboardFormatData;
  const std::vector<ClipboardFormatData> placed = {
      platform::UnicodeTextFormat(kUnicode),
      {0, u"HTML Format", std::string("Version:0.9\r\n<b>caf\xc3\xa9</b>\0", 26)},
      {0, u"Fenlow Test Bytes", std::string("\0\1\2\xff", 4)},
  };
  Retrying([&] { clipboard.ReplaceWithFormats(placed); });
  EXPECT_EQ(Retrying([&] { return clipboard.GetText(format::kText); }), kUnicode);
  EXPECT_TRUE(clipboard.HasNamedFormat(u"HTML Format"));
  EXPECT_FALSE(clipboard.HasNamedFormat(platform::kExcludeFromMonitoringFormat));

  EXPECT_EQ(Retrying([&] { return clipboard.ReadMemoryFormats(std::size_t{1} << 20); }), placed);
  EXPECT_EQ(Retrying([&] { return clipboard.ReadMemoryFormats(40); }), std::nullopt)
      << "over the bound";
}

// The real clipboard, with the reads counted.
class CountedReads final : public platform::ClipboardPrimitives {
 public:
  explicit CountedReads(platform::ClipboardPrimitives& real) : real_(real) {}
  void Empty() override { real_.Empty(); }
  void PutText(std::int32_t format, std::u16string_view text) override {
    real_.PutText(format, text);
  }
  void ReplaceWithText(std::u16string_view text) override { real_.ReplaceWithText(text); }
  std::u16string GetText(std::int32_t format) override {
    ++reads;
    return real_.GetText(format);
  }
  bool HasFormat(std::int32_t format) override { return real_.HasFormat(format); }
  std::optional<std::vector<platform::ClipboardFormatData>> ReadMemoryFormats(
      std::size_t byteBound) override {
    return real_.ReadMemoryFormats(byteBound);
  }
  std::optional<platform::ClipboardFormatData> ReadTextBlock() override {
    return real_.ReadTextBlock();
  }
  void ReplaceWithFormats(const std::vector<platform::ClipboardFormatData>& formats) override {
    real_.ReplaceWithFormats(formats);
  }
  bool HasNamedFormat(std::u16string_view name) override { return real_.HasNamedFormat(name); }
  std::uint32_t SequenceNumber() override { return real_.SequenceNumber(); }
  Clock::time_point Now() override { return real_.Now(); }
  void PauseUntil(Clock::time_point until) override { real_.PauseUntil(until); }

  int reads = 0;

 private:
  platform::ClipboardPrimitives& real_;
};

// A read of a clipboard that another program keeps open gives up after its
// 1000 attempts, paced to take about a second; the time it took is printed.
TEST_F(RealClipboard, AReadOfAHeldClipboardGivesUpAfterItsAttempts) {
  CountedReads counted(clipboard);
  ClipboardText text(counted);
  const probe::ClipboardHeldElsewhere held;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(text.TryGetClipboardText(format::kText), std::nullopt);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(counted.reads, ClipboardText::kMaxAttempts);
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
  RecordProperty("GiveUpMilliseconds", static_cast<int>(milliseconds));
  std::printf("[ held read ] gave up after %d attempts in %lld ms\n", counted.reads,
              static_cast<long long>(milliseconds));
}

// The code-page conversions count in int: a longer text is refused, not cut.
TEST(CodePageConversion, ATextOverTwoGibibytesIsRefusedWithAMessage) {
  const std::size_t longest = 0x7FFFFFFF;
  EXPECT_EQ(platform::win32::ConversionLength(longest), 0x7FFFFFFF);
  try {
    (void)platform::win32::ConversionLength(longest + 1);
    ADD_FAILURE() << "no failure for a text of 2^31 characters";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("too long"), std::string::npos) << failure.what();
  }
}

}  // namespace
}  // namespace fenlow::tests
