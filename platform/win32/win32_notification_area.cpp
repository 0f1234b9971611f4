#include "platform/win32/win32_notification_area.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

namespace fenlow::platform::win32 {
namespace {

constexpr UINT kIconId = 1;
constexpr int kProgramIcon = 1;  // the icon resource of fenlow.exe

// The small icon at the screen's DPI, drawn from the size that fits best.
UniqueIcon LoadSmallIcon() {
  const HINSTANCE program = ::GetModuleHandleW(nullptr);
  using LoadIconMetricFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
  const auto loadIconMetric = reinterpret_cast<LoadIconMetricFunction>(reinterpret_cast<void (*)()>(
      ::GetProcAddress(::GetModuleHandleW(L"comctl32.dll"), "LoadIconMetric")));
  HICON icon = nullptr;
  if (loadIconMetric &&
      SUCCEEDED(loadIconMetric(program, MAKEINTRESOURCEW(kProgramIcon), LIM_SMALL, &icon))) {
    return UniqueIcon(icon);
  }
  const int size = ::GetSystemMetrics(SM_CXSMICON);
  icon = static_cast<HICON>(
      ::LoadImageW(program, MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, size, size, 0));
  if (!icon) icon = static_cast<HICON>(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
  return UniqueIcon(icon);
}

// Copies `text` into a fixed field of NOTIFYICONDATAW, cut to what it holds.
template <std::size_t N>
void CopyCut(std::u16string_view text, wchar_t (&field)[N]) {
  const std::size_t length = std::min(text.size(), N - 1);
  std::copy_n(AsWide(text).data(), length, field);
  field[length] = L'\0';
}

UINT TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

}  // namespace

NOTIFYICONDATAW Win32NotificationArea::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = messageWindow_.Handle();
  data.uID = kIconId;
  data.uFlags = flags;
  data.uCallbackMessage = kIconMessage;
  data.hIcon = icon_.get();
  CopyCut(tip_, data.szTip);
  data.uVersion = NOTIFYICON_VERSION_4;
  return data;
}

void Win32NotificationArea::ShowIcon(std::u16string_view tip) {
  tip_ = tip;
  wanted_ = true;
  messageWindow_.OnMessage(kIconMessage,
                           [this](WPARAM wParam, LPARAM lParam) { return OnIcon(wParam, lParam); });
  messageWindow_.OnMessage(TaskbarCreatedMessage(), [this](WPARAM, LPARAM) {
    added_ = false;
    if (wanted_) Add();
    return LRESULT{0};
  });
  Add();
}

void Win32NotificationArea::Add() {
  icon_ = LoadSmallIcon();  // anew: the taskbar may come back at another DPI
  NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP | NIF_MESSAGE | NIF_SHOWTIP);
  added_ = ::Shell_NotifyIconW(NIM_ADD, &data) || ::Shell_NotifyIconW(NIM_MODIFY, &data);
  if (added_) version4_ = ::Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

void Win32NotificationArea::SetTip(std::u16string_view tip) {
  tip_ = tip;
  if (!added_) return;  // shown with the icon when it comes
  NOTIFYICONDATAW data = Data(NIF_TIP | NIF_SHOWTIP);
  ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool Win32NotificationArea::Notify(std::u16string_view title, std::u16string_view text) {
  if (!added_) return false;
  NOTIFYICONDATAW data = Data(NIF_INFO);
  CopyCut(title, data.szInfoTitle);
  CopyCut(text, data.szInfo);
  // The program's own icon, without the system's sound: a word, not an alarm.
  data.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void Win32NotificationArea::RemoveIcon() noexcept {
  wanted_ = false;
  if (!added_) return;
  added_ = false;
  try {
    NOTIFYICONDATAW data = Data(0);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
  } catch (...) {
    // No message window: no icon was added for it.
  }
}

void Win32NotificationArea::OnIconEvent(std::function<void(IconEvent)> handler) {
  handler_ = std::move(handler);
}

LRESULT Win32NotificationArea::OnIcon(WPARAM wParam, LPARAM lParam) {
  // Version 4 gives the event in the low word and a selection of its own
  // (NIN_SELECT, WM_CONTEXTMENU) with the icon's place on the screen, also
  // when the keyboard chose it; the older form gives the mouse message.
  const UINT event = version4_ ? LOWORD(lParam) : static_cast<UINT>(lParam);
  menuAnchor_.reset();
  if (version4_ && event == WM_CONTEXTMENU && wParam != 0) {
    menuAnchor_ = POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
  }
  std::optional<IconEvent> what;
  if (event == NIN_SELECT || event == NIN_KEYSELECT || (!version4_ && event == WM_LBUTTONUP)) {
    what = IconEvent::Click;
  } else if (event == WM_CONTEXTMENU || (!version4_ && event == WM_RBUTTONUP)) {
    what = IconEvent::MenuRequest;
  }
  if (what && handler_) handler_(*what);
  return 0;
}

namespace {

struct MenuDeleter {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// A popup menu of `items`, with their submenus; the menu owns the submenus
// once they are in it.
UniqueMenu MakeMenu(const std::vector<MenuItem>& items) {
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) ThrowLastError("Cannot make the menu");
  for (const MenuItem& item : items) {
    if (item.id == 0) {
      ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
    info.fType = MFT_STRING | (item.checked ? MFT_RADIOCHECK : 0);
    info.fState = (item.checked ? MFS_CHECKED : 0) | (item.enabled ? 0 : MFS_DISABLED);
    info.wID = static_cast<UINT>(item.id);
    std::wstring text = ToWide(item.text);
    info.dwTypeData = text.data();
    UniqueMenu submenu;
    if (!item.submenu.empty()) {
      submenu = MakeMenu(item.submenu);
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = submenu.get();
    }
    if (!::InsertMenuItemW(menu.get(), ::GetMenuItemCount(menu.get()), TRUE, &info))
      ThrowLastError("Cannot make the menu");
    static_cast<void>(submenu.release());  // destroyed with its menu now
  }
  return menu;
}

}  // namespace

int Win32NotificationArea::ShowMenu(const std::vector<MenuItem>& items) {
  const UniqueMenu menu = MakeMenu(items);
  POINT at{};
  if (menuAnchor_) {
    at = *menuAnchor_;
  } else {
    ::GetCursorPos(&at);
  }
  const HWND owner = messageWindow_.Handle();
  // The menu closes on a click elsewhere only while its owner is in front.
  ::SetForegroundWindow(owner);
  const UINT alignment = ::GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const int picked = static_cast<int>(::TrackPopupMenuEx(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | alignment | TPM_BOTTOMALIGN,
      at.x, at.y, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);  // so that the menu's next opening works at once
  return picked;
}

}  // namespace fenlow::platform::win32
