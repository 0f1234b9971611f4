// Forms and their controls as the windows of the program use them. A form is
// described once by a FormSpec (positions in twips, as designed) and each
// backend builds it: real Win32 windows, or simulated ones for tests.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shared_text.h"
#include "platform/types.h"

namespace fenlow::platform {

// Colours in the controls' encoding: 0x00BBGGRR, or a system colour with the
// high bit set (low byte: index into the system colour table).
using Colour = std::uint32_t;
constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kButtonFace = 0x8000000F;

// The per-window mouse pointer values the windows use.
enum class MousePointer : int { Default = 0, Hourglass = 11, Custom = 99 };

// A HotkeyBox takes the key combination the user presses; its text is the
// hotkey as HotkeyText writes it, empty for none. A ListBox shows items, one
// of them chosen; a RichTextBox shows a read-only text with parts of it
// marked by a background colour.
enum class ControlKind {
  Frame,
  TextBox,
  ComboList,
  PushButton,
  CheckBox,
  Label,
  OptionButton,
  HotkeyBox,
  ListBox,
  RichTextBox
};
// Click: a button pressed, a combo or list item chosen by the user. Change:
// the user changed a text box's or hotkey box's text. DeleteKey: Delete
// pressed in a list box.
enum class ControlEvent { Click, Change, MouseMove, DeleteKey };

// A part of a rich-text box's text shown on another background: `start` and
// `length` in code units of the text as set (a CR LF pair counts two).
struct MarkedRange {
  std::size_t start = 0;
  std::size_t length = 0;
  Colour background = kWhite;
  friend bool operator==(const MarkedRange&, const MarkedRange&) = default;
};

struct FontSpec {
  std::u16string face = u"Arial";
  double points = 9.0;
  bool bold = true;
};

struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ControlSpec {
  std::string name;  // "Text1", "Combo1", "PushButton2", "Label1(0)"
  ControlKind kind = ControlKind::Label;
  std::string container;   // empty: the form itself; otherwise the name of a Frame
  std::u16string caption;  // caption, or the initial text of a text box
  TwipsRect rect;          // relative to the container
  int tabIndex = 0;
  std::optional<FontSpec> font;   // nullopt: the form's font
  bool horizontalScroll = false;  // text boxes
  bool verticalScroll = false;    // text boxes
};

struct FormSpec {
  std::string name;  // "Form1", "Form2", "Form3"
  std::u16string caption;
  int clientWidthTwips = 0;
  int clientHeightTwips = 0;
  bool minimizeBox = false;  // a close box is always present; never a maximise box
  Colour background = kWhite;
  FontSpec font;
  std::string cancelControl;  // a push button that Escape clicks; empty: none
  std::vector<ControlSpec> controls;
};

class Control {
 public:
  virtual ~Control() = default;
  virtual const std::string& Name() const = 0;
  virtual ControlKind Kind() const = 0;

  // Caption of buttons, frames, labels and check boxes; the whole text of a
  // text box (lines separated by CR LF); the current text of a combo box.
  virtual std::u16string Text() const = 0;
  // For a combo box this selects the entry with exactly that text and raises
  // its Click event; throws Failure when no entry has that text.
  virtual void SetText(std::u16string_view text) = 0;
  // The same, sharing the text's buffer where the platform can hold it
  // without a copy of its own.
  virtual void SetSharedText(const SharedText& text) { SetText(text.View()); }

  virtual void AddItem(std::u16string_view entry) = 0;  // combo and list boxes
  // Combo and list boxes: removes every entry (none is chosen then).
  virtual void ClearItems() = 0;
  // List boxes: the chosen item's index, -1 for none; choosing one (-1: none)
  // raises no event. Throws Failure for an index beyond the items.
  [[nodiscard]] virtual int SelectedIndex() const = 0;
  virtual void SetSelectedIndex(int index) = 0;
  // Rich-text boxes: the text with those parts marked (ranges in order, not
  // overlapping, within the text), and the marks read back from the control.
  virtual void SetMarkedText(std::u16string_view text, const std::vector<MarkedRange>& marks) = 0;
  [[nodiscard]] virtual std::vector<MarkedRange> MarkedRanges() const = 0;
  virtual bool Checked() const = 0;                     // check boxes
  // Raises the check box's Click event when the state changes.
  virtual void SetChecked(bool checked) = 0;
  virtual void SetBackColour(Colour colour) = 0;
  virtual void SetFocus() = 0;
};

// The number an item of a form's system menu is known by: a multiple of 16
// from 0x10 to 0xEFF0 (the system's own commands lie above).
using SystemCommand = std::uint32_t;
constexpr bool IsItemCommand(SystemCommand command) {
  return command != 0 && command % 16 == 0 && command < 0xF000;
}

class Form {
 public:
  virtual ~Form() = default;
  virtual const std::string& Name() const = 0;
  // Throws Failure once the form is unloaded.
  virtual WindowHandle Handle() const = 0;
  virtual bool IsLoaded() const = 0;

  virtual Control& Find(std::string_view controlName) = 0;  // throws Failure when absent
  virtual std::vector<Control*> Controls() = 0;

  virtual std::u16string Caption() const = 0;
  virtual void SetCaption(std::u16string_view caption) = 0;
  virtual void SetIconToProgramIcon() = 0;
  virtual void SetBackColour(Colour colour) = 0;

  virtual MousePointer Pointer() const = 0;
  virtual void SetPointer(MousePointer pointer) = 0;
  // Loads a cursor file as the picture of MousePointer::Custom; throws Failure.
  virtual void LoadCustomPointer(std::u16string_view cursorFile) = 0;

  // Sets the one handler of `event` on `control` (empty: the form's own
  // surface), replacing any earlier one. Throws Failure for an unknown control.
  virtual void On(std::string_view control, ControlEvent event, std::function<void()> handler) = 0;
  // Runs when the user or the system closes the form; the form then unloads.
  virtual void OnQueryUnload(std::function<void()> handler) = 0;
  // Asked first when the user closes the form (its close box, Alt+F4, the
  // system menu, Close()): false keeps it open. Not asked when the session
  // ends or the program unloads the form.
  virtual void OnCloseRequest(std::function<bool()> mayClose) = 0;
  // Adds an item to the form's system menu (the menu of its title bar and
  // taskbar button), below a separator before the first one added; picking
  // it runs `handler`. Throws Failure for a number outside the range above.
  virtual void AddSystemMenuItem(SystemCommand command, std::u16string_view caption,
                                 std::function<void()> handler) = 0;

  // Shows the form centred on the screen (modeless).
  virtual void Show() = 0;
  // Shows it minimised (in the taskbar), without taking the focus; restored,
  // it stands centred.
  virtual void ShowMinimized() = 0;
  // Shows it, restored when it is minimised, as the active window in front.
  virtual void BringToFront() = 0;
  // Closes it as its close box does: the query-unload handler, then unload.
  virtual void Close() = 0;
  // Shows the form centred, with no owner, and returns once it is unloaded.
  // Every other window of the program takes no input meanwhile; window
  // messages, clipboard notifications included, go on being dispatched.
  virtual void ShowModal() = 0;
  // Destroys the window; safe inside one of its own handlers.
  virtual void Unload() = 0;
};

// Message box styles used by the program.
constexpr int kMessageBoxPlain = 0;         // OK only, no icon
constexpr int kMessageBoxExclamation = 48;  // OK only, exclamation icon

class Ui {
 public:
  virtual ~Ui() = default;
  virtual std::unique_ptr<Form> CreateForm(const FormSpec& spec) = 0;
  // The forms of the program that are loaded at this moment.
  virtual std::vector<Form*> LoadedForms() = 0;

  // Modal to the whole program: no window of it takes input until closed,
  // while window messages go on being dispatched. It belongs to the
  // program's window that is active when it opens, which is active again,
  // with its focus, once it closes. Without a title the application title
  // is used.
  virtual void ShowMessage(std::u16string_view text, int style,
                           std::optional<std::u16string_view> title) = 0;
  // A question with Yes and No buttons (No the default), modal and owned as
  // a message is; true when the user answers Yes.
  virtual bool AskYesNo(std::u16string_view text, std::optional<std::u16string_view> title) = 0;
  virtual std::u16string ApplicationTitle() const = 0;
  virtual void SetApplicationTitle(std::u16string_view title) = 0;

  // When a form is shown modally or a message box is open, brings the one
  // in front of the others (that the user has to answer first) to the
  // front, restored, and returns true; otherwise returns false.
  virtual bool BringModalToFront() = 0;
  // The window that has the user's input now, of any program (0: none), and
  // giving it back to such a window.
  virtual WindowHandle ForegroundWindow() = 0;
  virtual void ActivateWindow(WindowHandle window) = 0;

  // Runs the message loop until `mainForm` is unloaded.
  virtual void RunUntilUnloaded(Form& mainForm) = 0;

  // Runs `task` later, once, from whichever loop next dispatches window
  // messages (the message loop, a yield, a modal window or message box),
  // tasks in the order posted. A task that throws fails as an event handler
  // does. Throws Failure when the task cannot be posted.
  virtual void Post(std::function<void()> task) = 0;
  // The same, once `delay` has passed (timers are coarse: it may come later).
  virtual void PostAfter(std::chrono::milliseconds delay, std::function<void()> task) = 0;
  // Post from any thread: the task runs on the window's thread, in the order
  // posted, as Post's tasks do. Throws Failure when it cannot be posted.
  virtual void PostFromAnyThread(std::function<void()> task) = 0;
};

}  // namespace fenlow::platform
