// Recipe files: TOML text of this shape, read and written back.
//
//   [[recipe]]
//   name = "Numbered PDF lines"   # unique regardless of case
//   hotkey = "Ctrl+Alt+Shift+R"   # optional
//   mode = "..."                  # optional
//   [[recipe.step]]
//   edit = "remove-first"         # a short name or an option text
//   param1 = "4"                  # optional, a string; a whole number stands for its decimal text
//   param2 = "..."                # optional, likewise
//   each-line = true              # optional, true or false
//
// A key the reader does not know is kept and warned about.
//
// Writing back keeps every value the file held, with its type, and the keys
// the reader does not know, everywhere in the file; a recipe or step the
// caller left as read keeps its values as they were (param1 = 4 stays a
// number, an option text stays one). It does not keep the text around them,
// as toml++ gives none of it (measured, tests/recipes/recipe_writing_test.cpp):
//   - comments and blank lines are lost;
//   - key order: what the file holds besides the recipes comes first, its keys
//     sorted as toml++ keeps them; then each recipe, in the caller's order, as
//     name, hotkey, mode, its other keys sorted, its steps, each as edit,
//     param1, param2, each-line, its other keys sorted;
//   - strings come back in double quotes on one line: 'literal' and
//     multi-line strings too, with their line breaks as \n;
//   - decimal numbers come back as toml++ prints them (1e3 as 1000.0, 0.1 as
//     0.10000000000000001); whole numbers keep a hexadecimal, octal or binary
//     form, dates and times theirs;
//   - tables inside a recipe or a step come back inline ({ a = 1 }), dotted
//     keys at the top as [tables].
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "edits/recipes/recipe.h"

namespace fenlow::recipes {

// A set of recipes that cannot be read or written, and what is wrong.
class RecipeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A recipe file that cannot be read: "<source>:<line>:<column>: <problem>".
class RecipeFileError : public RecipeError {
 public:
  RecipeFileError(std::string_view source, FilePosition where, std::string_view problem);
  [[nodiscard]] FilePosition where() const { return where_; }
  [[nodiscard]] const std::string& problem() const { return problem_; }

 private:
  FilePosition where_;
  std::string problem_;
};

// Something a file holds that the reader does not use (a key it does not know).
struct RecipeWarning {
  FilePosition where;
  std::string message;
};

struct RecipeDocument;  // the parsed file, private to this layer

class RecipeFile {
 public:
  // No file: no recipes, nothing else to keep.
  RecipeFile();

  // Reads the text of a recipe file; `source` names it in messages. Every
  // step goes through `check`. Throws RecipeFileError for a text that is no
  // TOML, a key of the wrong type, a recipe without a name or an edit, two
  // recipes of the same name, or a step that `check` refuses.
  static RecipeFile Parse(std::string_view text, std::string_view source, const StepCheck& check);

  [[nodiscard]] const std::vector<Recipe>& Recipes() const;
  [[nodiscard]] const std::vector<RecipeWarning>& Warnings() const;
  // "<source>:<line>:<column>: <message>" for each warning.
  [[nodiscard]] std::vector<std::string> WarningTexts() const;
  // The recipe of that name (regardless of case); nullptr when there is none.
  [[nodiscard]] const Recipe* Find(std::string_view name) const;

  // The text of this file with `recipes` in place of its own, keeping the
  // rest and, for each recipe and step with an origin in this file, the keys
  // it had besides and the values it had where the caller left them (a
  // param1 of 4 stays a number). Throws RecipeError, before anything is
  // made, for a recipe without a name, two of the same name, a step without
  // an edit or one that `check` refuses; std::out_of_range for an origin
  // that is not of this file.
  [[nodiscard]] std::string Render(const std::vector<Recipe>& recipes,
                                   const StepCheck& check) const;

 private:
  explicit RecipeFile(std::shared_ptr<const RecipeDocument> document);
  std::shared_ptr<const RecipeDocument> document_;
};

}  // namespace fenlow::recipes
