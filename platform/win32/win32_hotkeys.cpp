#include "platform/win32/win32_hotkeys.h"

#include <algorithm>
#include <vector>

namespace fenlow::platform::win32 {
namespace {

// The layout of the program the user is in first, then the others installed.
std::vector<HKL> KeyboardLayouts() {
  std::vector<HKL> layouts;
  const HWND foreground = ::GetForegroundWindow();
  const DWORD thread = foreground ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
  layouts.push_back(::GetKeyboardLayout(thread));
  const int count = ::GetKeyboardLayoutList(0, nullptr);
  if (count > 0) {
    std::vector<HKL> installed(static_cast<std::size_t>(count));
    installed.resize(
        static_cast<std::size_t>(std::max(::GetKeyboardLayoutList(count, installed.data()), 0)));
    for (HKL layout : installed) {
      if (std::find(layouts.begin(), layouts.end(), layout) == layouts.end())
        layouts.push_back(layout);
    }
  }
  return layouts;
}

bool IsTypedCharacter(wchar_t c) {
  return c >= 0x20 && c != 0x7F;
}

// What the key with these modifiers types on `layout`: control characters
// (Ctrl+B is 0x02) type nothing; a dead key types its accent.
std::u16string TypedOn(HKL layout, const Hotkey& hotkey) {
  BYTE state[256] = {};
  constexpr BYTE kDown = 0x80;
  if (hotkey.control) state[VK_CONTROL] = state[VK_LCONTROL] = kDown;
  if (hotkey.alt) state[VK_MENU] = state[VK_RMENU] = kDown;  // AltGr is the right Alt
  if (hotkey.shift) state[VK_SHIFT] = state[VK_LSHIFT] = kDown;
  const UINT scanCode = ::MapVirtualKeyExW(hotkey.key, MAPVK_VK_TO_VSC, layout);
  wchar_t typed[8] = {};
  constexpr UINT kKeepKeyboardState = 0x4;  // leaves a pending dead key as it was
  int count = ::ToUnicodeEx(hotkey.key, scanCode, state, typed, 8, kKeepKeyboardState, layout);
  if (count < 0) {
    // A dead key. Systems that ignore the flag above hold it as pending now:
    // the same key once more clears it.
    wchar_t cleared[8] = {};
    ::ToUnicodeEx(hotkey.key, scanCode, state, cleared, 8, kKeepKeyboardState, layout);
    count = 1;
  }
  std::u16string characters;
  for (int i = 0; i < std::min(count, 8); ++i) {
    if (IsTypedCharacter(typed[i])) characters.push_back(static_cast<char16_t>(typed[i]));
  }
  return characters;
}

}  // namespace

Win32Hotkeys::~Win32Hotkeys() {
  for (int id : std::vector<int>(registered_)) Unregister(id);
}

HotkeyRegistration Win32Hotkeys::Register(int id, const Hotkey& hotkey) {
  Unregister(id);
  UINT modifiers = MOD_NOREPEAT;
  if (hotkey.control) modifiers |= MOD_CONTROL;
  if (hotkey.alt) modifiers |= MOD_ALT;
  if (hotkey.shift) modifiers |= MOD_SHIFT;
  if (!::RegisterHotKey(messageWindow_.Handle(), id, modifiers, hotkey.key)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_HOTKEY_ALREADY_REGISTERED) return HotkeyRegistration::HeldElsewhere;
    ThrowSystemError("Cannot register the hotkey", error);
  }
  registered_.push_back(id);
  return HotkeyRegistration::Registered;
}

void Win32Hotkeys::Unregister(int id) noexcept {
  const auto found = std::find(registered_.begin(), registered_.end(), id);
  if (found == registered_.end()) return;
  registered_.erase(found);
  try {
    ::UnregisterHotKey(messageWindow_.Handle(), id);
  } catch (...) {
    // No message window: nothing was registered on it.
  }
}

void Win32Hotkeys::OnPressed(std::function<void(int id)> handler) {
  if (!handler) {
    messageWindow_.OnMessage(WM_HOTKEY, nullptr);
    return;
  }
  messageWindow_.OnMessage(WM_HOTKEY, [handler = std::move(handler)](WPARAM id, LPARAM) {
    handler(static_cast<int>(id));
    return LRESULT{0};
  });
}

std::u16string Win32Hotkeys::CharactersTypedBy(const Hotkey& hotkey) {
  for (HKL layout : KeyboardLayouts()) {
    std::u16string typed = TypedOn(layout, hotkey);
    if (!typed.empty()) return typed;
  }
  return {};
}

}  // namespace fenlow::platform::win32
