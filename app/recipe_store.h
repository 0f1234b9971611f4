// The user's recipes: the recipe file in the roaming folder, the one that
// fenlow-cli --recipe reads. The first start without one writes a few useful
// recipes; after that the file is written only with what the user changed.
// It is read again whenever it changed on disk since it was last read. A
// file that cannot be read is never written over: its message stands in for
// the recipes until the user mends it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "edits/recipes/recipe_file.h"
#include "platform/file_system.h"

namespace fenlow {

class RecipeStore {
 public:
  explicit RecipeStore(platform::FileSystem& files) : files_(files) {}

  // Reads the file, writing the first one when there is none. Returns what
  // the user must be told: why the file cannot be read, or written first.
  std::optional<std::u16string> Start();
  // Reads the file again when it changed on disk since it was last read.
  // Returns a problem that reading it found, when it is new to the user.
  std::optional<std::u16string> Refresh();

  // The recipes as the file holds them; none while it cannot be read.
  [[nodiscard]] const std::vector<recipes::Recipe>& Recipes() const;
  // The recipe of that name, regardless of case; nullptr when there is none.
  [[nodiscard]] const recipes::Recipe* Find(std::string_view name) const;
  // How many times the file was read: a change of it means new recipes.
  [[nodiscard]] std::size_t Reads() const { return reads_; }
  // What is wrong with the file and where; nullopt while it can be read.
  [[nodiscard]] const std::optional<std::u16string>& Problem() const { return problem_; }

  // The file and its folder; nullopt when the user has no roaming folder.
  [[nodiscard]] std::optional<std::u16string> Path() const;
  [[nodiscard]] std::optional<std::u16string> Folder() const;

  // Whether the file on disk is no longer the one last read or written.
  [[nodiscard]] bool ChangedOnDisk();
  // Writes `recipes` over the file, keeping the one it replaces as
  // recipes.toml.bak, with what the file held besides them. Throws
  // recipes::RecipeError or platform::Failure, having written nothing; never
  // writes over a file that cannot be read.
  void Write(const std::vector<recipes::Recipe>& recipes);

 private:
  // The file's last-change time, nullopt when there is none.
  std::optional<std::chrono::system_clock::time_point> LastChange(const std::u16string& path);
  void Read(const std::u16string& path);
  void WriteFirstFile(const std::u16string& path);

  platform::FileSystem& files_;
  recipes::RecipeFile file_;
  std::optional<std::u16string> problem_;
  // The last-change time of the file as last read or written; nullopt: none.
  std::optional<std::chrono::system_clock::time_point> known_;
  bool read_ = false;
  std::size_t reads_ = 0;
};

// The check every recipe step goes through: its edit is one of every edit and
// its parameters suit it.
[[nodiscard]] recipes::StepCheck EditStepCheck();

// The recipes the first recipe file holds.
[[nodiscard]] std::vector<recipes::Recipe> FirstRecipes();

}  // namespace fenlow
