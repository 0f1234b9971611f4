// A text that several holders share without copying it. The clipboard text
// the program reads is at once ClipText, what Text1 shows and what Undo
// keeps: on a text of many megabytes each copy costs as much as an edit.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace fenlow::platform {

class SharedText {
 public:
  SharedText() = default;
  // Takes the text over (moved in, not copied).
  SharedText(std::u16string text)  // NOLINT(google-explicit-constructor): a text is a shared text
      : text_(std::make_shared<const std::u16string>(std::move(text))) {}
  SharedText(const char16_t* text) : SharedText(std::u16string(text)) {}  // NOLINT: as above

  [[nodiscard]] std::u16string_view View() const { return text_ ? *text_ : std::u16string_view(); }
  operator std::u16string_view() const { return View(); }  // NOLINT: reads as the text it is
  [[nodiscard]] bool empty() const { return View().empty(); }
  [[nodiscard]] std::size_t size() const { return View().size(); }
  // Two views of the very same buffer are equal without a look at the text.
  friend bool operator==(const SharedText& a, std::u16string_view b) {
    const std::u16string_view view = a.View();
    return (view.data() == b.data() && view.size() == b.size()) || view == b;
  }
  friend bool operator==(const SharedText& a, const char16_t* b) {
    return a.View() == std::u16string_view(b);
  }
  // For test messages: the text as UTF-16 code units below 0x80, "?" for others.
  friend std::ostream& operator<<(std::ostream& out, const SharedText& text) {
    out << '"';
    for (const char16_t unit : text.View()) out << (unit < 0x80 ? static_cast<char>(unit) : '?');
    return out << '"';
  }

 private:
  std::shared_ptr<const std::u16string> text_;
};

}  // namespace fenlow::platform
