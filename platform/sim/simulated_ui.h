// Simulated forms and controls. Tests drive them as a user would: set a text,
// pick a list entry, click, close a form; modal dialogs and message boxes are
// answered by scripts that the test installs beforehand.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/call_log.h"
#include "platform/sim/fault_injector.h"
#include "platform/sim/simulated_files.h"
#include "platform/sim/simulated_messaging.h"
#include "platform/sim/simulated_windows.h"
#include "platform/ui.h"

namespace fenlow::platform::sim {

class SimulatedForm;
class SimulatedUi;

struct MessageBoxCall {
  std::u16string text;
  int style = 0;
  std::u16string title;
};

// The parts of the desktop that forms and message boxes use.
struct DesktopParts {
  FaultInjector& faults;
  CallLog& log;
  SimulatedWindows& windows;
  SimulatedFiles& files;
  SimulatedMessaging& messaging;
};

class SimulatedControl final : public Control {
 public:
  SimulatedControl(SimulatedForm& form, ControlSpec spec);
  const std::string& Name() const override { return spec_.name; }
  ControlKind Kind() const override { return spec_.kind; }
  std::u16string Text() const override;
  void SetText(std::u16string_view text) override;
  // A text box holds the shared buffer itself: no copy.
  void SetSharedText(const SharedText& text) override;
  void AddItem(std::u16string_view entry) override;
  void ClearItems() override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int index) override;
  void SetMarkedText(std::u16string_view text, const std::vector<MarkedRange>& marks) override;
  std::vector<MarkedRange> MarkedRanges() const override;
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override;
  void SetBackColour(Colour colour) override;
  void SetFocus() override;

  // What a user does to the control (not a call of the program): the same
  // change, with the same events raised, but never counted or failed.
  void StoreText(std::u16string_view text);
  void StoreChecked(bool checked);
  // The user chooses a list box's item (its Click event follows).
  void StoreSelection(int index);

  const ControlSpec& Spec() const { return spec_; }
  const std::vector<std::u16string>& Items() const { return items_; }
  Colour Background() const { return background_; }

 private:
  SimulatedForm& form_;
  ControlSpec spec_;
  SharedText text_;
  std::vector<std::u16string> items_;
  int selected_ = -1;  // list boxes
  std::vector<MarkedRange> marks_;
  bool checked_ = false;
  Colour background_;
};

class SimulatedForm final : public Form {
 public:
  SimulatedForm(DesktopParts desktop, SimulatedUi& ui, const FormSpec& spec);
  ~SimulatedForm() override;

  const std::string& Name() const override { return spec_.name; }
  WindowHandle Handle() const override;
  bool IsLoaded() const override { return loaded_; }
  Control& Find(std::string_view controlName) override;
  std::vector<Control*> Controls() override;
  std::u16string Caption() const override { return caption_; }
  void SetCaption(std::u16string_view caption) override;
  void SetIconToProgramIcon() override;
  void SetBackColour(Colour colour) override;
  MousePointer Pointer() const override { return pointer_; }
  void SetPointer(MousePointer pointer) override;
  void LoadCustomPointer(std::u16string_view cursorFile) override;
  void On(std::string_view control, ControlEvent event, std::function<void()> handler) override;
  void OnQueryUnload(std::function<void()> handler) override;
  void OnCloseRequest(std::function<bool()> mayClose) override;
  void AddSystemMenuItem(SystemCommand command, std::u16string_view caption,
                         std::function<void()> handler) override;
  void Show() override;
  void ShowMinimized() override;
  void BringToFront() override;
  void Close() override;
  void ShowModal() override;
  void Unload() override;

  // --- What a user does ------------------------------------------------------
  void Click(std::string_view control);
  void MouseMove(std::string_view control);  // empty: the form's surface
  void Type(std::string_view textBox, std::u16string_view text);
  void Pick(std::string_view combo, std::u16string_view entry);
  // Chooses a list box's item by its index, as a click on it does.
  void Choose(std::string_view listBox, int index);
  // Presses Delete in a list box.
  void PressDelete(std::string_view listBox);
  // The close box: query-unload, then unload.
  void CloseBox();
  void PressEscape();
  // Picks the item with that caption from the system menu; throws when absent.
  void ChooseFromSystemMenu(std::u16string_view caption);

  // --- What a test reads ------------------------------------------------------
  SimulatedControl& Sim(std::string_view control);
  bool IsVisible() const { return visible_; }
  bool IsMinimized() const { return minimized_; }
  // The window's handle, also after the unload, read without a platform call.
  WindowHandle SimHandle() const { return handle_; }
  bool WasShownModally() const { return shownModally_; }
  bool HasProgramIcon() const { return hasProgramIcon_; }
  Colour Background() const { return background_; }
  const std::u16string& CustomPointerFile() const { return customPointerFile_; }
  const std::string& FocusedControl() const { return focused_; }
  const FormSpec& Spec() const { return spec_; }
  std::vector<std::u16string> SystemMenuItems() const;

  void Raise(std::string_view control, ControlEvent event);
  void SetFocused(std::string name) { focused_ = std::move(name); }

 private:
  friend class SimulatedControl;
  void Reveal();
  void Unloaded();

  DesktopParts desktop_;
  SimulatedUi& ui_;
  FormSpec spec_;
  WindowHandle handle_ = 0;
  bool loaded_ = true;
  bool visible_ = false;
  bool minimized_ = false;
  bool shownModally_ = false;
  bool hasProgramIcon_ = false;
  std::u16string caption_;
  Colour background_;
  MousePointer pointer_ = MousePointer::Default;
  std::u16string customPointerFile_;
  std::string focused_;
  std::vector<std::unique_ptr<SimulatedControl>> controls_;
  std::map<std::pair<std::string, ControlEvent>, std::function<void()>> handlers_;
  std::function<void()> queryUnload_;
  std::function<bool()> closeRequest_;
  struct SystemMenuItem {
    SystemCommand command;
    std::u16string caption;
    std::function<void()> handler;
  };
  std::vector<SystemMenuItem> systemMenu_;
};

class SimulatedUi final : public Ui {
 public:
  explicit SimulatedUi(DesktopParts desktop);

  std::unique_ptr<Form> CreateForm(const FormSpec& spec) override;
  std::vector<Form*> LoadedForms() override;
  void ShowMessage(std::u16string_view text, int style,
                   std::optional<std::u16string_view> title) override;
  bool AskYesNo(std::u16string_view text, std::optional<std::u16string_view> title) override;
  std::u16string ApplicationTitle() const override { return applicationTitle_; }
  void SetApplicationTitle(std::u16string_view title) override;
  void RunUntilUnloaded(Form& mainForm) override;
  void Post(std::function<void()> task) override { desktop_.messaging.PostTask(std::move(task)); }
  void PostAfter(std::chrono::milliseconds delay, std::function<void()> task) override {
    desktop_.messaging.PostTaskAfter(delay, std::move(task));
  }
  void PostFromAnyThread(std::function<void()> task) override {
    desktop_.messaging.PostTaskFromAnyThread(std::move(task));
  }
  bool BringModalToFront() override;
  WindowHandle ForegroundWindow() override { return foreground_; }
  void ActivateWindow(WindowHandle window) override;

  // The user switches to a window (another program's, made with the
  // desktop's CreateWindow, or one of the program's forms).
  void SetForeground(WindowHandle window) { foreground_ = window; }
  // What BringModalToFront brought to the front: form names, or "MessageBox".
  const std::vector<std::string>& BroughtToFront() const { return broughtToFront_; }

  // What the user does while a form is shown modally: the script gets the
  // form; when it returns with the form still loaded, the user closes it with
  // the close box. Scripts are used in the order they were queued; without
  // one the form is closed with the close box.
  void WhenModal(std::function<void(SimulatedForm&)> script);
  // Runs `observer` every time a form is shown, just as it becomes visible.
  void WhenShown(std::function<void(SimulatedForm&)> observer);
  void NotifyShown(SimulatedForm& form);
  // The user's answer to the next question asked; a question with no answer
  // queued is answered No.
  void AnswerNextQuestion(bool yes) { answers_.push_back(yes); }
  const std::vector<MessageBoxCall>& Questions() const { return questions_; }
  // What happens while a message box is open (the user then presses OK).
  void WhileMessageShown(std::function<void(const MessageBoxCall&)> action);

  SimulatedForm* FindForm(std::string_view name);
  SimulatedForm* FindFormByCaption(std::u16string_view caption);
  const std::vector<MessageBoxCall>& Messages() const { return messages_; }
  int ModalDepth() const { return modalDepth_; }

  void Register(SimulatedForm* form) { forms_.push_back(form); }
  void Forget(SimulatedForm* form);
  void RunModal(SimulatedForm& form);

 private:
  DesktopParts desktop_;
  std::vector<SimulatedForm*> forms_;
  std::deque<std::function<void(SimulatedForm&)>> modalScripts_;
  std::function<void(const MessageBoxCall&)> whileMessageShown_;
  std::function<void(SimulatedForm&)> whenShown_;
  std::vector<MessageBoxCall> messages_;
  std::vector<MessageBoxCall> questions_;
  std::deque<bool> answers_;
  std::u16string applicationTitle_;
  int modalDepth_ = 0;
  std::vector<SimulatedForm*> modalForms_;  // innermost last
  int messagesOpen_ = 0;
  WindowHandle foreground_ = 0;
  std::vector<std::string> broughtToFront_;
};

}  // namespace fenlow::platform::sim
