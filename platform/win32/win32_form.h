// One form of the program as a real top-level window, and its controls as
// child windows. The form's per-window state is reached from its HWND (a
// window property), never from its window procedure, so a procedure that
// replaces ours and calls it through CallWindowProc finds everything intact.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {

class Win32Form;
class Win32Ui;

class Win32Control final : public Control {
 public:
  Win32Control(Win32Form& form, const ControlSpec& spec, int id, Colour formColour);

  const std::string& Name() const override { return spec_.name; }
  ControlKind Kind() const override { return spec_.kind; }
  std::u16string Text() const override;
  void SetText(std::u16string_view text) override;
  // A text box keeps a copy of its own; the shared text tells, without a copy
  // of the box's text to compare, whether it shows that text already.
  void SetSharedText(const SharedText& text) override;
  void AddItem(std::u16string_view entry) override;
  void ClearItems() override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int index) override;
  // The marks are the text's background colour, set with the text as one
  // RTF text and read back character by character (a test's call: it is
  // slow on a long text).
  void SetMarkedText(std::u16string_view text, const std::vector<MarkedRange>& marks) override;
  std::vector<MarkedRange> MarkedRanges() const override;
  bool Checked() const override;
  void SetChecked(bool checked) override;
  void SetBackColour(Colour colour) override;
  void SetFocus() override;

  const ControlSpec& Spec() const { return spec_; }
  HWND Window() const { return window_; }
  void Create(HWND parent);
  void Detach() { window_ = nullptr; }
  std::optional<Colour> BackColour() const { return backColour_; }
  bool TakesFocus() const;
  bool IsButtonLike() const;
  // The width its caption takes on one line in its font, in pixels.
  int CaptionWidthPixels() const;
  void ReportMouseMove();

 private:
  HWND RequireWindow() const;
  bool IsList() const;
  void RequireKind(ControlKind kind, const char* operation) const;
  // SetWindowTextW, throwing on failure.
  void PutWindowText(HWND window, std::wstring_view text) const;
  void SetTextBoxText(HWND window, std::wstring_view text, bool mayShowIt);
  // Whether the user has typed into the text box since its text was set.
  bool TypedInto(HWND window) const;
  void SetHotkey(HWND window, std::u16string_view text);
  void SetLongText(HWND window, std::wstring_view text, unsigned generation);

  Win32Form& form_;
  ControlSpec spec_;
  int id_;
  HWND window_ = nullptr;
  std::optional<Colour> backColour_;
  std::vector<std::u16string> items_;  // combo entries, compared exactly (the system ignores case)
  std::u16string caption_;             // push buttons read back exactly what was written
  // The text box's text as last set from a shared text (empty after any other).
  SharedText shown_;
  // Counts the texts set in a text box; shared so that a long fill can tell,
  // after answering messages, whether a newer text or the control's end came.
  std::shared_ptr<unsigned> textGeneration_ = std::make_shared<unsigned>(0);
};

class Win32Form final : public Form {
 public:
  Win32Form(Win32Ui& ui, const FormSpec& spec);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  const std::string& Name() const override { return spec_.name; }
  WindowHandle Handle() const override { return ToHandle(RequireWindow()); }
  bool IsLoaded() const override { return window_ != nullptr; }
  Control& Find(std::string_view controlName) override;
  std::vector<Control*> Controls() override;
  std::u16string Caption() const override;
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

  // The form whose top-level window `window` is, or nullptr.
  static Win32Form* FromWindow(HWND window);
  // Keyboard navigation of a dialog for a message meant for this form;
  // true when the message was used up.
  bool RouteKeyboard(MSG& message);
  // Runs the handler of `control` (empty: the form) for `event`, if any.
  void Raise(const std::string& control, ControlEvent event);
  // The same for window procedures: a failure is kept, not thrown across.
  void RaiseCaught(const std::string& control, ControlEvent event) noexcept;
  HFONT FontFor(const std::optional<FontSpec>& font);
  // Sizes and places the control for the form's DPI.
  void Place(Win32Control& control);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnControlColour(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  void OnMouseMove(LPARAM lParam);
  bool OnSetCursor(HWND under, LPARAM lParam);
  void OnActivate(WPARAM wParam);
  // True when `command` is one of the items added to the system menu.
  bool OnSystemCommand(WPARAM command);
  bool MayClose();
  void CloseByUserOrSystem();
  void Detach();

  HWND RequireWindow() const;
  void CreateControls();
  void Layout(UINT dpi);
  RECT PixelRect(const ControlSpec& control, UINT dpi) const;
  void ResizeClientArea(UINT dpi);
  void CentreOnScreen();
  void RefreshCursor();
  HBRUSH BrushFor(Colour colour);
  Win32Control* ControlById(int id);
  Win32Control* ControlByWindow(HWND window);
  Win32Control* FirstTabStop();
  void MoveFocus(bool backwards);

  Win32Ui& ui_;
  FormSpec spec_;
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  std::vector<std::unique_ptr<Win32Control>> controls_;  // in the order of the form's layout
  std::vector<Win32Control*> tabOrder_;
  Colour background_;
  MousePointer pointer_ = MousePointer::Default;
  UniqueCursor customPointer_;
  HWND lastFocus_ = nullptr;
  std::map<std::pair<std::string, ControlEvent>, std::function<void()>> handlers_;
  std::function<void()> queryUnload_;
  std::function<bool()> closeRequest_;
  // While shown modally: gives the other windows back before the form goes.
  std::function<void()> beforeModalEnds_;
  std::map<SystemCommand, std::function<void()>> systemCommands_;
  std::vector<std::pair<FontSpec, UniqueFont>> fonts_;  // for the current DPI
  std::map<Colour, UniqueBrush> brushes_;
};

}  // namespace fenlow::platform::win32
