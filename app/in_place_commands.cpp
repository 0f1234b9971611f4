// The commands that paste the chosen edit's result into the program the user
// is in, or edit its selection in place.
#include "app/commands.h"
#include "app/recipe_run.h"
#include "edits/engine/utf.h"
#include "app/recipe_run.h"
#include "edits/engine/utf.h"
#include "edits/engine/catalogue.h"
#include "shell/settings_keys.h"

namespace fenlow {

namespace {

constexpr char kParameterNeverTyped[] =
    "The chosen edit needs a parameter that has not been typed yet: apply it once from Fenlow's "
    "window, and the hotkey then uses what you typed.";
constexpr char kUnknownEdit[] = "The chosen edit is not one Fenlow knows.";

// Read with this default, a setting tells that it was never made.
constexpr std::u16string_view kNeverMade = u"\x01";

}  // namespace

void Commands::PasteChosenEdit() {
  EditInPlace(platform::HotkeyMode::Paste, HotkeyCommand::Paste);
}

void Commands::EditInPlace(platform::HotkeyMode mode, HotkeyCommand command) {
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  const std::optional<platform::Hotkey> pressed =
      platform::ParseHotkey(hotkeys_.Status(command).text);
  if (!pressed) return;
  StartInPlace({mode, *pressed, ChosenEdit()});
}

void Commands::StartInPlace(InPlaceRequest request) {
  form1_.Monitor().Requests().Run([this, request = std::move(request)] {
    if (form1_.IsLoaded()) inPlace_.Start(request);
  });
}

void Commands::RecipeHotkeyPressed(const std::string& name) {
  const platform::WindowHandle userWindow = platform_.Forms().ForegroundWindow();
  RefreshRecipes();
  const recipes::Recipe* recipe = recipes_.Find(name);
  const platform::HotkeyMode mode =
      recipe && recipe->mode ? platform::ModeFromText(edits::Utf8ToUtf16(*recipe->mode))
                             : platform::HotkeyMode::Clipboard;
  const std::optional<platform::Hotkey> pressed =
      recipe && recipe->hotkey ? platform::ParseHotkey(edits::Utf8ToUtf16(*recipe->hotkey))
                               : std::nullopt;
  if (mode == platform::HotkeyMode::Clipboard || !pressed) return RunRecipe(name, userWindow);
  if (!form1_.IsLoaded() || DialogBroughtToFront()) return;
  StartInPlace({mode, *pressed, RecipeHotkeyEdit(*recipe)});
}

// A recipe as the in-place run takes it: a failing step's sentence is what it tells.
HotkeyEdit Commands::RecipeHotkeyEdit(const recipes::Recipe& recipe) {
  return [edit = RecipeEdit(recipe)](const std::u16string& text) {
    TextEditOutcome outcome = edit(text);
    if (!outcome.result) throw platform::Failure(edits::Utf16ToUtf8(outcome.failure));
    return std::move(*outcome.result);
  };
}

HotkeyEdit Commands::ChosenEdit() {
  return [option = form1_.Combo1Text(),
          parameters = form1_.AutomaticParameters()](const std::u16string& text) {
    if (!parameters) throw platform::Failure(kParameterNeverTyped);
    edits::EditOutcome outcome =
        edits::ApplyOption(option, text, parameters->param1, parameters->param2);
    if (outcome.kind == edits::EditOutcome::Kind::NoSuchOption)
      throw platform::Failure(kUnknownEdit);
    return std::move(outcome.result);
  };
}

std::u16string Commands::PasteHotkeyInOptions() {
  const std::u16string& inUse = hotkeys_.Status(HotkeyCommand::Paste).text;
  if (!inUse.empty()) return inUse;
  const std::u16string stored = platform_.Settings().Read(
      settings::kApplication, settings::kSection, settings::kHotkeyPaste, kNeverMade);
  return stored == kNeverMade ? std::u16string(options_form::kOfferedPasteHotkey)
                              : std::u16string();
}

}  // namespace fenlow
