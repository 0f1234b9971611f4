#include "platform/win32/win32_form.h"

#include <algorithm>

#include "platform/win32/win32_dispatch.h"
#include "platform/win32/win32_modality.h"
#include "platform/win32/win32_ui.h"

namespace fenlow::platform::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"FenlowForm";
constexpr wchar_t kFormProperty[] = L"Fenlow.Form";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL, which dialogs send
constexpr int kTwipsPerInch = 1440;
constexpr int kDropDownTwips = 3000;  // room for the open list of a drop-down list

template <typename Function>
Function SystemFunction(const char* name) {
  const FARPROC found = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The window's DPI where the system knows per-monitor DPI, else the screen's.
UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow = SystemFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (getDpiForWindow) return getDpiForWindow(window);
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

void AdjustForDpi(RECT& rect, DWORD style, DWORD extendedStyle, UINT dpi) {
  static const auto adjustForDpi =
      SystemFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (adjustForDpi) {
    adjustForDpi(&rect, style, FALSE, extendedStyle, dpi);
  } else {
    ::AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
  }
}

int TwipsToPixels(int twips, UINT dpi) {
  return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

bool SameFont(const FontSpec& a, const FontSpec& b) {
  return a.face == b.face && a.points == b.points && a.bold == b.bold;
}

DWORD FormStyle(const FormSpec& spec) {
  // Fixed single border with a close box; a minimise box only when asked, never maximise.
  // Load-bearing: no WS_CLIPCHILDREN. A group box never paints its inside, so
  // the form's own background must be painted under the frames.
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  if (spec.minimizeBox) style |= WS_MINIMIZEBOX;
  return style;
}

constexpr DWORD kFormExtendedStyle = WS_EX_CONTROLPARENT;

}  // namespace

Win32Form::Win32Form(Win32Ui& ui, const FormSpec& spec)
    : ui_(ui), spec_(spec), background_(spec.background) {
  RegisterWindowClass(kFormClass, &Win32Form::WindowProcedure, ::LoadCursorW(nullptr, IDC_ARROW),
                      ::LoadIconW(nullptr, IDI_APPLICATION));
  const std::wstring caption = ToWide(spec_.caption);
  // WM_NCCREATE stores `this` with the window, so window_ is set from there on.
  if (!::CreateWindowExW(kFormExtendedStyle, kFormClass, caption.c_str(), FormStyle(spec_),
                         CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr,
                         ::GetModuleHandleW(nullptr), this)) {
    ThrowLastError("Cannot create the window " + spec_.name);
  }
  try {
    CreateControls();
    Layout(WindowDpi(window_));
  } catch (...) {
    ::DestroyWindow(window_);
    throw;
  }
  ui_.Loaded(*this);
}

Win32Form::~Win32Form() {
  if (window_) ::DestroyWindow(window_);
}

Win32Form* Win32Form::FromWindow(HWND window) {
  return static_cast<Win32Form*>(::GetPropW(window, kFormProperty));
}

LRESULT CALLBACK Win32Form::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetPropW(window, kFormProperty, form);
    form->window_ = window;
  }
  Win32Form* form = FromWindow(window);
  if (!form) return ::DefWindowProcW(window, message, wParam, lParam);
  Win32Ui& ui = form->ui_;  // the handler may delete the form
  try {
    return form->OnMessage(message, wParam, lParam);
  } catch (...) {
    ui.KeepFailure(std::current_exception());  // no exception may cross a window procedure
    return 0;
  }
}

LRESULT Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return OnControlColour(message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(window_, &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, BrushFor(background_));
      return 1;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wParam), lParam)) return TRUE;
      break;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case WM_CLOSE:
      if (MayClose()) CloseByUserOrSystem();
      return 0;
    case WM_SYSCOMMAND:
      if (OnSystemCommand(wParam)) return 0;
      break;
    case WM_QUERYENDSESSION:
      return TRUE;  // never hold up the end of the session
    case WM_ENDSESSION:
      if (wParam) CloseByUserOrSystem();
      return 0;
    case WM_DPICHANGED: {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      Layout(HIWORD(wParam));
      return 0;
    }
    case WM_NCDESTROY: {
      const HWND window = window_;
      Detach();
      return ::DefWindowProcW(window, message, wParam, lParam);
    }
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Form::Detach() {
  ::RemovePropW(window_, kFormProperty);
  window_ = nullptr;
  lastFocus_ = nullptr;
  beforeModalEnds_ = nullptr;
  for (auto& control : controls_) control->Detach();
  ui_.Unloaded(*this);
}

LRESULT Win32Form::OnControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
  const Win32Control* control = ControlByWindow(reinterpret_cast<HWND>(lParam));
  if (!control || !control->BackColour()) {
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }
  const Colour colour = *control->BackColour();
  ::SetBkColor(reinterpret_cast<HDC>(wParam), ToColorRef(colour));
  return reinterpret_cast<LRESULT>(BrushFor(colour));
}

void Win32Form::OnCommand(int id, int code) {
  const Win32Control* control = ControlById(id);
  if (!control) return;
  const ControlKind kind = control->Kind();
  const bool clicked = (code == BN_CLICKED && control->IsButtonLike()) ||
                       (code == CBN_SELCHANGE && kind == ControlKind::ComboList) ||
                       (code == LBN_SELCHANGE && kind == ControlKind::ListBox);
  if (clicked) Raise(control->Name(), ControlEvent::Click);
  const bool changed =
      code == EN_CHANGE && (kind == ControlKind::TextBox || kind == ControlKind::HotkeyBox);
  if (changed) Raise(control->Name(), ControlEvent::Change);
}

// A group box lets the mouse through to the form, so the form tells which
// frame lies under the pointer.
void Win32Form::OnMouseMove(LPARAM lParam) {
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  for (const auto& control : controls_) {
    if (control->Kind() != ControlKind::Frame) continue;
    RECT frame{};
    ::GetWindowRect(control->Window(), &frame);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&frame), 2);
    if (::PtInRect(&frame, point)) return Raise(control->Name(), ControlEvent::MouseMove);
  }
  Raise({}, ControlEvent::MouseMove);
}

bool Win32Form::OnSetCursor(HWND under, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  if (pointer_ == MousePointer::Hourglass) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
  }
  if (pointer_ != MousePointer::Custom) return false;
  // The custom pointer shows over the form's surface and its push buttons;
  // text boxes and lists keep their own cursors.
  const Win32Control* control = ControlByWindow(under);
  if (under != window_ && !(control && control->Kind() == ControlKind::PushButton)) return false;
  ::SetCursor(customPointer_ ? customPointer_.get() : ::LoadCursorW(nullptr, IDC_ARROW));
  return true;
}

// A plain window does not remember its focused control across activation.
void Win32Form::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus && ::IsChild(window_, focus)) lastFocus_ = focus;
    return;
  }
  if (HIWORD(wParam)) return;  // minimised
  if (!lastFocus_ || !::IsWindow(lastFocus_)) {
    const Win32Control* first = FirstTabStop();
    lastFocus_ = first ? first->Window() : nullptr;
  }
  if (lastFocus_) ::SetFocus(lastFocus_);
}

// The system keeps the low four bits of the number for itself.
bool Win32Form::OnSystemCommand(WPARAM command) {
  const auto found = systemCommands_.find(static_cast<SystemCommand>(command & 0xFFF0));
  if (found == systemCommands_.end()) return false;
  const std::function<void()> handler = found->second;  // the handler may delete this form
  handler();
  return true;
}

// Close box, Alt+F4 and the end of the session: the handler runs, then the
// form unloads in any case (even when the handler failed).
bool Win32Form::MayClose() {
  if (!closeRequest_) return true;
  const std::function<bool()> mayClose = closeRequest_;  // the handler may replace itself
  return mayClose();
}

void Win32Form::CloseByUserOrSystem() {
  const HWND window = window_;
  const std::function<void()> handler = queryUnload_;  // the handler may delete this form
  struct DestroyAfterwards {
    HWND window;
    ~DestroyAfterwards() {
      if (Win32Form* form = FromWindow(window)) {
        form->Unload();
      } else if (::IsWindow(window)) {
        ::DestroyWindow(window);
      }
    }
  } destroy{window};
  if (handler) handler();
}

void Win32Form::Raise(const std::string& control, ControlEvent event) {
  const auto found = handlers_.find({control, event});
  if (found == handlers_.end()) return;
  const std::function<void()> handler = found->second;  // the handler may delete this form
  handler();
}

void Win32Form::RaiseCaught(const std::string& control, ControlEvent event) noexcept {
  Win32Ui& ui = ui_;
  try {
    Raise(control, event);
  } catch (...) {
    ui.KeepFailure(std::current_exception());
  }
}

HWND Win32Form::RequireWindow() const {
  if (!window_) throw Failure("The window " + spec_.name + " is not loaded");
  return window_;
}

void Win32Form::CreateControls() {
  for (std::size_t index = 0; index < spec_.controls.size(); ++index) {
    controls_.push_back(std::make_unique<Win32Control>(
        *this, spec_.controls[index], kFirstControlId + static_cast<int>(index), background_));
  }
  for (const auto& control : controls_) tabOrder_.push_back(control.get());
  std::stable_sort(tabOrder_.begin(), tabOrder_.end(), [](const auto* a, const auto* b) {
    return a->Spec().tabIndex < b->Spec().tabIndex;
  });
  // Children are stacked in creation order, which is also the order Tab follows.
  for (Win32Control* control : tabOrder_) control->Create(window_);
}

void Win32Form::Layout(UINT dpi) {
  dpi_ = dpi;
  auto oldFonts = std::move(fonts_);  // still selected into the controls until replaced
  fonts_.clear();
  for (const auto& control : controls_) {
    ::SendMessageW(control->Window(), WM_SETFONT,
                   reinterpret_cast<WPARAM>(FontFor(control->Spec().font)), TRUE);
    Place(*control);  // in its font: a label's width depends on it
  }
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(std::nullopt)), FALSE);
  ResizeClientArea(dpi);
}

// A label is as wide as its caption needs, and no narrower than designed:
// the designed widths leave nothing to spare, and in the face that stands in
// for Arial, or rounded at another DPI, a caption may need a few pixels more
// ("Find what:" takes 58 px of the 57 designed at 96 DPI under Wine).
void Win32Form::Place(Win32Control& control) {
  RECT rect = PixelRect(control.Spec(), dpi_);
  if (control.Kind() == ControlKind::Label) {
    rect.right = std::max(rect.right, rect.left + control.CaptionWidthPixels());
  }
  ::SetWindowPos(control.Window(), nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Twips relative to the container become pixels relative to the form.
RECT Win32Form::PixelRect(const ControlSpec& control, UINT dpi) const {
  int left = control.rect.left;
  int top = control.rect.top;
  if (!control.container.empty()) {
    const auto frame = std::find_if(spec_.controls.begin(), spec_.controls.end(),
                                    [&](const auto& c) { return c.name == control.container; });
    if (frame == spec_.controls.end()) {
      throw Failure(control.name + " lies in the unknown frame " + control.container);
    }
    left += frame->rect.left;
    top += frame->rect.top;
  }
  int height = control.rect.height;
  if (control.kind == ControlKind::ComboList) height += kDropDownTwips;
  return {TwipsToPixels(left, dpi), TwipsToPixels(top, dpi),
          TwipsToPixels(left + control.rect.width, dpi), TwipsToPixels(top + height, dpi)};
}

void Win32Form::ResizeClientArea(UINT dpi) {
  RECT rect{0, 0, TwipsToPixels(spec_.clientWidthTwips, dpi),
            TwipsToPixels(spec_.clientHeightTwips, dpi)};
  AdjustForDpi(rect, FormStyle(spec_), kFormExtendedStyle, dpi);
  ::SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  const RECT& work = monitor.rcWork;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  ::SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT Win32Form::FontFor(const std::optional<FontSpec>& font) {
  const FontSpec& wanted = font ? *font : spec_.font;
  for (const auto& [spec, handle] : fonts_) {
    if (SameFont(spec, wanted)) return handle.get();
  }
  const int height = -static_cast<int>(wanted.points * dpi_ / 72.0 + 0.5);
  UniqueFont created(::CreateFontW(height, 0, 0, 0, wanted.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   CLEARTYPE_QUALITY, DEFAULT_PITCH, ToWide(wanted.face).c_str()));
  if (!created) throw Failure("Cannot create the font " + ToUtf8(AsWide(wanted.face)));
  fonts_.emplace_back(wanted, std::move(created));
  return fonts_.back().second.get();
}

HBRUSH Win32Form::BrushFor(Colour colour) {
  auto& brush = brushes_[colour];
  if (!brush) brush.reset(::CreateSolidBrush(ToColorRef(colour)));
  return brush.get();
}

Win32Control* Win32Form::ControlById(int id) {
  const auto index = static_cast<std::size_t>(id - kFirstControlId);
  return id >= kFirstControlId && index < controls_.size() ? controls_[index].get() : nullptr;
}

Win32Control* Win32Form::ControlByWindow(HWND window) {
  if (!window || ::GetParent(window) != window_) return nullptr;
  return ControlById(::GetDlgCtrlID(window));
}

Win32Control* Win32Form::FirstTabStop() {
  const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(), [](const auto* control) {
    return control->TakesFocus() && ::IsWindowEnabled(control->Window());
  });
  return first == tabOrder_.end() ? nullptr : *first;
}

Control& Win32Form::Find(std::string_view controlName) {
  for (const auto& control : controls_) {
    if (control->Name() == controlName) return *control;
  }
  throw Failure(spec_.name + " has no control " + std::string(controlName));
}

std::vector<Control*> Win32Form::Controls() {
  std::vector<Control*> controls;
  for (const auto& control : controls_) controls.push_back(control.get());
  return controls;
}

std::u16string Win32Form::Caption() const {
  const HWND window = RequireWindow();
  std::u16string caption(static_cast<std::size_t>(::GetWindowTextLengthW(window)), u'\0');
  const int copied = ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(caption.data()),
                                      static_cast<int>(caption.size()) + 1);
  caption.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return caption;
}

void Win32Form::SetCaption(std::u16string_view caption) {
  if (!::SetWindowTextW(RequireWindow(), ToWide(caption).c_str())) {
    ThrowLastError("Cannot set the caption of " + spec_.name);
  }
}

void Win32Form::SetIconToProgramIcon() {
  const HWND window = RequireWindow();
  const HINSTANCE program = ::GetModuleHandleW(nullptr);
  auto load = [program](int size) {
    HANDLE icon = ::LoadImageW(program, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED);
    return icon ? icon : ::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED);
  };
  ::SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(load(::GetSystemMetrics(SM_CXICON))));
  ::SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(load(::GetSystemMetrics(SM_CXSMICON))));
}

void Win32Form::SetBackColour(Colour colour) {
  background_ = colour;
  ::InvalidateRect(RequireWindow(), nullptr, TRUE);
}

void Win32Form::SetPointer(MousePointer pointer) {
  pointer_ = pointer;
  RefreshCursor();
}

// Shows a new pointer at once when the mouse is over this form.
void Win32Form::RefreshCursor() {
  POINT position{};
  if (!window_ || !::GetCursorPos(&position)) return;
  const HWND under = ::WindowFromPoint(position);
  if (!under || ::GetAncestor(under, GA_ROOT) != window_) return;
  ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void Win32Form::LoadCustomPointer(std::u16string_view cursorFile) {
  UniqueCursor cursor(static_cast<HCURSOR>(::LoadImageW(
      nullptr, ToWide(cursorFile).c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
  if (!cursor) ThrowLastError("Cannot load the pointer " + ToUtf8(AsWide(cursorFile)));
  customPointer_ = std::move(cursor);
  RefreshCursor();
}

void Win32Form::On(std::string_view control, ControlEvent event, std::function<void()> handler) {
  if (!control.empty()) Find(control);  // an unknown control is a mistake worth hearing of
  handlers_[{std::string(control), event}] = std::move(handler);
}

void Win32Form::OnCloseRequest(std::function<bool()> mayClose) {
  closeRequest_ = std::move(mayClose);
}

void Win32Form::OnQueryUnload(std::function<void()> handler) {
  queryUnload_ = std::move(handler);
}

void Win32Form::AddSystemMenuItem(SystemCommand command, std::u16string_view caption,
                                  std::function<void()> handler) {
  if (!IsItemCommand(command)) {
    throw Failure("A system menu item cannot have the number " + std::to_string(command));
  }
  const HMENU menu = ::GetSystemMenu(RequireWindow(), FALSE);
  if (!menu) ThrowLastError("Cannot get the system menu of " + spec_.name);
  if (systemCommands_.empty() && !::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr)) {
    ThrowLastError("Cannot add a separator to the system menu");
  }
  if (!::AppendMenuW(menu, MF_STRING, command, ToWide(caption).c_str())) {
    ThrowLastError("Cannot add an item to the system menu");
  }
  systemCommands_[command] = std::move(handler);
}

void Win32Form::Show() {
  const HWND window = RequireWindow();
  if (!::IsWindowVisible(window)) CentreOnScreen();
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  if (!lastFocus_) {
    if (Win32Control* first = FirstTabStop()) lastFocus_ = first->Window();
  }
  if (lastFocus_) ::SetFocus(lastFocus_);
}

void Win32Form::ShowMinimized() {
  const HWND window = RequireWindow();
  if (!::IsWindowVisible(window)) CentreOnScreen();
  ::ShowWindow(window, SW_SHOWMINNOACTIVE);
}

void Win32Form::BringToFront() {
  const HWND window = RequireWindow();
  if (!::IsWindowVisible(window)) CentreOnScreen();
  RestoreInFront(window);
}

// The close box's own command, so that the close takes its usual way.
void Win32Form::Close() {
  ::SendMessageW(RequireWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Win32Form::ShowModal() {
  const HWND window = RequireWindow();
  OtherWindowsDisabled others(window);
  beforeModalEnds_ = [&others] { others.RestoreBeforeTheModalGoes(); };
  // However the loop ends, the callback into this frame goes with it: a loop
  // ended by WM_QUIT leaves the form loaded, and a later Unload would call
  // through a dangling reference. The form is found again by its window, as
  // a handler may have deleted it.
  struct Modal {
    Win32Ui& ui;
    HWND window;
    ~Modal() {
      ui.ModalEnded(window);
      if (Win32Form* form = FromWindow(window)) form->beforeModalEnds_ = nullptr;
    }
  } modal{ui_, window};
  ui_.ModalShown(window);
  Show();
  // Only locals from here on: a handler may unload and even delete this form.
  MSG message{};
  while (::IsWindow(window)) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      break;
    }
    if (got < 0) break;
    DispatchWindowMessage(message);
  }
}

void Win32Form::Unload() {
  if (!window_) return;
  if (const auto beforeModalEnds = std::exchange(beforeModalEnds_, nullptr)) beforeModalEnds();
  ::DestroyWindow(window_);
}

}  // namespace fenlow::platform::win32
