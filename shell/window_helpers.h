// Small helpers the windows' load handlers share.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace fenlow {

// Whether `path` names a readable file: its last-change time can be read.
// Never fails and reports nothing.
[[nodiscard]] bool FileExists(platform::FileSystem& files, std::u16string_view path);

// The hand pointer file in the program's folder.
[[nodiscard]] std::u16string HandCursorPath(platform::FileSystem& files);

// Paints the window, and its option buttons, check boxes, frames and labels,
// in the system's button-face colour.
void ApplyButtonFaceColours(platform::Form& window);

// The application title of the product name: the name cut before its last
// blank until it is at most 40 characters; a one-word name stays whole.
[[nodiscard]] std::u16string ApplicationTitleOf(std::u16string_view productName);
void SetApplicationTitle(platform::Ui& ui);

}  // namespace fenlow
