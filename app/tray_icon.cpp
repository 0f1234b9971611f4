#include "app/tray_icon.h"

#include "app/form1_layout.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "shell/program_config.h"

namespace fenlow {
namespace {

constexpr std::u16string_view kSeparator = u"-";
// Menu ids: the commands, the list's entries by their place in it, then the
// recipes by theirs.
enum MenuId : int {
  kUndo = 1,
  kOptions,
  kRecipes,
  kExit,
  kRecipesSubmenu,  // opens the submenu, never picked
  kFirstEntry = 100,
  kFirstRecipe = 1000,
};

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
  std::vector<const HotkeyStatus*> statuses;
  for (HotkeyCommand command : kHotkeyCommands) statuses.push_back(&hotkeys_.Status(command));
  for (const auto& [recipe, status] : hotkeys_.RecipeStatuses()) statuses.push_back(&status);
  for (const HotkeyStatus* status : statuses) {
    const std::u16string problem = ShortProblemText(*status);
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
  items.push_back(RecipesSubmenu());
  items.push_back({kUndo, u"&Undo"});
  items.push_back({kOptions, u"&Options..."});
  if (offersRecipesDialog_) items.push_back({kRecipes, u"R&ecipes..."});
  items.push_back({});
  items.push_back({kExit, u"E&xit"});
  return items;
}

// Each recipe with its hotkey, as menus show a shortcut; a file that cannot
// be read is said in its place.
platform::MenuItem TrayIcon::RecipesSubmenu() {
  platform::MenuItem submenu{kRecipesSubmenu, u"&Recipes"};
  menuRecipes_.clear();
  const std::vector<recipes::Recipe>& recipes = commands_.CurrentRecipes();
  for (const recipes::Recipe& recipe : recipes) {
    std::u16string text = edits::Utf8ToUtf16(recipe.name);
    if (recipe.hotkey && !recipe.hotkey->empty())
      text.append(u"\t").append(edits::Utf8ToUtf16(*recipe.hotkey));
    submenu.submenu.push_back(
        {kFirstRecipe + static_cast<int>(menuRecipes_.size()), std::move(text)});
    menuRecipes_.push_back(recipe.name);
  }
  if (recipes.empty()) {
    const bool unreadable = commands_.RecipesUnreadable();
    submenu.submenu.push_back({kFirstRecipe - 1,
                               unreadable ? u"(the recipe file cannot be read)" : u"(no recipes)",
                               false, false});
  }
  return submenu;
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
    case kRecipes:
      commands_.ShowRecipes();
      return;
    case kExit:
      commands_.Exit();
      return;
    default:
      break;
  }
  if (picked >= kFirstRecipe) {
    const auto place = static_cast<std::size_t>(picked - kFirstRecipe);
    if (place < menuRecipes_.size()) commands_.RunRecipe(menuRecipes_[place], 0);
    return;
  }
  const auto place = static_cast<std::size_t>(picked - kFirstEntry);
  if (place < edits::kOptionListEntries.size())
    commands_.ApplyEdit(std::u16string(edits::kOptionListEntries[place]));
}

}  // namespace fenlow
