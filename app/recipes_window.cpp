#include "app/recipes_window.h"

namespace fenlow {
namespace {

class RecipesDialogWindow final : public RecipesWindow {
 public:
  RecipesDialogWindow(platform::Platform& platform, RecipesDialogServices services)
      : dialog_(platform, std::move(services)) {}
  bool ShowModal(const RecipesDialogContent& content) override {
    return dialog_.ShowModal(content);
  }
  void ClipboardChanged() override { dialog_.ClipboardChanged(); }

 private:
  RecipesDialog dialog_;
};

}  // namespace

std::unique_ptr<RecipesWindow> MakeRecipesDialog(platform::Platform& platform,
                                                 RecipesDialogServices services) {
  return std::make_unique<RecipesDialogWindow>(platform, std::move(services));
}

}  // namespace fenlow
