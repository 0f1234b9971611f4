#include "platform/sim/simulated_ui.h"

#include <algorithm>

namespace fenlow::platform::sim {

namespace {

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Frame && kind != ControlKind::Label;
}

}  // namespace

// --- Controls ----------------------------------------------------------------------

SimulatedControl::SimulatedControl(SimulatedForm& form, ControlSpec spec)
    : form_(form), spec_(std::move(spec)), text_(spec_.caption), background_(kWhite) {}

std::u16string SimulatedControl::Text() const {
  return std::u16string(text_.View());
}

void SimulatedControl::SetText(std::u16string_view text) {
  form_.desktop_.faults.Enter("SetText", spec_.name);
  StoreText(text);
}

void SimulatedControl::SetSharedText(const SharedText& text) {
  if (spec_.kind != ControlKind::TextBox) {
    SetText(text.View());
    return;
  }
  form_.desktop_.faults.Enter("SetText", spec_.name);
  text_ = text;
}

void SimulatedControl::StoreText(std::u16string_view text) {
  if (spec_.kind != ControlKind::ComboList) {
    text_ = std::u16string(text);
    return;
  }
  if (std::find(items_.begin(), items_.end(), text) == items_.end())
    throw Failure("Invalid property value: the list has no entry with that text.");
  text_ = std::u16string(text);
  form_.Raise(spec_.name, ControlEvent::Click);
}

void SimulatedControl::AddItem(std::u16string_view entry) {
  form_.desktop_.faults.Enter("AddItem", spec_.name);
  items_.emplace_back(entry);
}

void SimulatedControl::ClearItems() {
  form_.desktop_.faults.Enter("ClearItems", spec_.name);
  items_.clear();
  selected_ = -1;
  if (spec_.kind == ControlKind::ComboList) text_ = SharedText();
}

int SimulatedControl::SelectedIndex() const {
  if (spec_.kind != ControlKind::ListBox) throw Failure(spec_.name + " is no list box.");
  return selected_;
}

void SimulatedControl::SetSelectedIndex(int index) {
  form_.desktop_.faults.Enter("SetSelectedIndex", spec_.name);
  if (spec_.kind != ControlKind::ListBox) throw Failure(spec_.name + " is no list box.");
  if (index < -1 || index >= static_cast<int>(items_.size()))
    throw Failure("Invalid property value: the list has no item " + std::to_string(index) + ".");
  selected_ = index;
}

void SimulatedControl::StoreSelection(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size()))
    throw Failure("The list " + spec_.name + " has no item " + std::to_string(index) + ".");
  selected_ = index;
  form_.Raise(spec_.name, ControlEvent::Click);
}

// The marks must lie in the text, in order and apart, as a real control
// could show them.
void SimulatedControl::SetMarkedText(std::u16string_view text,
                                     const std::vector<MarkedRange>& marks) {
  form_.desktop_.faults.Enter("SetMarkedText", spec_.name);
  if (spec_.kind != ControlKind::RichTextBox) throw Failure(spec_.name + " is no rich-text box.");
  std::size_t end = 0;
  for (const MarkedRange& mark : marks) {
    if (mark.start < end || mark.length == 0 || mark.start + mark.length > text.size())
      throw Failure("A marked range of " + spec_.name + " is out of place.");
    end = mark.start + mark.length;
  }
  text_ = std::u16string(text);
  marks_ = marks;
}

std::vector<MarkedRange> SimulatedControl::MarkedRanges() const {
  if (spec_.kind != ControlKind::RichTextBox) throw Failure(spec_.name + " is no rich-text box.");
  return marks_;
}

void SimulatedControl::SetChecked(bool checked) {
  form_.desktop_.faults.Enter("SetChecked", spec_.name);
  StoreChecked(checked);
}

void SimulatedControl::StoreChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  form_.Raise(spec_.name, ControlEvent::Click);
}

void SimulatedControl::SetBackColour(Colour colour) {
  form_.desktop_.faults.Enter("SetBackColour", spec_.name);
  background_ = colour;
}

void SimulatedControl::SetFocus() {
  form_.desktop_.faults.Enter("SetFocus", spec_.name);
  form_.SetFocused(spec_.name);
}

// --- Forms -------------------------------------------------------------------------

SimulatedForm::SimulatedForm(DesktopParts desktop, SimulatedUi& ui, const FormSpec& spec)
    : desktop_(desktop),
      ui_(ui),
      spec_(spec),
      handle_(desktop.windows.CreateWindow()),
      caption_(spec.caption),
      background_(spec.background) {
  for (const ControlSpec& control : spec.controls) {
    controls_.push_back(std::make_unique<SimulatedControl>(*this, control));
  }
  desktop_.log.Record("CreateForm(" + spec.name + ")");
  ui_.Register(this);
}

SimulatedForm::~SimulatedForm() {
  if (loaded_) {
    desktop_.windows.DestroyWindow(handle_);
    ui_.Forget(this);
  }
}

WindowHandle SimulatedForm::Handle() const {
  desktop_.faults.Enter("Handle", spec_.name);
  if (!loaded_) throw Failure("The window " + spec_.name + " is unloaded.");
  return handle_;
}

SimulatedControl& SimulatedForm::Sim(std::string_view control) {
  for (auto& candidate : controls_) {
    if (candidate->Name() == control) return *candidate;
  }
  throw Failure("The window " + spec_.name + " has no control named " + std::string(control) + ".");
}

Control& SimulatedForm::Find(std::string_view controlName) {
  desktop_.faults.Enter("Find", controlName);
  return Sim(controlName);
}

std::vector<Control*> SimulatedForm::Controls() {
  std::vector<Control*> all;
  for (auto& control : controls_) all.push_back(control.get());
  return all;
}

void SimulatedForm::SetCaption(std::u16string_view caption) {
  desktop_.faults.Enter("SetCaption", spec_.name);
  caption_ = caption;
}

void SimulatedForm::SetIconToProgramIcon() {
  desktop_.faults.Enter("SetIconToProgramIcon", spec_.name);
  hasProgramIcon_ = true;
}

void SimulatedForm::SetPointer(MousePointer pointer) {
  desktop_.faults.Enter("SetPointer", spec_.name);
  pointer_ = pointer;
}

void SimulatedForm::SetBackColour(Colour colour) {
  desktop_.faults.Enter("SetBackColour", spec_.name);
  background_ = colour;
}

void SimulatedForm::LoadCustomPointer(std::u16string_view cursorFile) {
  desktop_.faults.Enter("LoadCustomPointer", spec_.name);
  (void)desktop_.files.FileContent(cursorFile);  // fails like the real load on a missing file
  customPointerFile_ = cursorFile;
}

void SimulatedForm::On(std::string_view control, ControlEvent event,
                       std::function<void()> handler) {
  if (!control.empty()) Sim(control);  // an unknown control is a mistake worth hearing of
  handlers_[{std::string(control), event}] = std::move(handler);
}

void SimulatedForm::OnQueryUnload(std::function<void()> handler) {
  queryUnload_ = std::move(handler);
}

void SimulatedForm::OnCloseRequest(std::function<bool()> mayClose) {
  closeRequest_ = std::move(mayClose);
}

void SimulatedForm::AddSystemMenuItem(SystemCommand command, std::u16string_view caption,
                                      std::function<void()> handler) {
  desktop_.faults.Enter("AddSystemMenuItem", spec_.name);
  if (!IsItemCommand(command)) {
    throw Failure("A system menu item cannot have the number " + std::to_string(command));
  }
  systemMenu_.push_back({command, std::u16string(caption), std::move(handler)});
}

std::vector<std::u16string> SimulatedForm::SystemMenuItems() const {
  std::vector<std::u16string> captions;
  for (const SystemMenuItem& item : systemMenu_) captions.push_back(item.caption);
  return captions;
}

void SimulatedForm::ChooseFromSystemMenu(std::u16string_view caption) {
  if (!loaded_) return;
  for (const SystemMenuItem& item : systemMenu_) {
    if (item.caption != caption) continue;
    auto handler = item.handler;  // a handler may unload the form
    handler();
    return;
  }
  throw Failure("The system menu of " + spec_.name + " has no such item.");
}

void SimulatedForm::Raise(std::string_view control, ControlEvent event) {
  auto found = handlers_.find({std::string(control), event});
  if (found == handlers_.end()) return;
  auto handler = found->second;  // a handler may unload the form or replace itself
  handler();
}

void SimulatedForm::Show() {
  desktop_.faults.Enter("Show", spec_.name);
  Reveal();
}

void SimulatedForm::ShowMinimized() {
  desktop_.faults.Enter("ShowMinimized", spec_.name);
  visible_ = true;
  minimized_ = true;
}

void SimulatedForm::BringToFront() {
  desktop_.faults.Enter("BringToFront", spec_.name);
  if (!loaded_) throw Failure("The window " + spec_.name + " is unloaded.");
  visible_ = true;
  minimized_ = false;
  ui_.SetForeground(handle_);
}

void SimulatedForm::Close() {
  desktop_.faults.Enter("Close", spec_.name);
  CloseBox();
}

void SimulatedForm::Reveal() {
  visible_ = true;
  ui_.SetForeground(handle_);
  const ControlSpec* first = nullptr;
  for (const ControlSpec& control : spec_.controls) {
    if (TakesFocus(control.kind) && (first == nullptr || control.tabIndex < first->tabIndex))
      first = &control;
  }
  if (first != nullptr) focused_ = first->name;
  ui_.NotifyShown(*this);
}

void SimulatedForm::ShowModal() {
  desktop_.faults.Enter("ShowModal", spec_.name);
  Reveal();
  shownModally_ = true;
  desktop_.log.Record("ShowModal(" + spec_.name + ")");
  ui_.RunModal(*this);
}

void SimulatedForm::Unload() {
  desktop_.faults.Enter("Unload", spec_.name);
  Unloaded();
}

void SimulatedForm::Unloaded() {
  if (!loaded_) return;
  desktop_.log.Record("Unload(" + spec_.name + ")");
  loaded_ = false;
  visible_ = false;
  if (ui_.ForegroundWindow() == handle_) ui_.SetForeground(0);  // the system picks another
  desktop_.windows.DestroyWindow(handle_);
  ui_.Forget(this);
}

// An unloaded form's window is gone: the user can no longer click, type or
// move the mouse in it.
void SimulatedForm::Click(std::string_view control) {
  if (!loaded_) return;
  SimulatedControl& target = Sim(control);
  if (target.Kind() == ControlKind::CheckBox) {
    target.StoreChecked(!target.Checked());
    return;
  }
  Raise(control, ControlEvent::Click);
}

void SimulatedForm::MouseMove(std::string_view control) {
  if (!loaded_) return;
  Raise(control, ControlEvent::MouseMove);
}

void SimulatedForm::Type(std::string_view textBox, std::u16string_view text) {
  if (!loaded_) return;
  Sim(textBox).StoreText(text);
  Raise(textBox, ControlEvent::Change);
}

void SimulatedForm::Pick(std::string_view combo, std::u16string_view entry) {
  Sim(combo).StoreText(entry);
}

void SimulatedForm::Choose(std::string_view listBox, int index) {
  if (!loaded_) return;
  Sim(listBox).StoreSelection(index);
}

void SimulatedForm::PressDelete(std::string_view listBox) {
  if (!loaded_) return;
  Raise(listBox, ControlEvent::DeleteKey);
}

void SimulatedForm::CloseBox() {
  if (!loaded_) return;
  if (closeRequest_) {
    auto mayClose = closeRequest_;  // the handler may replace itself
    if (!mayClose()) return;
  }
  if (queryUnload_) queryUnload_();
  Unloaded();
}

void SimulatedForm::PressEscape() {
  if (!spec_.cancelControl.empty()) Click(spec_.cancelControl);
}

// --- The UI as a whole --------------------------------------------------------------

// Made to fail, these say what a runtime that refuses them would.
SimulatedUi::SimulatedUi(DesktopParts desktop) : desktop_(desktop) {
  for (const char* call : {"CreateForm", "SetBackColour", "LoadCustomPointer"}) {
    desktop_.faults.DescribeFailure(call, "The window operation failed (simulated).");
  }
}

std::unique_ptr<Form> SimulatedUi::CreateForm(const FormSpec& spec) {
  desktop_.faults.Enter("CreateForm", spec.name);
  return std::make_unique<SimulatedForm>(desktop_, *this, spec);
}

std::vector<Form*> SimulatedUi::LoadedForms() {
  desktop_.faults.Enter("LoadedForms");
  return std::vector<Form*>(forms_.begin(), forms_.end());
}

void SimulatedUi::Forget(SimulatedForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  modalForms_.erase(std::remove(modalForms_.begin(), modalForms_.end(), form), modalForms_.end());
}

void SimulatedUi::ShowMessage(std::u16string_view text, int style,
                              std::optional<std::u16string_view> title) {
  desktop_.faults.Enter("ShowMessage");
  MessageBoxCall call{std::u16string(text), style,
                      title ? std::u16string(*title) : applicationTitle_};
  desktop_.log.Record("MessageBox");
  messages_.push_back(call);
  ++messagesOpen_;
  struct Closed {
    int& open;
    ~Closed() { --open; }
  } closed{messagesOpen_};
  if (whileMessageShown_) whileMessageShown_(call);
}

bool SimulatedUi::BringModalToFront() {
  if (messagesOpen_ > 0) {
    broughtToFront_.emplace_back("MessageBox");
    return true;
  }
  if (modalForms_.empty()) return false;
  SimulatedForm& form = *modalForms_.back();
  broughtToFront_.push_back(form.Name());
  foreground_ = form.SimHandle();
  return true;
}

void SimulatedUi::ActivateWindow(WindowHandle window) {
  desktop_.faults.Enter("ActivateWindow");
  if (desktop_.windows.IsWindow(window)) foreground_ = window;
}

bool SimulatedUi::AskYesNo(std::u16string_view text, std::optional<std::u16string_view> title) {
  desktop_.faults.Enter("AskYesNo");
  desktop_.log.Record("Question");
  questions_.push_back(
      {std::u16string(text), 0, title ? std::u16string(*title) : applicationTitle_});
  if (answers_.empty()) return false;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

// Tests close the main form themselves; here the pending messages are handled once.
void SimulatedUi::RunUntilUnloaded(Form& mainForm) {
  if (mainForm.IsLoaded()) desktop_.messaging.RunMessageLoop();
}

void SimulatedUi::SetApplicationTitle(std::u16string_view title) {
  desktop_.faults.Enter("SetApplicationTitle");
  applicationTitle_ = title;
}

void SimulatedUi::WhenModal(std::function<void(SimulatedForm&)> script) {
  modalScripts_.push_back(std::move(script));
}

void SimulatedUi::WhenShown(std::function<void(SimulatedForm&)> observer) {
  whenShown_ = std::move(observer);
}

void SimulatedUi::NotifyShown(SimulatedForm& form) {
  if (whenShown_) whenShown_(form);
}

void SimulatedUi::WhileMessageShown(std::function<void(const MessageBoxCall&)> action) {
  whileMessageShown_ = std::move(action);
}

void SimulatedUi::RunModal(SimulatedForm& form) {
  ++modalDepth_;
  modalForms_.push_back(&form);
  if (!modalScripts_.empty()) {
    auto script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    script(form);
  }
  form.CloseBox();  // the user closes whatever the script left open
  std::erase(modalForms_, &form);
  --modalDepth_;
}

SimulatedForm* SimulatedUi::FindForm(std::string_view name) {
  for (SimulatedForm* form : forms_) {
    if (form->Name() == name) return form;
  }
  return nullptr;
}

SimulatedForm* SimulatedUi::FindFormByCaption(std::u16string_view caption) {
  for (SimulatedForm* form : forms_) {
    if (form->Caption() == caption) return form;
  }
  return nullptr;
}

}  // namespace fenlow::platform::sim
