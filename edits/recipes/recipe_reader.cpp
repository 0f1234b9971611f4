// Reading a recipe file: the TOML parsed by toml++, then each recipe and step
// taken from it with the types checked, unknown keys warned about, and the
// whole set checked as a write would check it.
#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>

#include "edits/recipes/recipe_checks.h"
#include "edits/recipes/recipe_file.h"
#include "edits/recipes/toml_document.h"

namespace fenlow::recipes {
namespace {

constexpr std::array kTopKeys{kRecipeKey};
constexpr std::array kRecipeKeys{kNameKey, kHotkeyKey, kModeKey, kStepKey};
constexpr std::array kStepKeys{kEditKey, kParam1Key, kParam2Key, kEachLineKey};

std::string TypeName(const toml::node& node) {
  switch (node.type()) {
    case toml::node_type::string:
      return "a string";
    case toml::node_type::integer:
      return "a whole number";
    case toml::node_type::floating_point:
      return "a decimal number";
    case toml::node_type::boolean:
      return "true or false";
    case toml::node_type::table:
      return "a table";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::date:
      return "a date";
    case toml::node_type::time:
      return "a time";
    case toml::node_type::date_time:
      return "a date and time";
    case toml::node_type::none:
      break;
  }
  return "nothing";
}

// A key as typos of it look alike: lower case, without separators or a plural s.
std::string Folded(std::string_view key) {
  std::string folded;
  for (char c : key) {
    if (c == '-' || c == '_' || c == ' ' || c == '.') continue;
    folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  if (folded.size() > 1 && folded.back() == 's') folded.pop_back();
  return folded;
}

class Reader {
 public:
  Reader(RecipeDocument& document, const StepCheck& check) : document_(document), check_(check) {}

  void ReadAll() {
    WarnAboutUnknownKeys(document_.root, kTopKeys, "at the top of the file");
    toml::array* recipes = TablesAt(document_.root, kRecipeKey, "", "[[recipe]]");
    for (std::size_t index = 0; recipes && index < recipes->size(); ++index) {
      ReadRecipe(*(*recipes)[index].as_table(), index);
    }
    if (std::optional<RecipeProblem> problem = FindProblem(document_.recipes, check_)) {
      Refuse(problem->where, problem->message);
    }
    std::stable_sort(document_.warnings.begin(), document_.warnings.end(),
                     [](const RecipeWarning& a, const RecipeWarning& b) {
                       return std::pair(a.where.line, a.where.column) <
                              std::pair(b.where.line, b.where.column);
                     });
  }

 private:
  [[noreturn]] void Refuse(FilePosition where, const std::string& problem) const {
    throw RecipeFileError(document_.source, where, problem);
  }
  [[noreturn]] void Refuse(const toml::node& node, const std::string& problem) const {
    Refuse(PositionOf(node.source()), problem);
  }

  // Warns about the keys of `table` that are not `known`, and makes those that
  // are tables inline, as they are written back on one line each.
  void WarnAboutUnknownKeys(toml::table& table, std::span<const std::string_view> known,
                            const std::string& where) {
    for (auto& [key, value] : table) {
      bool isKnown = false;
      std::string guess;
      for (std::string_view knownKey : known) {
        isKnown = isKnown || key.str() == knownKey;
        if (Folded(key.str()) == Folded(knownKey)) guess = std::string(knownKey);
      }
      if (isKnown) continue;
      if (toml::table* inner = value.as_table()) inner->is_inline(true);
      std::string message =
          "unknown key " + Quoted(key.str()) + " " + where + ", kept but not used";
      if (!guess.empty()) message += " (did you mean " + Quoted(guess) + "?)";
      document_.warnings.push_back({PositionOf(key.source()), std::move(message)});
    }
  }

  // The array of tables under `key` ([[header]]), nullptr when absent.
  toml::array* TablesAt(toml::table& table, std::string_view key, const std::string& owner,
                        std::string_view header) const {
    toml::node* node = table.get(key);
    if (node == nullptr) return nullptr;
    toml::array* tables = node->as_array();
    if (tables == nullptr || !(tables->empty() || tables->is_array_of_tables())) {
      Refuse(*node, owner + Quoted(key) + " must be an array of tables, written " +
                        std::string(header) + " before each, not " +
                        (tables ? "an array of other values" : TypeName(*node)));
    }
    return tables;
  }

  std::optional<std::string> TextAt(const toml::table& table, std::string_view key,
                                    const std::string& owner) const {
    const toml::node* node = table.get(key);
    if (node == nullptr) return std::nullopt;
    if (!node->is_string()) {
      Refuse(*node, owner + Quoted(key) + " must be a string, not " + TypeName(*node));
    }
    return node->as_string()->get();
  }

  // A parameter: a string as it stands, a whole number as its decimal text.
  std::optional<std::string> ParameterAt(const toml::table& table, std::string_view key,
                                         const std::string& owner) const {
    const toml::node* node = table.get(key);
    if (node == nullptr) return std::nullopt;
    if (const auto* number = node->as_integer()) return std::to_string(number->get());
    if (!node->is_string()) {
      Refuse(*node,
             owner + Quoted(key) + " must be a string or a whole number, not " + TypeName(*node));
    }
    return node->as_string()->get();
  }

  bool FlagAt(const toml::table& table, std::string_view key, const std::string& owner) const {
    const toml::node* node = table.get(key);
    if (node == nullptr) return false;
    if (!node->is_boolean()) {
      Refuse(*node, owner + Quoted(key) + " must be true or false, not " + TypeName(*node));
    }
    return node->as_boolean()->get();
  }

  void ReadRecipe(toml::table& table, std::size_t index) {
    Recipe recipe;
    recipe.position = PositionOf(table.source());
    recipe.origin = index;
    const std::string number = "recipe " + std::to_string(index + 1);
    std::optional<std::string> name = TextAt(table, kNameKey, number + ": ");
    if (!name) Refuse(table, number + " has no " + Quoted(kNameKey));
    recipe.name = std::move(*name);
    const std::string owner = "recipe " + Quoted(recipe.name);
    recipe.hotkey = TextAt(table, kHotkeyKey, owner + ": ");
    recipe.mode = TextAt(table, kModeKey, owner + ": ");
    WarnAboutUnknownKeys(table, kRecipeKeys, "in " + owner);

    std::vector<const toml::table*> stepTables;
    toml::array* steps = TablesAt(table, kStepKey, owner + ": ", "[[recipe.step]]");
    for (std::size_t step = 0; steps && step < steps->size(); ++step) {
      toml::table& stepTable = *(*steps)[step].as_table();
      stepTables.push_back(&stepTable);
      recipe.steps.push_back(ReadStep(stepTable, owner, step));
    }
    document_.recipes.push_back(std::move(recipe));
    document_.recipeTables.push_back(&table);
    document_.stepTables.push_back(std::move(stepTables));
  }

  RecipeStep ReadStep(toml::table& table, const std::string& recipeOwner, std::size_t index) {
    const std::string owner = recipeOwner + ", step " + std::to_string(index + 1);
    RecipeStep step;
    step.position = PositionOf(table.source());
    step.origin = index;
    std::optional<std::string> edit = TextAt(table, kEditKey, owner + ": ");
    if (!edit) Refuse(table, owner + " has no " + Quoted(kEditKey));
    step.edit = std::move(*edit);
    step.param1 = ParameterAt(table, kParam1Key, owner + ": ");
    step.param2 = ParameterAt(table, kParam2Key, owner + ": ");
    step.eachLine = FlagAt(table, kEachLineKey, owner + ": ");
    WarnAboutUnknownKeys(table, kStepKeys, "in " + owner);
    return step;
  }

  RecipeDocument& document_;
  const StepCheck& check_;
};

}  // namespace

RecipeFileError::RecipeFileError(std::string_view source, FilePosition where,
                                 std::string_view problem)
    : RecipeError(Located(source, where, problem)), where_(where), problem_(problem) {}

RecipeFile RecipeFile::Parse(std::string_view text, std::string_view source,
                             const StepCheck& check) {
  auto document = std::make_shared<RecipeDocument>();
  document->source = source;
  try {
    document->root = toml::parse(text, source);
  } catch (const toml::parse_error& error) {
    throw RecipeFileError(source, PositionOf(error.source()), error.description());
  }
  Reader(*document, check).ReadAll();
  document->rest = toml::parse(text, source);
  document->rest.erase(kRecipeKey);
  return RecipeFile(std::move(document));
}

}  // namespace fenlow::recipes
