#include <algorithm>

#include "platform/hotkey.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_rich_text.h"

namespace fenlow::platform::win32 {
namespace {

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

WindowKind KindOf(const ControlSpec& spec) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (spec.kind) {
    case ControlKind::Frame:
      return {L"BUTTON", kChild | BS_GROUPBOX, 0};
    case ControlKind::TextBox: {
      DWORD style = kChild | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      if (spec.verticalScroll) style |= WS_VSCROLL;
      if (spec.horizontalScroll) style |= WS_HSCROLL | ES_AUTOHSCROLL;  // else lines wrap
      return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
    case ControlKind::ComboList:
      return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::PushButton:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::OptionButton:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::Label:  // never wraps: it is made as wide as its caption instead
      return {L"STATIC", kChild | SS_LEFTNOWORDWRAP, 0};
    case ControlKind::HotkeyBox:
      return {HOTKEY_CLASSW, kChild | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      return {L"LISTBOX", kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case ControlKind::RichTextBox:
      return {RichTextClass(),
              kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
              WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", kChild, 0};
}

// Frames, labels, check boxes and option buttons are drawn on the colour of
// their form; text boxes, lists and push buttons keep the system's colours.
bool TakesFormColour(ControlKind kind) {
  return kind == ControlKind::Frame || kind == ControlKind::Label ||
         kind == ControlKind::CheckBox || kind == ControlKind::OptionButton;
}

// Child windows report their mouse moves to the form.
LRESULT CALLBACK ControlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR data) {
  if (message == WM_MOUSEMOVE) reinterpret_cast<Win32Control*>(data)->ReportMouseMove();
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, ControlSubclass, id);
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// A text box takes a long text in pieces of about this many code units, each
// ending with a line break (see SetLongText).
constexpr std::size_t kPieceLength = 256 * 1024;

// Where the piece that starts at `start` ends: after the last line break
// within kPieceLength, or after the next one when the piece has none (an
// edit control lays out a line as a whole, so a line is never split).
std::size_t PieceEnd(std::wstring_view text, std::size_t start) {
  if (text.size() - start <= kPieceLength) return text.size();
  const std::size_t lastBreak = text.rfind(L'\n', start + kPieceLength - 1);
  if (lastBreak != std::wstring_view::npos && lastBreak >= start) return lastBreak + 1;
  const std::size_t nextBreak = text.find(L'\n', start + kPieceLength);
  return nextBreak == std::wstring_view::npos ? text.size() : nextBreak + 1;
}

// Handles the messages that other threads and programs have sent to this
// thread (a clipboard notification, a "do you answer?" probe) and nothing
// else: posted input such as clicks and keys waits in the queue.
void AnswerSentMessages() {
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace

Win32Control::Win32Control(Win32Form& form, const ControlSpec& spec, int id, Colour formColour)
    : form_(form), spec_(spec), id_(id), caption_(spec.caption) {
  if (TakesFormColour(spec.kind)) backColour_ = formColour;
}

void Win32Control::Create(HWND parent) {
  const WindowKind kind = KindOf(spec_);
  const bool captionless = spec_.kind == ControlKind::ComboList ||
                           spec_.kind == ControlKind::HotkeyBox ||
                           spec_.kind == ControlKind::ListBox;
  const std::wstring caption = captionless ? L"" : ToWide(spec_.caption);
  window_ = ::CreateWindowExW(kind.extendedStyle, kind.className, caption.c_str(), kind.style, 0, 0,
                              0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              ::GetModuleHandleW(nullptr), nullptr);
  if (!window_) ThrowLastError("Cannot create the control " + spec_.name);
  if (spec_.kind == ControlKind::TextBox) ::SendMessageW(window_, EM_SETLIMITTEXT, 0, 0);
  if (spec_.kind == ControlKind::RichTextBox) PrepareRichText(window_);
  if (spec_.kind == ControlKind::HotkeyBox) {
    // A combination without Ctrl or Alt gets Ctrl+Alt: no hotkey takes plain typing.
    ::SendMessageW(window_, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                   MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    if (!spec_.caption.empty()) SetHotkey(window_, spec_.caption);
  }
  ::SetWindowSubclass(window_, ControlSubclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Win32Control::ReportMouseMove() {
  form_.RaiseCaught(spec_.name, ControlEvent::MouseMove);
}

HWND Win32Control::RequireWindow() const {
  if (!window_) throw Failure("The control " + spec_.name + " is not loaded");
  return window_;
}

void Win32Control::RequireKind(ControlKind kind, const char* operation) const {
  if (spec_.kind != kind) throw Failure(spec_.name + " has no " + operation);
}

std::u16string Win32Control::Text() const {
  const HWND window = RequireWindow();
  if (spec_.kind == ControlKind::PushButton) return caption_;
  if (spec_.kind == ControlKind::HotkeyBox) {
    const auto value = static_cast<WORD>(::SendMessageW(window, HKM_GETHOTKEY, 0, 0));
    const BYTE flags = HIBYTE(value);
    if (LOBYTE(value) == 0) return {};
    return HotkeyText({(flags & HOTKEYF_CONTROL) != 0, (flags & HOTKEYF_ALT) != 0,
                       (flags & HOTKEYF_SHIFT) != 0, LOBYTE(value)});
  }
  if (spec_.kind == ControlKind::ListBox) {
    const int selected = SelectedIndex();
    return selected < 0 ? std::u16string() : items_[static_cast<std::size_t>(selected)];
  }
  if (spec_.kind == ControlKind::ComboList) {
    const auto selected = ::SendMessageW(window, CB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<std::size_t>(selected) >= items_.size()) return {};
    return items_[static_cast<std::size_t>(selected)];
  }
  // One copy straight into the result, also for very long texts.
  std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(window)), u'\0');
  const int copied = ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                      static_cast<int>(text.size()) + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void Win32Control::SetText(std::u16string_view text) {
  const HWND window = RequireWindow();
  if (spec_.kind == ControlKind::ComboList) {
    const auto entry = std::find(items_.begin(), items_.end(), text);
    if (entry == items_.end()) {
      throw Failure("The list " + spec_.name + " has no entry \"" + ToUtf8(AsWide(text)) + "\"");
    }
    ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(entry - items_.begin()), 0);
    form_.Raise(spec_.name, ControlEvent::Click);
    return;
  }
  if (spec_.kind == ControlKind::TextBox) {
    shown_ = {};
    SetTextBoxText(window, AsWide(text), true);
    return;
  }
  if (spec_.kind == ControlKind::HotkeyBox) {
    SetHotkey(window, text);
    return;
  }
  PutWindowText(window, AsWide(text));
  if (spec_.kind == ControlKind::PushButton) caption_ = text;
  if (spec_.kind == ControlKind::Label) form_.Place(*this);
}

// Set again to the text it shows and was not typed into since, the box is
// left alone: no copy of its text is read to compare, which on a text of
// megabytes would cost as much as the edit.
void Win32Control::SetSharedText(const SharedText& text) {
  if (spec_.kind != ControlKind::TextBox) {
    SetText(text.View());
    return;
  }
  const HWND window = RequireWindow();
  const bool known = !shown_.empty() && !TypedInto(window);
  if (known && shown_ == text.View()) return;
  // Noted first: a newer text set while a long one goes in notes itself after it.
  shown_ = text;
  try {
    SetTextBoxText(window, AsWide(text.View()), !known);
  } catch (...) {
    shown_ = {};
    throw;
  }
}

bool Win32Control::TypedInto(HWND window) const {
  return ::SendMessageW(window, EM_GETMODIFY, 0, 0) != 0;
}

// The keys of the block between the main keys and the number pad share
// their codes with number pad keys; the control tells them apart by a flag.
void Win32Control::SetHotkey(HWND window, std::u16string_view text) {
  if (text.empty()) {
    ::SendMessageW(window, HKM_SETHOTKEY, 0, 0);
    return;
  }
  const std::optional<Hotkey> hotkey = ParseHotkey(text);
  if (!hotkey) throw Failure("\"" + ToUtf8(AsWide(text)) + "\" is not a hotkey");
  BYTE flags = 0;
  if (hotkey->control) flags |= HOTKEYF_CONTROL;
  if (hotkey->alt) flags |= HOTKEYF_ALT;
  if (hotkey->shift) flags |= HOTKEYF_SHIFT;
  const bool extended = (hotkey->key >= VK_PRIOR && hotkey->key <= VK_DOWN) ||
                        hotkey->key == VK_INSERT || hotkey->key == VK_DELETE;
  if (extended) flags |= HOTKEYF_EXT;
  ::SendMessageW(window, HKM_SETHOTKEY, MAKEWORD(hotkey->key, flags), 0);
}

void Win32Control::PutWindowText(HWND window, std::wstring_view text) const {
  if (!::SetWindowTextW(window, std::wstring(text).c_str())) {
    ThrowLastError("Cannot set the text of " + spec_.name);
  }
}

// A text box already showing exactly this text is left as it is: laying out
// a long text again costs time and would move the reader back to the top.
// Unless the caller knows it shows another text, that is compared first.
void Win32Control::SetTextBoxText(HWND window, std::wstring_view text, bool mayShowIt) {
  const unsigned generation = ++*textGeneration_;
  if (mayShowIt) {
    const auto shownLength = static_cast<std::size_t>(::GetWindowTextLengthW(window));
    if (shownLength == text.size() && shownLength > 0 && AsWide(Text()) == text) return;
  }
  if (text.size() > kPieceLength) {
    SetLongText(window, text, generation);
    return;
  }
  PutWindowText(window, text);
  ::SendMessageW(window, EM_SETMODIFY, FALSE, 0);
}

// The edit control lays out each line as it takes a text in, which for a
// text of megabytes may take longer than the five seconds after which the
// system takes a window for hung. The text goes in piece by piece, and
// between pieces the messages sent by others are answered. One of them may
// set this text box again or close the window: the newer text wins, and
// nothing of a destroyed control is touched.
void Win32Control::SetLongText(HWND window, std::wstring_view text, unsigned mine) {
  const std::shared_ptr<unsigned> generation = textGeneration_;
  auto redraw = [window] {
    ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(window, nullptr, TRUE);
  };
  std::size_t end = PieceEnd(text, 0);
  PutWindowText(window, text.substr(0, end));
  // Redrawing stays off until the whole text is in. The first piece is not
  // painted meanwhile either: only sent messages are answered below.
  ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  while (end < text.size()) {
    AnswerSentMessages();
    const bool destroyed = generation.use_count() == 1 || !::IsWindow(window);
    if (destroyed) return;
    if (*generation != mine) {  // the newer text is in place already
      redraw();
      return;
    }
    const std::size_t start = end;
    end = PieceEnd(text, start);
    const std::wstring piece(text.substr(start, end - start));
    ::SendMessageW(window, EM_SETSEL, start, start);
    ::SendMessageW(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
  }
  // As after setting the whole text at once: at the top, nothing to undo.
  ::SendMessageW(window, EM_SETSEL, 0, 0);
  ::SendMessageW(window, EM_SCROLLCARET, 0, 0);
  ::SendMessageW(window, EM_SETMODIFY, FALSE, 0);
  redraw();
  if (static_cast<std::size_t>(::GetWindowTextLengthW(window)) != text.size()) {
    throw Failure("Cannot set the whole text of " + spec_.name);
  }
}

bool Win32Control::IsList() const {
  return spec_.kind == ControlKind::ComboList || spec_.kind == ControlKind::ListBox;
}

// A list box is made without LBS_SORT: items stay in the order added.
void Win32Control::AddItem(std::u16string_view entry) {
  if (!IsList()) throw Failure(spec_.name + " has no list entries");
  const bool combo = spec_.kind == ControlKind::ComboList;
  const auto added = ::SendMessageW(RequireWindow(), combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
  if (added < 0) throw Failure("Cannot add to the list " + spec_.name);
  items_.emplace_back(entry);
}

void Win32Control::ClearItems() {
  if (!IsList()) throw Failure(spec_.name + " has no list entries");
  const bool combo = spec_.kind == ControlKind::ComboList;
  ::SendMessageW(RequireWindow(), combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  items_.clear();
}

int Win32Control::SelectedIndex() const {
  RequireKind(ControlKind::ListBox, "chosen item");
  const auto selected = ::SendMessageW(RequireWindow(), LB_GETCURSEL, 0, 0);
  return selected < 0 ? -1 : static_cast<int>(selected);
}

void Win32Control::SetSelectedIndex(int index) {
  RequireKind(ControlKind::ListBox, "chosen item");
  if (index < -1 || index >= static_cast<int>(items_.size())) {
    throw Failure("The list " + spec_.name + " has no item " + std::to_string(index));
  }
  // LB_SETCURSEL gives LB_ERR for -1 too, by design: no error then.
  const auto chosen = ::SendMessageW(RequireWindow(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (index >= 0 && chosen < 0) throw Failure("Cannot choose an item of " + spec_.name);
}

bool Win32Control::Checked() const {
  return ::SendMessageW(RequireWindow(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Control::SetChecked(bool checked) {
  if (spec_.kind != ControlKind::CheckBox && spec_.kind != ControlKind::OptionButton) {
    throw Failure(spec_.name + " has no checked state");
  }
  if (Checked() == checked) return;
  ::SendMessageW(RequireWindow(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  form_.Raise(spec_.name, ControlEvent::Click);
}

void Win32Control::SetBackColour(Colour colour) {
  backColour_ = colour;
  ::InvalidateRect(RequireWindow(), nullptr, TRUE);
}

void Win32Control::SetFocus() {
  ::SetFocus(RequireWindow());
}

bool Win32Control::TakesFocus() const {
  return spec_.kind != ControlKind::Frame && spec_.kind != ControlKind::Label;
}

// Measured as the label draws it: tabs expanded, "&" marking a mnemonic.
int Win32Control::CaptionWidthPixels() const {
  const HWND window = RequireWindow();
  const std::wstring caption(AsWide(Text()));
  const HDC dc = ::GetDC(window);
  if (!dc) ThrowLastError("Cannot measure the caption of " + spec_.name);
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
  RECT needed{};
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &needed,
              DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
  if (previous) ::SelectObject(dc, previous);
  ::ReleaseDC(window, dc);
  return needed.right - needed.left;
}

bool Win32Control::IsButtonLike() const {
  return spec_.kind == ControlKind::PushButton || spec_.kind == ControlKind::CheckBox ||
         spec_.kind == ControlKind::OptionButton;
}

}  // namespace fenlow::platform::win32
