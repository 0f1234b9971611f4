// Writing a recipe file: what the file held besides the recipes as toml++
// prints it, then each recipe and step in a fixed key order, the values the
// caller left as they were read taken from the file, and the keys the reader
// does not know after the known ones.
#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>
#include <string>

#include "edits/recipes/recipe_checks.h"
#include "edits/recipes/recipe_file.h"
#include "edits/recipes/toml_document.h"

namespace fenlow::recipes {
namespace {

// Strings always in double quotes on one line (a parameter's line breaks stay
// escapes, which no editor changes), Unicode as it stands, the number
// formats toml++ keeps as they were.
constexpr toml::format_flags kFormat =
    toml::format_flags::allow_unicode_strings | toml::format_flags::allow_binary_integers |
    toml::format_flags::allow_octal_integers | toml::format_flags::allow_hexadecimal_integers;

constexpr std::array kRecipeKeys{kNameKey, kHotkeyKey, kModeKey, kStepKey};
constexpr std::array kStepKeys{kEditKey, kParam1Key, kParam2Key, kEachLineKey};

// toml++'s text of a value (tables in recipes are inline since they were read).
std::string ValueText(const toml::node& node) {
  std::ostringstream text;
  text << toml::toml_formatter{node, kFormat};
  return text.str();
}

std::string StringText(std::string_view value) {
  return ValueText(toml::value<std::string>(std::string(value)));
}

std::string KeyText(std::string_view key) {
  const bool bare = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
  });
  return bare ? std::string(key) : StringText(key);
}

void AddLine(std::string& text, std::string_view key, const std::string& value) {
  text += KeyText(key);
  text += " = ";
  text += value;
  text += '\n';
}

// A known key: as the file gave it when the caller left its value as read,
// otherwise `fresh` (nothing when nullopt).
void AddKnown(std::string& text, const toml::table* original, std::string_view key, bool unchanged,
              const std::optional<std::string>& fresh) {
  const toml::node* node = original && unchanged ? original->get(key) : nullptr;
  if (node) {
    AddLine(text, key, ValueText(*node));
  } else if (fresh) {
    AddLine(text, key, *fresh);
  }
}

std::optional<std::string> OptionalStringText(const std::optional<std::string>& value) {
  if (!value) return std::nullopt;
  return StringText(*value);
}

template <std::size_t N>
void AddUnknown(std::string& text, const toml::table* original,
                const std::array<std::string_view, N>& known) {
  if (!original) return;
  for (const auto& [key, node] : *original) {
    if (std::find(known.begin(), known.end(), key.str()) == known.end()) {
      AddLine(text, key.str(), ValueText(node));
    }
  }
}

class Writer {
 public:
  explicit Writer(const RecipeDocument& document) : document_(document) {}

  // What the file held besides the recipes.
  std::string Rest() const {
    if (document_.rest.empty()) return {};
    return ValueText(document_.rest) + "\n\n";
  }

  std::string RecipeText(const Recipe& recipe) const {
    const Recipe* read = recipe.origin ? &document_.recipes.at(*recipe.origin) : nullptr;
    const toml::table* original = read ? document_.recipeTables.at(*recipe.origin) : nullptr;
    std::string text = "[[recipe]]\n";
    AddKnown(text, original, kNameKey, read && read->name == recipe.name, StringText(recipe.name));
    AddKnown(text, original, kHotkeyKey, read && read->hotkey == recipe.hotkey,
             OptionalStringText(recipe.hotkey));
    AddKnown(text, original, kModeKey, read && read->mode == recipe.mode,
             OptionalStringText(recipe.mode));
    AddUnknown(text, original, kRecipeKeys);
    for (const RecipeStep& step : recipe.steps) {
      const bool fromFile = read && step.origin;
      text +=
          StepText(step, fromFile ? &read->steps.at(*step.origin) : nullptr,
                   fromFile ? document_.stepTables.at(*recipe.origin).at(*step.origin) : nullptr);
    }
    return text;
  }

 private:
  static std::string StepText(const RecipeStep& step, const RecipeStep* read,
                              const toml::table* original) {
    std::string text = "[[recipe.step]]\n";
    AddKnown(text, original, kEditKey, read && read->edit == step.edit, StringText(step.edit));
    AddKnown(text, original, kParam1Key, read && read->param1 == step.param1,
             OptionalStringText(step.param1));
    AddKnown(text, original, kParam2Key, read && read->param2 == step.param2,
             OptionalStringText(step.param2));
    AddKnown(text, original, kEachLineKey, read && read->eachLine == step.eachLine,
             step.eachLine ? std::optional<std::string>("true") : std::nullopt);
    AddUnknown(text, original, kStepKeys);
    return text;
  }

  const RecipeDocument& document_;
};

bool SameRecipes(const std::vector<Recipe>& a, const std::vector<Recipe>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const Recipe& x, const Recipe& y) { return SameContent(x, y); });
}

}  // namespace

std::string RecipeFile::Render(const std::vector<Recipe>& recipes, const StepCheck& check) const {
  if (std::optional<RecipeProblem> problem = FindProblem(recipes, check)) {
    throw RecipeError(problem->message);
  }
  const Writer writer(*document_);
  std::string text = writer.Rest();
  for (std::size_t index = 0; index < recipes.size(); ++index) {
    if (index > 0) text += '\n';
    text += writer.RecipeText(recipes[index]);
  }
  // What is written must read back as what was given: a file that would not
  // is never written.
  if (!SameRecipes(Parse(text, document_->source, check).Recipes(), recipes)) {
    throw std::logic_error("The recipe file made would not read back as the recipes given.");
  }
  return text;
}

}  // namespace fenlow::recipes
