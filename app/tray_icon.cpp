#include "app/tray_icon.h"

#include "app/form1_layout.h"
#include "edits/engine/catalogue.h"
#include "shell/program_config.h"

namespace fenlow {
namespace {

constexpr std::u16string_view kSeparator = u"-";
// Menu ids: the commands, then the list's entries by their place in it.
enum MenuId : int { kUndo = 1, kOptions, kExit, kFirstEntry = 100 };

}  // namespace

TrayIcon::~TrayIcon() {
  if (!shown_) return;
  platform_.Tray().RemoveIcon();
  platform_.Tray().OnIconEvent(nullptr);
}

void TrayIcon::Show() {
  platform_.Tray().OnIconEvent([this](platform::IconEvent event) { OnEvent(event); });
  shown_ = true;
  platform_.Tray().ShowIcon(Tip());
}

void TrayIcon::UpdateTip() {
  if (shown_) platform_.Tray().SetTip(Tip());
}

std::u16string TrayIcon::Tip() const {
  std::u16string tip(config::kProductName);
  for (HotkeyCommand command : kHotkeyCommands) {
    const std::u16string problem = ShortProblemText(hotkeys_.Status(command));
    if (!problem.empty()) tip += u"\n" + problem;
  }
  return tip;
}

void TrayIcon::OnEvent(platform::IconEvent event) {
  if (event == platform::IconEvent::Click) {
    commands_.ShowMainWindow();
    return;
  }
  if (!form1_.IsLoaded() || commands_.DialogBroughtToFront()) return;
  OpenMenu();
}

// The list's own separators separate the menu's groups of edits too.
std::vector<platform::MenuItem> TrayIcon::Menu() {
  const std::u16string chosen = form1_.Combo1Text();
  std::vector<platform::MenuItem> items;
  const auto& entries = edits::kOptionListEntries;
  for (std::size_t place = 0; place < entries.size(); ++place) {
    if (entries[place] == kSeparator) {
      items.push_back({});
      continue;
    }
    items.push_back({kFirstEntry + static_cast<int>(place), std::u16string(entries[place]),
                     entries[place] == chosen});
  }
  items.push_back({});
  items.push_back({kUndo, u"&Undo"});
  items.push_back({kOptions, u"&Options..."});
  items.push_back({});
  items.push_back({kExit, u"E&xit"});
  return items;
}

void TrayIcon::OpenMenu() {
  ErrorTrap trap(platform_.Forms(), TrapLocation(form1::kName, u"TrayMenu_Open"));
  std::vector<platform::MenuItem> items;
  trap(100, [&] { items = Menu(); });
  int picked = 0;
  trap(102, [&] { picked = platform_.Tray().ShowMenu(items); });
  switch (picked) {
    case 0:
      return;
    case kUndo:
      commands_.Undo();
      return;
    case kOptions:
      commands_.ShowOptions();
      return;
    case kExit:
      commands_.Exit();
      return;
    default:
      break;
  }
  const auto place = static_cast<std::size_t>(picked - kFirstEntry);
  if (place < edits::kOptionListEntries.size())
    commands_.ApplyEdit(std::u16string(edits::kOptionListEntries[place]));
}

}  // namespace fenlow
