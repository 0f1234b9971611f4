// The rich-edit control behind ControlKind::RichTextBox: its window class
// (loaded once) and the mapping between the text's positions and the
// control's, which holds a CR LF pair as one paragraph mark.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/win32/win32_api.h"

namespace fenlow::platform::win32 {

// The class name, its library loaded first; throws Failure when it cannot be.
const wchar_t* RichTextClass();
// Plain text without a length limit, for a newly made control.
void PrepareRichText(HWND window);

// For each position of the control's text (and its end), the position of
// the same character in `text`.
std::vector<std::size_t> TextPositions(std::u16string_view text);

}  // namespace fenlow::platform::win32
