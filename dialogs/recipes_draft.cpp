#include "dialogs/recipes_draft.h"

#include <algorithm>
#include <utility>

#include "dialogs/recipe_preview.h"
#include "edits/engine/catalogue.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"
#include "platform/hotkey.h"

namespace fenlow {
namespace {

using recipes::Recipe;
using recipes::RecipeStep;

std::u16string Quoted(std::string_view name) {
  std::u16string text = u"\"";
  text.append(edits::Utf8ToUtf16(name));
  text.append(u"\"");
  return text;
}

// The hotkey as the hotkey box writes it, so that two spellings compare equal.
std::u16string CanonicalHotkey(std::u16string_view text) {
  const std::optional<platform::Hotkey> hotkey = platform::ParseHotkey(text);
  return hotkey ? platform::HotkeyText(*hotkey) : std::u16string(text);
}

template <typename Item>
void MoveWithin(std::vector<Item>& items, std::optional<std::size_t>& chosen, int by) {
  if (!chosen) return;
  const auto from = static_cast<std::ptrdiff_t>(*chosen);
  const std::ptrdiff_t to = from + by;
  if (to < 0 || to >= static_cast<std::ptrdiff_t>(items.size())) return;
  std::swap(items[static_cast<std::size_t>(from)], items[static_cast<std::size_t>(to)]);
  chosen = static_cast<std::size_t>(to);
}

template <typename Item>
void EraseChosen(std::vector<Item>& items, std::optional<std::size_t>& chosen) {
  if (!chosen) return;
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(*chosen));
  if (items.empty()) {
    chosen.reset();
  } else {
    chosen = std::min(*chosen, items.size() - 1);
  }
}

}  // namespace

std::u16string StepTitle(std::size_t index, const RecipeStep& step) {
  std::u16string title = u"Step ";
  title.append(WithThousands(index + 1));
  title.append(u" (");
  title.append(edits::Utf8ToUtf16(step.edit));
  title.append(u")");
  return title;
}

RecipesDraft::RecipesDraft(std::vector<Recipe> recipes)
    : original_(recipes), recipes_(std::move(recipes)) {
  if (!recipes_.empty()) Choose(0);
}

bool RecipesDraft::Changed() const {
  return !std::equal(original_.begin(), original_.end(), recipes_.begin(), recipes_.end(),
                     [](const Recipe& a, const Recipe& b) { return recipes::SameContent(a, b); });
}

void RecipesDraft::Choose(std::optional<std::size_t> recipe) {
  chosen_ = recipe && *recipe < recipes_.size() ? recipe : std::nullopt;
  const Recipe* chosen = ChosenRecipe();
  chosenStep_ = chosen && !chosen->steps.empty() ? std::optional<std::size_t>(0) : std::nullopt;
}

Recipe* RecipesDraft::ChosenRecipe() {
  return chosen_ ? &recipes_[*chosen_] : nullptr;
}

void RecipesDraft::ChooseStep(std::optional<std::size_t> step) {
  const Recipe* recipe = ChosenRecipe();
  chosenStep_ = recipe && step && *step < recipe->steps.size() ? step : std::nullopt;
}

RecipeStep* RecipesDraft::ChosenRecipeStep() {
  Recipe* recipe = ChosenRecipe();
  return recipe && chosenStep_ ? &recipe->steps[*chosenStep_] : nullptr;
}

bool RecipesDraft::NameTaken(std::string_view name) const {
  return std::any_of(recipes_.begin(), recipes_.end(),
                     [&](const Recipe& recipe) { return recipes::SameName(recipe.name, name); });
}

std::string RecipesDraft::UnusedName(std::string_view base) const {
  std::string name(base);
  for (int number = 2; NameTaken(name); ++number) {
    name = std::string(base) + " " + std::to_string(number);
  }
  return name;
}

void RecipesDraft::AddRecipe() {
  Recipe recipe;
  recipe.name = UnusedName("New recipe");
  const std::size_t at = chosen_ ? *chosen_ + 1 : recipes_.size();
  recipes_.insert(recipes_.begin() + static_cast<std::ptrdiff_t>(at), std::move(recipe));
  Choose(at);
}

// The copy keeps the original's origin, and with it the keys the file gave
// the recipe besides.
void RecipesDraft::DuplicateChosen() {
  const Recipe* chosen = ChosenRecipe();
  if (chosen == nullptr) return;
  Recipe copy = *chosen;
  copy.name = UnusedName(chosen->name + " copy");
  copy.hotkey.reset();  // one key cannot start two recipes
  const std::size_t at = *chosen_ + 1;
  recipes_.insert(recipes_.begin() + static_cast<std::ptrdiff_t>(at), std::move(copy));
  Choose(at);
}

void RecipesDraft::DeleteChosen() {
  EraseChosen(recipes_, chosen_);
  Choose(chosen_);
}

void RecipesDraft::MoveChosen(int by) {
  const std::optional<std::size_t> step = chosenStep_;
  MoveWithin(recipes_, chosen_, by);
  chosenStep_ = step;
}

void RecipesDraft::AddStep(std::string_view edit) {
  Recipe* recipe = ChosenRecipe();
  if (recipe == nullptr) return;
  RecipeStep step;
  step.edit = std::string(edit);
  const std::size_t at = chosenStep_ ? *chosenStep_ + 1 : recipe->steps.size();
  recipe->steps.insert(recipe->steps.begin() + static_cast<std::ptrdiff_t>(at), std::move(step));
  chosenStep_ = at;
}

void RecipesDraft::RemoveChosenStep() {
  if (Recipe* recipe = ChosenRecipe()) EraseChosen(recipe->steps, chosenStep_);
}

void RecipesDraft::MoveChosenStep(int by) {
  if (Recipe* recipe = ChosenRecipe()) MoveWithin(recipe->steps, chosenStep_, by);
}

std::u16string RecipesDraft::NameProblem(std::size_t index) const {
  const std::string& name = recipes_[index].name;
  if (name.find_first_not_of(" \t") == std::string::npos) return u"A recipe needs a name.";
  if (name.find_first_of("\r\n") != std::string::npos) return u"A recipe's name is one line.";
  for (std::size_t other = 0; other < recipes_.size(); ++other) {
    if (other == index || !recipes::SameName(recipes_[other].name, name)) continue;
    std::u16string problem = u"Another recipe is named ";
    problem.append(Quoted(recipes_[other].name));
    problem.append(u" (names are compared regardless of case).");
    return problem;
  }
  return {};
}

std::u16string RecipesDraft::HotkeyProblem(std::size_t index, const HotkeyCheck& check) const {
  const Recipe& recipe = recipes_[index];
  if (!recipe.hotkey || recipe.hotkey->empty()) return {};
  const std::u16string hotkey = CanonicalHotkey(edits::Utf8ToUtf16(*recipe.hotkey));
  for (std::size_t other = 0; other < recipes_.size(); ++other) {
    const Recipe& holder = recipes_[other];
    if (other == index || !holder.hotkey) continue;
    if (CanonicalHotkey(edits::Utf8ToUtf16(*holder.hotkey)) != hotkey) continue;
    std::u16string problem = hotkey;
    problem.append(u" is already the hotkey of Fenlow's recipe ");
    problem.append(Quoted(holder.name));
    problem.append(u".");
    return problem;
  }
  return check ? check(hotkey, recipe.name) : std::u16string();
}

std::u16string RecipesDraft::StepProblem(const RecipeStep& step) {
  const std::optional<std::string> problem =
      edits::StepProblem(step.edit, step.param1.value_or(""), step.param2.value_or(""));
  return problem ? edits::Utf8ToUtf16(*problem) : std::u16string();
}

// The chosen recipe first: the one the user works on.
std::optional<DraftProblem> RecipesDraft::FirstProblem(const HotkeyCheck& check) const {
  std::vector<std::size_t> order;
  if (chosen_) order.push_back(*chosen_);
  for (std::size_t index = 0; index < recipes_.size(); ++index) {
    if (index != chosen_) order.push_back(index);
  }
  for (const std::size_t index : order) {
    std::u16string problem = NameProblem(index);
    if (!problem.empty()) return DraftProblem{index, DraftProblem::Part::Name, {}, problem};
    const std::vector<RecipeStep>& steps = recipes_[index].steps;
    for (std::size_t step = 0; step < steps.size(); ++step) {
      problem = StepProblem(steps[step]);
      if (problem.empty()) continue;
      std::u16string message = StepTitle(step, steps[step]);
      message.append(u": ");
      message.append(problem);
      return DraftProblem{index, DraftProblem::Part::Step, step, message};
    }
    problem = HotkeyProblem(index, check);
    if (!problem.empty()) return DraftProblem{index, DraftProblem::Part::Hotkey, {}, problem};
  }
  return std::nullopt;
}

std::vector<Recipe> RecipesDraft::ToKeep() const {
  std::vector<Recipe> kept = recipes_;
  for (Recipe& recipe : kept) {
    for (RecipeStep& step : recipe.steps) {
      const edits::EditDefinition* edit =
          edits::FindEdit(edits::EveryEdit(), edits::Utf8ToUtf16(step.edit));
      if (edit != nullptr) step.edit = std::string(edit->name);
    }
  }
  return kept;
}

}  // namespace fenlow
