#include "shell/skin_layer.h"

#include <charconv>

#include "edits/engine/utf.h"

namespace fenlow {

namespace {

using platform::Failure;

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trimmed(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// "#RRGGBB" as the controls' 0x00BBGGRR, or the system's button face.
std::optional<platform::Colour> ParseColour(std::string_view value) {
  if (value == "ButtonFace") return platform::kButtonFace;
  if (value.size() != 7 || value[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  auto [end, error] = std::from_chars(value.data() + 1, value.data() + value.size(), rgb, 16);
  if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  std::uint32_t red = rgb >> 16, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
  return (blue << 16) | (green << 8) | red;
}

std::optional<platform::Colour>* SlotFor(SkinColours& colours, std::string_view key) {
  if (key == "window") return &colours.window;
  if (key == "frame") return &colours.frame;
  if (key == "control") return &colours.control;
  return nullptr;
}

[[noreturn]] void ThrowBadLine(int number, std::string_view line, std::string_view why) {
  throw Failure("Invalid skin file: line " + std::to_string(number) + " (\"" + std::string(line) +
                "\") " + std::string(why) + ".");
}

void ParseSkinLine(SkinColours& colours, int number, std::string_view line) {
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) ThrowBadLine(number, line, "is not key=value");
  auto* slot = SlotFor(colours, Trimmed(line.substr(0, equals)));
  if (slot == nullptr) ThrowBadLine(number, line, "names no skin colour");
  *slot = ParseColour(Trimmed(line.substr(equals + 1)));
  if (!slot->has_value()) ThrowBadLine(number, line, "has no colour #RRGGBB or ButtonFace");
}

bool TakesControlColour(platform::ControlKind kind) {
  using platform::ControlKind;
  return kind == ControlKind::Label || kind == ControlKind::CheckBox ||
         kind == ControlKind::OptionButton;
}

}  // namespace

SkinColours ParseSkinFile(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  SkinColours colours;
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line[0] != ';') ParseSkinLine(colours, number, line);
  }
  return colours;
}

void SkinLayer::LoadSkin(std::u16string_view path, std::u16string_view section) {
  if (!section.empty())
    throw Failure("The skin file has no section \"" + edits::Utf16ToUtf8(section) + "\".");
  colours_ = ParseSkinFile(files_.ReadWholeFile(path));
}

void SkinLayer::ApplyWindow(platform::WindowHandle window) {
  if (!colours_) throw Failure("No skin is loaded.");
  platform::Form& form = LoadedFormWithHandle(window);
  if (skinWindowSurface_ && colours_->window) form.SetBackColour(*colours_->window);
  PaintControls(form);
}

platform::Form& SkinLayer::LoadedFormWithHandle(platform::WindowHandle window) {
  for (platform::Form* form : ui_.LoadedForms()) {
    if (form->Handle() == window) return *form;
  }
  throw Failure("The skin cannot be applied: no window of the program has that handle.");
}

void SkinLayer::PaintControls(platform::Form& form) {
  const bool skinControls = (options_ & kSkinControls) != 0;
  for (platform::Control* control : form.Controls()) {
    platform::ControlKind kind = control->Kind();
    if (skinFrames_ && kind == platform::ControlKind::Frame && colours_->frame)
      control->SetBackColour(*colours_->frame);
    if (skinControls && TakesControlColour(kind) && colours_->control)
      control->SetBackColour(*colours_->control);
  }
}

}  // namespace fenlow
