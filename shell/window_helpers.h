// Small helpers the windows' load handlers share.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "shell/skin_layer.h"

namespace fenlow {

// Whether `path` names a readable file: its last-change time can be read.
// Never fails and reports nothing.
[[nodiscard]] bool FileExists(platform::FileSystem& files, std::u16string_view path);

// The hand pointer file in the program's folder.
[[nodiscard]] std::u16string HandCursorPath(platform::FileSystem& files);

// The optional skin file in the program's folder.
[[nodiscard]] std::u16string SkinFilePath(platform::FileSystem& files);

// Skins the main window when the skin file is present as a normal file:
// button-face colours first, then the skin layer loaded from the file and
// applied to the window. Without the file the window keeps its design
// colours. A skin that cannot be loaded or applied throws Failure; the colour
// changes already made stay.
void ApplySkin(platform::FileSystem& files, platform::Form& mainWindow, SkinLayer& skin);

// Paints the window, and its option buttons, check boxes, frames and labels,
// in the system's button-face colour.
void ApplyButtonFaceColours(platform::Form& window);

// The application title of the product name: the name cut before its last
// blank until it is at most 40 characters; a one-word name stays whole.
[[nodiscard]] std::u16string ApplicationTitleOf(std::u16string_view productName);
void SetApplicationTitle(platform::Ui& ui);

// Pointer feedback: sets the window's pointer unless it shows the hourglass,
// which stays until whoever set it clears it.
void SetPointerUnlessHourglass(platform::Form& window, platform::MousePointer pointer);
// Installs the feedback on every window: the custom hand over each push
// button, the default arrow over the window's surface and its frames.
void InstallPointerFeedback(platform::Form& window);

}  // namespace fenlow
