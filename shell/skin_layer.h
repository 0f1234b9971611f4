// The skin layer of the main window: a small component that loads a skin
// file and repaints a window of the program with its colours.
//
// A skin file is text, one setting per line, `key=value`. Blank lines and
// lines starting with ';' are ignored; blanks around key and value are
// dropped. A value is a colour, either "#RRGGBB" or the word "ButtonFace"
// (the system's button-face colour). The keys:
//
//   window=#RRGGBB   the window's own background
//   frame=#RRGGBB    the background of its frames
//   control=#RRGGBB  the background of its labels, check boxes and option buttons
//
// A key that the file leaves out leaves that colour as the window has it.
//
// The layer is driven in the order a window's load handler uses it: load the
// file, set the option flags and the two switches, then apply it to a window
// by its handle. Every call that cannot do its work throws platform::Failure
// with a description.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace fenlow {

// The colours a skin file sets; nullopt: left as the window has them.
struct SkinColours {
  std::optional<platform::Colour> window;
  std::optional<platform::Colour> frame;
  std::optional<platform::Colour> control;
};

// Parses the text of a skin file; throws Failure naming the first bad line.
[[nodiscard]] SkinColours ParseSkinFile(std::string_view text);

class SkinLayer {
 public:
  // Option flag: labels, check boxes and option buttons take the "control" colour.
  static constexpr std::int32_t kSkinControls = 1;

  SkinLayer(platform::FileSystem& files, platform::Ui& ui) : files_(files), ui_(ui) {}

  // Loads the skin file `path`. `section` names a part of a file with several
  // skins; this format has one skin per file, so only "" is accepted.
  void LoadSkin(std::u16string_view path, std::u16string_view section);
  bool IsLoaded() const { return colours_.has_value(); }

  std::int32_t Options() const { return options_; }
  void SetOptions(std::int32_t options) { options_ = options; }

  // Whether the window's own surface takes the "window" colour.
  void SetSkinWindowSurface(bool on) { skinWindowSurface_ = on; }
  // Whether the window's frames take the "frame" colour.
  void SetSkinFrames(bool on) { skinFrames_ = on; }

  // Repaints the loaded window of the program with this handle.
  void ApplyWindow(platform::WindowHandle window);

 private:
  platform::Form& LoadedFormWithHandle(platform::WindowHandle window);
  void PaintControls(platform::Form& form);

  platform::FileSystem& files_;
  platform::Ui& ui_;
  std::optional<SkinColours> colours_;
  std::int32_t options_ = 0;
  bool skinWindowSurface_ = false;
  bool skinFrames_ = false;
};

}  // namespace fenlow
