// Looks at a running Fenlow from outside, as the release test and the
// README's screenshots (scripts/screenshot.sh) need:
//
//   release_probe wait-window SECONDS     the main window is there and visible
//   release_probe expect-text1 TEXT SECONDS
//                                          the clipboard text box shows TEXT
//   release_probe expect-combo1 TEXT SECONDS
//                                          the option list shows TEXT
//   release_probe close SECONDS            closes the main window as its close
//                                          box does and waits until it is gone
//   release_probe file-version PATH        prints the version resource of PATH:
//                                          "<fixed a.b.c.d> <ProductVersion>"
//   release_probe window-rect CAPTION SECONDS
//                                          prints where a visible window of the
//                                          program captioned CAPTION is on the
//                                          screen: "WxH+X+Y"
//   release_probe icon-menu SECONDS        opens the notification icon's menu
//                                          as a right click on the icon does,
//                                          and prints where it is: "WxH+X+Y"
//   release_probe menu-key KEY             presses KEY (a letter, or Escape)
//                                          in the open menu
//
// Exit code 0 when the check holds, 1 when it does not (with what was seen
// on standard error), 2 for a wrong command line.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <thread>

namespace {

// The class of every form of the program; the main window's caption is the
// product name.
constexpr wchar_t kFormClass[] = L"FenlowForm";
constexpr wchar_t kMainCaption[] = L"Fenlow";
// The program's hidden window, which its notification icon reports to with
// this message, the event in its low word.
constexpr wchar_t kMessageWindowClass[] = L"FenlowShell";
constexpr UINT kIconMessage = WM_APP + 2;
constexpr wchar_t kMenuClass[] = L"#32768";

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
  return out;
}

HWND MainWindow() {
  HWND window = ::FindWindowW(kFormClass, kMainCaption);
  return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

// Another process's control is asked with messages: a plain window-text query
// would answer with the caption the control was created with.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    return L"<no answer>";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(copied);
  return text;
}

// The first child of the main window of `className` (Text1 is the only edit
// control, Combo1 the only combo box).
HWND Child(HWND main, const wchar_t* className) {
  return ::FindWindowExW(main, nullptr, className, nullptr);
}

template <typename Condition>
bool WaitUntil(Condition condition, double seconds) {
  const auto end = std::chrono::steady_clock::now() +
                   std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

int WaitWindow(double seconds) {
  if (WaitUntil([] { return MainWindow() != nullptr; }, seconds)) {
    std::printf("main window: visible\n");
    return 0;
  }
  std::fprintf(stderr, "no visible window of class FenlowForm captioned \"Fenlow\" within %gs\n",
               seconds);
  return 1;
}

int ExpectText(const wchar_t* className, const wchar_t* expected, double seconds) {
  std::wstring seen = L"<no main window>";
  const bool shown = WaitUntil(
      [&] {
        HWND main = MainWindow();
        if (main == nullptr) return false;
        HWND control = Child(main, className);
        seen = control != nullptr ? TextOf(control) : std::wstring(L"<no such control>");
        return seen == expected;
      },
      seconds);
  if (shown) {
    std::printf("%ls shows: %s\n", className, Utf8(seen).c_str());
    return 0;
  }
  std::fprintf(stderr, "%ls shows \"%s\", expected \"%s\"\n", className, Utf8(seen).c_str(),
               Utf8(expected).c_str());
  return 1;
}

int Close(double seconds) {
  HWND main = MainWindow();
  if (main == nullptr) {
    std::fprintf(stderr, "no main window to close\n");
    return 1;
  }
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitUntil([&] { return !::IsWindow(main); }, seconds)) {
    std::printf("main window: closed\n");
    return 0;
  }
  std::fprintf(stderr, "the main window is still there %gs after WM_CLOSE\n", seconds);
  return 1;
}

int FileVersion(const wchar_t* path) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) {
    std::fprintf(stderr, "no version information in %s\n", Utf8(path).c_str());
    return 1;
  }
  std::string data(size, '\0');
  if (!::GetFileVersionInfoW(path, 0, size, data.data())) return 1;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  wchar_t* product = nullptr;
  UINT productSize = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      !::VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                        reinterpret_cast<void**>(&product), &productSize)) {
    std::fprintf(stderr, "incomplete version information in %s\n", Utf8(path).c_str());
    return 1;
  }
  std::printf("%u.%u.%u.%u %s\n", static_cast<unsigned>(HIWORD(fixed->dwFileVersionMS)),
              static_cast<unsigned>(LOWORD(fixed->dwFileVersionMS)),
              static_cast<unsigned>(HIWORD(fixed->dwFileVersionLS)),
              static_cast<unsigned>(LOWORD(fixed->dwFileVersionLS)), Utf8(product).c_str());
  return 0;
}

// A visible top-level window of the class (and caption, unless null).
HWND VisibleWindow(const wchar_t* className, const wchar_t* caption) {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, className, caption); window != nullptr;
       window = ::FindWindowExW(nullptr, window, className, caption)) {
    if (::IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void PrintRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
              rect.top);
}

int WindowRect(const wchar_t* caption, double seconds) {
  HWND window = nullptr;
  if (!WaitUntil([&] { return (window = VisibleWindow(kFormClass, caption)) != nullptr; },
                 seconds)) {
    std::fprintf(stderr, "no visible window captioned \"%s\" within %gs\n", Utf8(caption).c_str(),
                 seconds);
    return 1;
  }
  PrintRect(window);
  return 0;
}

// Posted: the program answers with the menu's own loop.
int IconMenu(double seconds) {
  HWND messageWindow = ::FindWindowW(kMessageWindowClass, nullptr);
  if (messageWindow == nullptr) {
    std::fprintf(stderr, "no window of class FenlowShell\n");
    return 1;
  }
  ::PostMessageW(messageWindow, kIconMessage, 0, WM_CONTEXTMENU);
  HWND menu = nullptr;
  if (!WaitUntil([&] { return (menu = VisibleWindow(kMenuClass, nullptr)) != nullptr; }, seconds)) {
    std::fprintf(stderr, "no menu within %gs\n", seconds);
    return 1;
  }
  PrintRect(menu);
  return 0;
}

int MenuKey(const wchar_t* key) {
  HWND menu = VisibleWindow(kMenuClass, nullptr);
  const std::wstring name = key;
  WPARAM virtualKey = 0;
  if (name == L"Escape") {
    virtualKey = VK_ESCAPE;
  } else if (name.size() == 1 && std::iswalpha(name[0])) {
    virtualKey = std::towupper(name[0]);
  }
  if (menu == nullptr || virtualKey == 0) {
    std::fprintf(stderr, menu == nullptr ? "no open menu\n" : "no such key\n");
    return 1;
  }
  ::PostMessageW(menu, WM_KEYDOWN, virtualKey, 1);
  ::PostMessageW(menu, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: release_probe wait-window SECONDS | expect-text1 TEXT SECONDS |"
               " expect-combo1 TEXT SECONDS | close SECONDS | file-version PATH |"
               " window-rect CAPTION SECONDS | icon-menu SECONDS | menu-key KEY\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Usage();
  const std::wstring command = argv[1];
  if (command == L"wait-window" && argc == 3) return WaitWindow(std::wcstod(argv[2], nullptr));
  if (command == L"expect-text1" && argc == 4) {
    return ExpectText(L"Edit", argv[2], std::wcstod(argv[3], nullptr));
  }
  if (command == L"expect-combo1" && argc == 4) {
    return ExpectText(L"ComboBox", argv[2], std::wcstod(argv[3], nullptr));
  }
  if (command == L"close" && argc == 3) return Close(std::wcstod(argv[2], nullptr));
  if (command == L"file-version" && argc == 3) return FileVersion(argv[2]);
  if (command == L"window-rect" && argc == 4) {
    return WindowRect(argv[2], std::wcstod(argv[3], nullptr));
  }
  if (command == L"icon-menu" && argc == 3) return IconMenu(std::wcstod(argv[2], nullptr));
  if (command == L"menu-key" && argc == 3) return MenuKey(argv[2]);
  return Usage();
}
