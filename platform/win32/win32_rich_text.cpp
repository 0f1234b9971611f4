#include "platform/win32/win32_rich_text.h"

#include "platform/win32/win32_form.h"

namespace fenlow::platform::win32 {
namespace {

bool EndsCarriageReturnPair(std::u16string_view text, std::size_t at) {
  return text[at] == u'\n' && at > 0 && text[at - 1] == u'\r';
}

CHARFORMAT2W BackgroundFormat(std::optional<Colour> background) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_BACKCOLOR;
  if (background) {
    format.crBackColor = ToColorRef(*background);
  } else {
    format.dwEffects = CFE_AUTOBACKCOLOR;
  }
  return format;
}

void Select(HWND window, std::size_t from, std::size_t to) {
  CHARRANGE range{static_cast<LONG>(from), static_cast<LONG>(to)};
  ::SendMessageW(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void SetSelectionBackground(HWND window, std::optional<Colour> background) {
  CHARFORMAT2W format = BackgroundFormat(background);
  if (!::SendMessageW(window, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)))
    throw Failure("Cannot mark a part of a rich-text box");
}

// The background of the one character selected; nullopt for the default.
std::optional<Colour> SelectionBackground(HWND window) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_BACKCOLOR;
  ::SendMessageW(window, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  if ((format.dwEffects & CFE_AUTOBACKCOLOR) != 0) return std::nullopt;
  return static_cast<Colour>(format.crBackColor);
}

}  // namespace

const wchar_t* RichTextClass() {
  static const HMODULE library = ::LoadLibraryW(L"riched20.dll");
  if (!library) ThrowLastError("Cannot load the rich-text control (riched20.dll)");
  return RICHEDIT_CLASSW;
}

void PrepareRichText(HWND window) {
  ::SendMessageW(window, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  ::SendMessageW(window, EM_SETTEXTMODE, TM_RICHTEXT | TM_MULTILEVELUNDO, 0);
}

std::vector<std::size_t> TextPositions(std::u16string_view text) {
  std::vector<std::size_t> positions;
  positions.reserve(text.size() + 1);
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!EndsCarriageReturnPair(text, at)) positions.push_back(at);
  }
  positions.push_back(text.size());
  return positions;
}

// Drawn once, when every mark is in: a long text does not flicker.
void Win32Control::SetMarkedText(std::u16string_view text, const std::vector<MarkedRange>& marks) {
  RequireKind(ControlKind::RichTextBox, "marked text");
  const HWND window = RequireWindow();
  ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  struct Redraw {
    HWND window;
    ~Redraw() {
      ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
      ::InvalidateRect(window, nullptr, TRUE);
    }
  } redraw{window};
  PutWindowText(window, AsWide(text));
  caption_ = text;
  Select(window, 0, static_cast<std::size_t>(-1));
  SetSelectionBackground(window, std::nullopt);
  std::size_t pairsBefore = 0;
  std::size_t scanned = 0;
  auto controlPosition = [&](std::size_t position) {
    for (; scanned < position && scanned < text.size(); ++scanned) {
      if (EndsCarriageReturnPair(text, scanned)) ++pairsBefore;
    }
    return position - pairsBefore;
  };
  for (const MarkedRange& mark : marks) {
    if (mark.start + mark.length > text.size()) throw Failure("A marked range lies beyond the text");
    const std::size_t from = controlPosition(mark.start);
    const std::size_t to = controlPosition(mark.start + mark.length);
    Select(window, from, to);
    SetSelectionBackground(window, mark.background);
  }
  Select(window, 0, 0);
}

// Character by character, as the control holds them; neighbours of the same
// colour join into one range.
std::vector<MarkedRange> Win32Control::MarkedRanges() const {
  RequireKind(ControlKind::RichTextBox, "marked text");
  const HWND window = RequireWindow();
  const std::vector<std::size_t> positions = TextPositions(caption_);
  std::vector<MarkedRange> marks;
  for (std::size_t at = 0; at + 1 < positions.size(); ++at) {
    Select(window, at, at + 1);
    const std::optional<Colour> background = SelectionBackground(window);
    if (!background) continue;
    const std::size_t start = positions[at];
    const std::size_t end = positions[at + 1];
    if (!marks.empty() && marks.back().background == *background &&
        marks.back().start + marks.back().length == start) {
      marks.back().length = end - marks.back().start;
    } else {
      marks.push_back({start, end - start, *background});
    }
  }
  Select(window, 0, 0);
  return marks;
}

}  // namespace fenlow::platform::win32
