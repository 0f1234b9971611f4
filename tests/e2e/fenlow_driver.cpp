#include "tests/e2e/fenlow_driver.h"

#include <algorithm>

#include "app/form1_layout.h"
#include "edits/engine/catalogue.h"
#include "platform/win32/testing/desktop_probe.h"
#include "tests/support/every_option.h"

namespace fenlow::e2e {

namespace probe = platform::win32::probe;
using platform::WindowHandle;

namespace {

constexpr platform::MessageId kNull = 0x0000;           // WM_NULL
constexpr platform::MessageId kSetText = 0x000C;        // WM_SETTEXT
constexpr platform::MessageId kGetText = 0x000D;        // WM_GETTEXT
constexpr platform::MessageId kGetTextLength = 0x000E;  // WM_GETTEXTLENGTH
constexpr std::uint32_t kVisible = 0x10000000;          // WS_VISIBLE
constexpr int kKeyHome = 0x24, kKeyDown = 0x28;
// The backend's class of every form; the main window's caption is the product name.
constexpr char16_t kFormClass[] = u"FenlowForm";
// The hidden window, and the message the notification icon sends it (WM_APP
// + 2) with the event in its low word.
constexpr char16_t kShellClass[] = u"FenlowShell";
constexpr platform::MessageId kIconMessage = 0x8002;
constexpr platform::LParam kContextMenu = 0x007B;  // WM_CONTEXTMENU
constexpr char16_t kMenuClass[] = u"#32768";

std::string ProgramFolder() {
  std::string program = FENLOW_PROGRAM_HOST_PATH;
  return program.substr(0, program.rfind('/'));
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace

FenlowDriver::~FenlowDriver() {
  try {
    if (hostPid_.empty() || !IsRunning()) return;
    if (!CloseAndWaitForExit(10s)) probe::RunHostShell("kill " + hostPid_);
  } catch (...) {
    // A destructor cannot report; the test has already failed if this matters.
  }
}

// Started from the host shell in the program's folder, so that the program
// finds HAND-M.CUR next to itself; the host process id tells when it ends.
void FenlowDriver::Start() {
  probe::CommandResult started = probe::RunHostShell(
      "cd '" + ProgramFolder() + "' && { wine ./fenlow.exe >/dev/null 2>&1 & echo $!; }");
  if (started.exitCode != 0) throw platform::Failure("Cannot start fenlow.exe: " + started.output);
  hostPid_ = Trimmed(started.output);
  // The window exists from the start of its load handler; it is shown once
  // start-up has finished.
  auto shown = [&] {
    main_ = probe::FindChild(0, kFormClass, u"Fenlow");
    return main_ != 0 && (probe::Style(main_) & kVisible) != 0;
  };
  if (!probe::WaitUntil(shown, 30s)) throw platform::Failure("Fenlow's main window did not appear");
}

bool FenlowDriver::IsRunning() {
  return probe::RunHostShell("kill -0 " + hostPid_ + " 2>/dev/null").exitCode == 0;
}

bool FenlowDriver::CloseAndWaitForExit(std::chrono::milliseconds timeout) {
  probe::PostClose(main_);
  return probe::WaitUntil([&] { return !IsRunning(); }, timeout);
}

// Only a window of the program's own process counts: never one of the test's.
WindowHandle FenlowDriver::WaitForShownWindow(std::u16string_view caption,
                                              std::chrono::milliseconds timeout) {
  WindowHandle window = 0;
  const auto shown = [&] {
    window = probe::FindChild(0, kFormClass, caption);
    return window != 0 && probe::ProcessOf(window) == probe::ProcessOf(main_) &&
           (probe::Style(window) & kVisible) != 0;
  };
  return probe::WaitUntil(shown, timeout) ? window : 0;
}

WindowHandle FenlowDriver::Control(std::u16string_view className, std::u16string_view caption) {
  return probe::FindChild(main_, className, caption);
}

// An edit control keeps the caption it was created with as its window name,
// whatever text it shows since: Text1 was created without one.
WindowHandle FenlowDriver::Text1() {
  return Control(u"Edit", u"");
}
WindowHandle FenlowDriver::Combo1() {
  return Control(u"ComboBox", u"");
}

WindowHandle FenlowDriver::EditButton() {
  WindowHandle editing = Control(u"Button", kEditingCaption);
  return editing != 0 ? editing : Control(u"Button", kEditIdleCaption);
}

// Asked with messages: for another process's window the system answers a
// plain window-text query with the caption the window was created with, not
// with what an edit control or a list shows now.
std::u16string FenlowDriver::TextOf(WindowHandle window) {
  std::u16string text(TextLengthOf(window) + 1, u'\0');
  auto copied = messaging_.SendMessage(window, kGetText, text.size(),
                                       reinterpret_cast<platform::LParam>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::size_t FenlowDriver::TextLengthOf(WindowHandle window) {
  return static_cast<std::size_t>(messaging_.SendMessage(window, kGetTextLength, 0, 0));
}

bool FenlowDriver::Responds(std::chrono::milliseconds timeout) {
  return messaging_.SendMessageTimeout(main_, kNull, 0, 0, timeout).has_value();
}

void FenlowDriver::SetText(WindowHandle textBox, std::u16string_view text) {
  std::u16string terminated(text);
  messaging_.SendMessage(textBox, kSetText, 0,
                         reinterpret_cast<platform::LParam>(terminated.c_str()));
}

void FenlowDriver::Pick(std::u16string_view entry) {
  const auto& entries = edits::kOptionListEntries;
  auto found = std::find(entries.begin(), entries.end(), entry);
  if (found == entries.end()) throw platform::Failure("No such entry in the option list");
  WindowHandle combo = Combo1();
  probe::PostKey(combo, kKeyHome);
  for (auto step = entries.begin(); step != found; ++step) probe::PostKey(combo, kKeyDown);
}

bool FenlowDriver::Choose(std::u16string_view option) {
  Pick(testing::kSeparatorEntry);
  if (!WaitForText(Combo1(), testing::kSeparatorEntry)) return false;
  Pick(option);
  return WaitForText(Combo1(), option);
}

void FenlowDriver::Click(WindowHandle button) {
  probe::PostClick(button);
}

WindowHandle FenlowDriver::ShellWindow() {
  return probe::FindChild(0, kShellClass, u"Fenlow shell");
}

// Posted: the menu runs its own loop inside the program's answer.
WindowHandle FenlowDriver::OpenIconMenu() {
  probe::PostMessageTo(ShellWindow(), kIconMessage, 0, kContextMenu);
  WindowHandle menu = 0;
  const auto visibleMenu = [&] {
    for (menu = probe::FindChild(0, kMenuClass, u""); menu != 0;
         menu = probe::FindChildAfter(0, menu, kMenuClass, u"")) {
      if (probe::Style(menu) & kVisible) return true;
    }
    return false;
  };
  return probe::WaitUntil(visibleMenu) ? menu : 0;
}

WindowHandle FenlowDriver::Focus() {
  return probe::FocusInThreadOf(main_);
}

void FenlowDriver::PressKey(int virtualKey) {
  probe::PostKey(Focus(), virtualKey);
}

bool FenlowDriver::WaitForText(WindowHandle window, std::u16string_view expected,
                               std::chrono::milliseconds timeout) {
  return probe::WaitUntil([&] { return TextOf(window) == expected; }, timeout);
}

}  // namespace fenlow::e2e
