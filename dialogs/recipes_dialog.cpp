#include "dialogs/recipes_dialog.h"

#include <algorithm>

#include "dialogs/preview_worker.h"
#include "dialogs/recipes_draft.h"
#include "dialogs/recipes_layout.h"
#include "dialogs/step_labels.h"
#include "edits/engine/utf.h"
#include "edits/pattern/every_edit.h"
#include "shell/error_trap.h"

namespace fenlow {

using namespace recipes_form;
using platform::ControlEvent;
using recipes::Recipe;
using recipes::RecipeStep;

namespace {

// A box whose content cannot be used is drawn on this colour.
constexpr platform::Colour kProblemColour = 0x00C0C0FF;
// The most marks a preview box draws: each is a call of the control.
constexpr std::size_t kMostMarksDrawn = 2000;

std::vector<platform::MarkedRange> Drawn(const std::vector<platform::MarkedRange>& marks) {
  return {marks.begin(),
          marks.begin() + static_cast<std::ptrdiff_t>(std::min(marks.size(), kMostMarksDrawn))};
}

std::optional<std::size_t> ToIndex(int index) {
  return index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index));
}

int ToListIndex(std::optional<std::size_t> index) {
  return index ? static_cast<int>(*index) : -1;
}

std::string ToUtf8(std::u16string_view text) {
  return edits::Utf16ToUtf8(text);
}

}  // namespace

class RecipesDialog::Window {
 public:
  Window(platform::Platform& platform, const RecipesDialogServices& services,
         const RecipesDialogContent& content)
      : platform_(platform), services_(services), content_(content), draft_(content.recipes) {}

  bool Run() {
    if (content_.unreadable) {
      RunUnreadable();
      return false;
    }
    form_ = platform_.Forms().CreateForm(RecipesLayout());
    form_->SetIconToProgramIcon();
    worker_ = std::make_unique<PreviewWorker>(
        platform_.Forms(), [this](const Preview& preview) { ShowPreview(preview); });
    Wire();
    FillEditChooser();
    FillAll();
    form_->ShowModal();
    // A close that the user refused may leave the form loaded where no loop
    // waits for it any more (the simulated desktop's end of a script).
    if (form_->IsLoaded()) form_->Unload();
    worker_.reset();
    return accepted_;
  }

  [[nodiscard]] bool IsOpen() const { return form_ && form_->IsLoaded(); }

  void ClipboardChanged() {
    if (IsOpen() && worker_) RequestPreview();
  }

 private:
  // --- The face of an unreadable file --------------------------------------
  void RunUnreadable() {
    form_ = platform_.Forms().CreateForm(UnreadableRecipesLayout());
    form_->SetIconToProgramIcon();
    std::u16string text = u"The recipe file cannot be read:\r\n";
    text.append(*content_.unreadable);
    form_->Find(kUnreadable).SetText(text);
    On(kClose, ControlEvent::Click, u"PushButton13_Click", [this] { form_->Unload(); });
    On(kOpenFolder, ControlEvent::Click, u"PushButton10_Click", [this] { OpenFolder(); });
    form_->ShowModal();
    if (form_->IsLoaded()) form_->Unload();
  }

  // --- Wiring ----------------------------------------------------------------
  // Every handler runs under the error trap: a failure is reported with the
  // handler's name, and the dialog stays as it was.
  void On(const char* control, ControlEvent event, std::u16string_view procedure,
          std::function<void()> action) {
    form_->On(control, event, [this, procedure = std::u16string(procedure), action] {
      ErrorTrap trap(platform_.Forms(), TrapLocation(std::string_view(kName), procedure));
      trap(100, action);
    });
  }

  void Wire() {
    On(kRecipeList, ControlEvent::Click, u"List1_Click", [this] { RecipeChosen(); });
    On(kNewRecipe, ControlEvent::Click, u"PushButton1_Click",
       [this] { Change([this] { draft_.AddRecipe(); }, kRecipeName); });
    On(kDuplicateRecipe, ControlEvent::Click, u"PushButton2_Click",
       [this] { Change([this] { draft_.DuplicateChosen(); }, kRecipeName); });
    On(kDeleteRecipe, ControlEvent::Click, u"PushButton3_Click",
       [this] { Change([this] { draft_.DeleteChosen(); }, kRecipeList); });
    On(kRecipeUp, ControlEvent::Click, u"PushButton4_Click",
       [this] { Change([this] { draft_.MoveChosen(-1); }, kRecipeUp); });
    On(kRecipeDown, ControlEvent::Click, u"PushButton5_Click",
       [this] { Change([this] { draft_.MoveChosen(+1); }, kRecipeDown); });
    On(kRecipeName, ControlEvent::Change, u"Text1_Change", [this] { NameTyped(); });
    On(kHotkey, ControlEvent::Change, u"Hotkey1_Change", [this] { HotkeyPressed(); });
    On(kMode, ControlEvent::Click, u"Combo1_Click", [this] { ModeChosen(); });
    On(kStepList, ControlEvent::Click, u"List2_Click", [this] { StepChosen(); });
    On(kStepList, ControlEvent::DeleteKey, u"List2_KeyDown",
       [this] { Change([this] { draft_.RemoveChosenStep(); }, kStepList); });
    On(kAddStep, ControlEvent::Click, u"PushButton6_Click", [this] { AddStep(); });
    On(kRemoveStep, ControlEvent::Click, u"PushButton7_Click",
       [this] { Change([this] { draft_.RemoveChosenStep(); }, kStepList); });
    On(kStepUp, ControlEvent::Click, u"PushButton8_Click",
       [this] { Change([this] { draft_.MoveChosenStep(-1); }, kStepUp); });
    On(kStepDown, ControlEvent::Click, u"PushButton9_Click",
       [this] { Change([this] { draft_.MoveChosenStep(+1); }, kStepDown); });
    On(kParam1, ControlEvent::Change, u"Text2_Change", [this] { ParameterTyped(1); });
    On(kParam2, ControlEvent::Change, u"Text3_Change", [this] { ParameterTyped(2); });
    On(kEachLine, ControlEvent::Click, u"Check1_Click", [this] { EachLineClicked(); });
    On(kOpenFolder, ControlEvent::Click, u"PushButton10_Click", [this] { OpenFolder(); });
    On(kOk, ControlEvent::Click, u"PushButton11_Click", [this] { Ok(); });
    On(kCancel, ControlEvent::Click, u"PushButton12_Click", [this] {
      if (MayDiscard()) form_->Unload();
    });
    form_->OnCloseRequest([this] { return MayDiscard(); });
  }

  // --- Filling the controls from the draft -------------------------------------
  // While the program fills a control, its events are the program's own.
  template <typename Fill>
  void Filling(Fill&& fill) {
    const bool outer = filling_;
    filling_ = true;
    struct Restore {
      bool& flag;
      bool value;
      ~Restore() { flag = value; }
    } restore{filling_, outer};
    fill();
  }

  void FillEditChooser() {
    platform::Control& chooser = form_->Find(kEditToAdd);
    for (const edits::EditDefinition* edit : edits::EveryEdit()) {
      editChoices_.push_back(EditChoiceText(*edit));
      chooser.AddItem(editChoices_.back());
    }
    Filling([&] { chooser.SetText(editChoices_.front()); });
    platform::Control& mode = form_->Find(kMode);
    for (const ModeChoice& choice : kModeChoices) mode.AddItem(choice.text);
  }

  void FillAll() {
    Filling([this] {
      FillRecipeList();
      FillRecipe();
    });
    RequestPreview();
  }

  void FillRecipeList() {
    platform::Control& list = form_->Find(kRecipeList);
    list.ClearItems();
    for (const Recipe& recipe : draft_.Recipes()) list.AddItem(edits::Utf8ToUtf16(recipe.name));
    list.SetSelectedIndex(ToListIndex(draft_.Chosen()));
  }

  void FillRecipe() {
    const Recipe* recipe = draft_.ChosenRecipe();
    form_->Find(kRecipeName).SetText(recipe ? edits::Utf8ToUtf16(recipe->name) : u"");
    FillHotkey(recipe);
    form_->Find(kMode).SetText(ModeText(recipe));
    ShowNameProblem();
    FillStepList();
    FillStep();
  }

  // A hotkey the box cannot show (a file's text that names no key) leaves it
  // empty; its problem says what the file held.
  void FillHotkey(const Recipe* recipe) {
    const std::u16string hotkey =
        recipe && recipe->hotkey ? edits::Utf8ToUtf16(*recipe->hotkey) : u"";
    try {
      form_->Find(kHotkey).SetText(hotkey);
    } catch (const platform::Failure&) {
      form_->Find(kHotkey).SetText(u"");
    }
    ShowHotkeyProblem();
  }

  static std::u16string ModeText(const Recipe* recipe) {
    for (const ModeChoice& choice : kModeChoices) {
      if (recipe && recipe->mode && *recipe->mode == choice.stored)
        return std::u16string(choice.text);
    }
    return std::u16string(kModeChoices[0].text);
  }

  void FillStepList() {
    platform::Control& list = form_->Find(kStepList);
    list.ClearItems();
    const Recipe* recipe = draft_.ChosenRecipe();
    if (recipe == nullptr) return;
    for (std::size_t index = 0; index < recipe->steps.size(); ++index) {
      list.AddItem(StepListText(index, recipe->steps[index]));
    }
    list.SetSelectedIndex(ToListIndex(draft_.ChosenStep()));
  }

  void FillStep() {
    const RecipeStep* step = draft_.ChosenRecipeStep();
    const StepLabels labels = step ? LabelsOf(step->edit) : StepLabels{};
    form_->Find(kParam1Label).SetText(labels.param1);
    form_->Find(kParam2Label).SetText(labels.param2);
    form_->Find(kParam1).SetText(step ? edits::Utf8ToUtf16(step->param1.value_or("")) : u"");
    form_->Find(kParam2).SetText(step ? edits::Utf8ToUtf16(step->param2.value_or("")) : u"");
    form_->Find(kEachLine).SetChecked(step && step->eachLine);
    ShowStepProblem();
  }

  // --- Problems, shown at once ---------------------------------------------------
  void ShowNameProblem() {
    const std::optional<std::size_t> chosen = draft_.Chosen();
    const std::u16string problem = chosen ? draft_.NameProblem(*chosen) : u"";
    form_->Find(kNameProblem).SetText(problem);
    form_->Find(kRecipeName).SetBackColour(problem.empty() ? platform::kWhite : kProblemColour);
  }

  void ShowHotkeyProblem() {
    const std::optional<std::size_t> chosen = draft_.Chosen();
    const std::u16string problem =
        chosen ? draft_.HotkeyProblem(*chosen, services_.hotkeyProblem) : u"";
    form_->Find(kHotkeyProblem).SetText(problem);
  }

  void ShowStepProblem() {
    const RecipeStep* step = draft_.ChosenRecipeStep();
    const std::u16string problem = step ? RecipesDraft::StepProblem(*step) : u"";
    form_->Find(kStepProblem).SetText(problem);
    const StepLabels labels = step ? LabelsOf(step->edit) : StepLabels{};
    const bool firstBad = !problem.empty() && labels.uses1;
    const bool secondBad = !problem.empty() && labels.uses2 && !labels.uses1;
    form_->Find(kParam1).SetBackColour(firstBad ? kProblemColour : platform::kWhite);
    form_->Find(kParam2).SetBackColour(secondBad ? kProblemColour : platform::kWhite);
  }

  // --- The user's changes ----------------------------------------------------------
  // A change of the lists: the draft changes, the controls follow, the focus
  // stays where the user works.
  void Change(const std::function<void()>& change, const char* focus) {
    change();
    FillAll();
    form_->Find(focus).SetFocus();
  }

  void RecipeChosen() {
    if (filling_) return;
    draft_.Choose(ToIndex(form_->Find(kRecipeList).SelectedIndex()));
    Filling([this] { FillRecipe(); });
    RequestPreview();
  }

  void StepChosen() {
    if (filling_) return;
    draft_.ChooseStep(ToIndex(form_->Find(kStepList).SelectedIndex()));
    Filling([this] { FillStep(); });
  }

  void NameTyped() {
    Recipe* recipe = draft_.ChosenRecipe();
    if (filling_ || recipe == nullptr) return;
    recipe->name = ToUtf8(form_->Find(kRecipeName).Text());
    Filling([this] {
      FillRecipeList();
      ShowNameProblem();
      ShowHotkeyProblem();
    });
  }

  void HotkeyPressed() {
    Recipe* recipe = draft_.ChosenRecipe();
    if (filling_ || recipe == nullptr) return;
    const std::u16string hotkey = form_->Find(kHotkey).Text();
    recipe->hotkey = hotkey.empty() ? std::nullopt : std::optional<std::string>(ToUtf8(hotkey));
    ShowHotkeyProblem();
  }

  // The mode stays absent until the user picks one.
  void ModeChosen() {
    Recipe* recipe = draft_.ChosenRecipe();
    if (filling_ || recipe == nullptr) return;
    const std::u16string text = form_->Find(kMode).Text();
    for (const ModeChoice& choice : kModeChoices) {
      if (choice.text == text) recipe->mode = std::string(choice.stored);
    }
  }

  void AddStep() {
    const std::u16string chosen = form_->Find(kEditToAdd).Text();
    const auto found = std::find(editChoices_.begin(), editChoices_.end(), chosen);
    if (found == editChoices_.end()) return;
    const edits::EditDefinition& edit =
        *edits::EveryEdit()[static_cast<std::size_t>(found - editChoices_.begin())];
    Change([&] { draft_.AddStep(edit.name); }, kStepList);
  }

  // Text in a box the edit does not use is not kept.
  void ParameterTyped(int which) {
    RecipeStep* step = draft_.ChosenRecipeStep();
    if (filling_ || step == nullptr) return;
    const StepLabels labels = LabelsOf(step->edit);
    const std::u16string text = form_->Find(which == 1 ? kParam1 : kParam2).Text();
    std::optional<std::string>& param = which == 1 ? step->param1 : step->param2;
    const bool used = which == 1 ? labels.uses1 : labels.uses2;
    param = used && !text.empty() ? std::optional<std::string>(ToUtf8(text)) : std::nullopt;
    StepEdited();
  }

  void EachLineClicked() {
    RecipeStep* step = draft_.ChosenRecipeStep();
    if (filling_ || step == nullptr) return;
    step->eachLine = form_->Find(kEachLine).Checked();
    StepEdited();
  }

  void StepEdited() {
    Filling([this] {
      FillStepList();
      ShowStepProblem();
    });
    RequestPreview();
  }

  void OpenFolder() {
    if (services_.openFolder) services_.openFolder();
  }

  // --- OK and Cancel -----------------------------------------------------------------
  void Ok() {
    const std::optional<DraftProblem> problem = draft_.FirstProblem(services_.hotkeyProblem);
    if (problem) return ShowProblem(*problem);
    bool kept = false;
    try {
      kept = services_.accept(draft_.ToKeep());
    } catch (...) {
      std::u16string message = u"The recipes could not be kept.\r\n";
      message.append(CurrentFailureDescription());
      platform_.Forms().ShowMessage(message, platform::kMessageBoxPlain, std::nullopt);
      return;
    }
    if (!kept) return;
    accepted_ = true;
    form_->Unload();
  }

  // The recipe and step at fault are chosen, and the box to mend has the focus.
  void ShowProblem(const DraftProblem& problem) {
    draft_.Choose(problem.recipe);
    if (problem.step) draft_.ChooseStep(problem.step);
    FillAll();
    std::u16string message = u"The recipe ";
    message.append(u"\"");
    message.append(edits::Utf8ToUtf16(draft_.Recipes()[problem.recipe].name));
    message.append(u"\" cannot be kept as it is:\r\n");
    message.append(problem.message);
    platform_.Forms().ShowMessage(message, platform::kMessageBoxPlain, std::nullopt);
    const char* box = problem.part == DraftProblem::Part::Name     ? kRecipeName
                      : problem.part == DraftProblem::Part::Hotkey ? kHotkey
                                                                   : kParam1;
    form_->Find(box).SetFocus();
  }

  bool MayDiscard() {
    if (!draft_.Changed()) return true;
    return platform_.Forms().AskYesNo(u"Discard the changes to the recipes?", std::nullopt);
  }

  // --- The preview ------------------------------------------------------------------
  void RequestPreview() {
    if (const std::optional<std::string> lost = worker_->TakeLostDelivery()) {
      std::u16string summary = u"The preview could not be shown: ";
      summary.append(edits::Utf8ToUtf16(*lost));
      form_->Find(kSummary).SetText(summary);
    }
    const Recipe* recipe = draft_.ChosenRecipe();
    platform::SharedText clipboard =
        services_.clipboardText ? services_.clipboardText() : platform::SharedText();
    worker_->Request(std::move(clipboard), recipe ? recipe->steps : std::vector<RecipeStep>{});
  }

  void ShowPreview(const Preview& preview) {
    if (!IsOpen()) return;
    form_->Find(kBefore).SetMarkedText(preview.before, Drawn(preview.marks.removed));
    form_->Find(kAfter).SetMarkedText(preview.after, Drawn(preview.marks.added));
    form_->Find(kSummary).SetText(preview.summary);
  }

  platform::Platform& platform_;
  const RecipesDialogServices& services_;
  const RecipesDialogContent& content_;
  RecipesDraft draft_;
  std::unique_ptr<platform::Form> form_;
  std::unique_ptr<PreviewWorker> worker_;
  std::vector<std::u16string> editChoices_;  // the edit chooser's texts, in EveryEdit()'s order
  bool filling_ = false;
  bool accepted_ = false;
};

RecipesDialog::RecipesDialog(platform::Platform& platform, RecipesDialogServices services)
    : platform_(platform), services_(std::move(services)) {}

RecipesDialog::~RecipesDialog() = default;

bool RecipesDialog::ShowModal(const RecipesDialogContent& content) {
  window_ = std::make_unique<Window>(platform_, services_, content);
  struct Closed {
    std::unique_ptr<Window>& window;
    ~Closed() { window.reset(); }
  } closed{window_};
  return window_->Run();
}

bool RecipesDialog::IsOpen() const {
  return window_ && window_->IsOpen();
}

void RecipesDialog::ClipboardChanged() {
  if (window_) window_->ClipboardChanged();
}

}  // namespace fenlow
