// What the tests of the real program expect of the clipboard: another
// program's paste and a Windows program's read both show the same text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "clipboard/clipboard_text.h"
#include "edits/engine/utf.h"
#include "platform/platform.h"
#include "platform/win32/testing/desktop_probe.h"
#include "tests/win32/host_clipboard.h"

namespace fenlow::e2e {

inline void ExpectOnTheClipboard(platform::Platform& platform, const std::u16string& text) {
  ClipboardText clipboard(platform.Clipboard());
  EXPECT_TRUE(platform::win32::probe::WaitUntil(
      [&] { return clipboard.TryGetClipboardText(platform::format::kText) == text; }));
  EXPECT_EQ(tests::PasteInOtherProgram(), edits::Utf16ToUtf8(text));
}

}  // namespace fenlow::e2e
