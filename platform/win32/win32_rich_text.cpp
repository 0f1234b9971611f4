#include "platform/win32/win32_rich_text.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/win32/win32_form.h"

namespace fenlow::platform::win32 {
namespace {

bool EndsCarriageReturnPair(std::u16string_view text, std::size_t at) {
  return text[at] == u'\n' && at > 0 && text[at - 1] == u'\r';
}

void Select(HWND window, std::size_t from, std::size_t to) {
  CHARRANGE range{static_cast<LONG>(from), static_cast<LONG>(to)};
  ::SendMessageW(window, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
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

// The text as RTF with each mark on its background (\cb, and \highlight,
// which other readers take for it): the control takes it in one call.
std::string MarkedRtf(std::u16string_view text, const std::vector<MarkedRange>& marks) {
  std::vector<Colour> colours;
  for (const MarkedRange& mark : marks) {
    if (std::find(colours.begin(), colours.end(), mark.background) == colours.end())
      colours.push_back(mark.background);
  }
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\colortbl;";
  for (const Colour colour : colours) {
    rtf += "\\red" + std::to_string(colour & 0xFF) + "\\green" +
           std::to_string((colour >> 8) & 0xFF) + "\\blue" + std::to_string((colour >> 16) & 0xFF) +
           ";";
  }
  rtf += "}";
  auto mark = marks.begin();
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (mark != marks.end() && at == mark->start + mark->length) {
      rtf += "}";
      ++mark;
    }
    if (mark != marks.end() && at == mark->start) {
      const auto index = std::to_string(
          std::find(colours.begin(), colours.end(), mark->background) - colours.begin() + 1);
      rtf += "{\\highlight" + index + "\\cb" + index + " ";
    }
    if (at == text.size()) break;
    const char16_t unit = text[at];
    if (unit == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') continue;  // one \par
    if (unit == u'\r' || unit == u'\n') {
      rtf += "\\par\n";
    } else if (unit == u'\t') {
      rtf += "\\tab ";
    } else if (unit == u'\\' || unit == u'{' || unit == u'}') {
      rtf += '\\';
      rtf += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x80) {
      rtf += static_cast<char>(unit);
    } else {
      rtf += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + "?";
    }
  }
  rtf += "}";
  return rtf;
}

}  // namespace

const wchar_t* RichTextClass() {
  static const HMODULE library = ::LoadLibraryW(L"riched20.dll");
  if (!library) ThrowLastError("Cannot load the rich-text control (riched20.dll)");
  return RICHEDIT_CLASSW;
}

// Read-only: nothing to undo, no notifications.
void PrepareRichText(HWND window) {
  ::SendMessageW(window, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  ::SendMessageW(window, EM_SETTEXTMODE, TM_RICHTEXT | TM_SINGLELEVELUNDO, 0);
  ::SendMessageW(window, EM_SETUNDOLIMIT, 0, 0);
  ::SendMessageW(window, EM_SETEVENTMASK, 0, 0);
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

// One RTF text with its marks, in the box's own font; drawn once, when all
// of it is in.
void Win32Control::SetMarkedText(std::u16string_view text, const std::vector<MarkedRange>& marks) {
  RequireKind(ControlKind::RichTextBox, "marked text");
  const HWND window = RequireWindow();
  std::size_t end = 0;
  for (const MarkedRange& mark : marks) {
    if (mark.start < end || mark.length == 0 || mark.start + mark.length > text.size())
      throw Failure("A marked range of " + spec_.name + " is out of place");
    end = mark.start + mark.length;
  }
  ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  struct Redraw {
    HWND window;
    ~Redraw() {
      ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
      ::InvalidateRect(window, nullptr, TRUE);
    }
  } redraw{window};
  // The RTF names no font: the box's own, its default format, is put on
  // the whole text again (and kept as the default).
  CHARFORMAT2W font{};
  font.cbSize = sizeof(font);
  ::SendMessageW(window, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
  font.dwMask &= CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_CHARSET;
  const std::string rtf = MarkedRtf(text, marks);
  SETTEXTEX how{ST_DEFAULT, CP_ACP};
  if (!::SendMessageW(window, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
                      reinterpret_cast<LPARAM>(rtf.c_str()))) {
    throw Failure("Cannot set the text of " + spec_.name);
  }
  caption_ = text;
  ::SendMessageW(window, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&font));
  ::SendMessageW(window, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
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
