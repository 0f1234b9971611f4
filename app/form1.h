// Form1, the main window and the program's only permanent window: it shows
// the clipboard's text in Text1, offers the bulk edits in Combo1, saves hand
// edits with the edit button, remembers the chosen edit and, while it is
// loaded, keeps the clipboard monitor joined to the viewer chain.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "clipboard/clipboard_monitor.h"
#include "clipboard/main_window_access.h"
#include "clipboard/program_state.h"
#include "platform/platform.h"
#include "shell/error_trap.h"
#include "shell/skin_layer.h"

namespace fenlow {

class Form1 final : public MainWindowAccess {
 public:
  // Only stores its collaborators: the monitor may be constructed after Form1.
  Form1(platform::Platform& platform, ProgramState& state, ClipboardMonitor& monitor);
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Creates the window, installs its event handlers and runs Form_Load.
  void Load();
  void Show();
  [[nodiscard]] bool IsLoaded() const;
  // The window itself; throws Failure before Load.
  platform::Form& Window();

  // MainWindowAccess
  platform::WindowHandle MainWindowHandle() override;
  std::u16string Text1() override;
  void SetText1(const platform::SharedText& text) override;
  std::u16string Combo1Text() override;
  std::optional<EditParameters> AutomaticParameters() override;
  void TurnOffApplyToEveryCopy() override;
  TextEdit AutomaticRecipe() override { return automaticRecipe_ ? automaticRecipe_() : TextEdit(); }

  // Puts back what the clipboard held before Fenlow's last write, through
  // the road of requests as a click is; asks first when another program has
  // copied since that write.
  void Undo();
  // Automatic mode, "Apply the chosen edit to every copy": takes effect at
  // once and is stored under the setting "Apply To Every Copy". Throws
  // Failure when the setting cannot be written (the mode is set all the same).
  void SetApplyToEveryCopy(bool on);
  [[nodiscard]] bool ApplyToEveryCopy() const;
  // What the system menu's "Options..." item opens; set before Load.
  void OnOptionsChosen(std::function<void()> showOptions) { showOptions_ = std::move(showOptions); }
  // What the system menu's "Recipes..." item opens; set before Load.
  void OnRecipesChosen(std::function<void()> showRecipes) { showRecipes_ = std::move(showRecipes); }
  // Runs each time Text1 shows a new text of the clipboard.
  void OnClipboardTextShown(std::function<void()> shown) { textShown_ = std::move(shown); }
  // The recipe automatic mode applies, when one is chosen.
  void OnAutomaticRecipe(std::function<TextEdit()> recipe) { automaticRecipe_ = std::move(recipe); }

  // Event handlers, under the names the window's controls give them.
  void Form_Load();
  void Form_QueryUnload();
  void PushButton1_Click();
  void PushButton2_Click();
  void PushButton3_Click();
  void Combo1_Change();
  void Combo1_Click();

  // What the start button and the parameter dialogs work with.
  platform::Platform& Platform() { return platform_; }
  ProgramState& State() { return state_; }
  ClipboardMonitor& Monitor() { return monitor_; }
  platform::Control& Find(std::string_view controlName);
  SkinLayer& SkinFramework1() { return skinFramework1_; }

 private:
  void InstallHandlers();
  void RestoreChosenEdit();
  void StoreChosenEdit();
  void RestoreApplyToEveryCopy();
  void AddUndoToSystemMenu();
  void AddOptionsToSystemMenu();
  void AddRecipesToSystemMenu();
  void UndoLastWrite();
  // The parameters `option` runs with without a dialog: none for an edit
  // that asks for none, else those last confirmed in its dialog.
  [[nodiscard]] std::optional<EditParameters> ParametersWithoutAsking(
      std::u16string_view option) const;
  void UnloadOtherForms(ErrorTrap& trap);
  ErrorTrap TrapFor(std::u16string_view procedure);

  platform::Platform& platform_;
  ProgramState& state_;
  ClipboardMonitor& monitor_;
  SkinLayer skinFramework1_;
  std::unique_ptr<platform::Form> window_;
  // A failed write of the chosen edit is told once, not at every pick.
  bool settingsWriteFailureTold_ = false;
  std::function<void()> showOptions_;
  std::function<void()> showRecipes_;
  std::function<void()> textShown_;
  std::function<TextEdit()> automaticRecipe_;
};

}  // namespace fenlow
