// The clipboard object on the real clipboard, with xclip as the other program.
#include <gtest/gtest.h>

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

TEST_F(RealClipboard, EveryPrimitiveFailsWithADescriptionWhileTheClipboardIsHeld) {
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
    expectFailure([&] { clipboard.HasFormat(format::kText); });
  }
  EXPECT_EQ(Retrying([&] { return clipboard.GetText(format::kText); }), u"kept");
}

}  // namespace
}  // namespace fenlow::tests
