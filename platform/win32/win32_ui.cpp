#include "platform/win32/win32_ui.h"

#include <algorithm>

#include "platform/win32/win32_dispatch.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {
namespace {

constexpr wchar_t kTaskWindowClass[] = L"FenlowTasks";
constexpr UINT kRunPostedTask = WM_APP + 1;
constexpr UINT kRunTaskFromThread = WM_APP + 2;

}  // namespace

Win32Ui::Win32Ui() {
  RegisterWindowClass(kTaskWindowClass, &Win32Ui::TaskWindowProcedure);
  taskWindow_.reset(::CreateWindowExW(0, kTaskWindowClass, L"Fenlow tasks", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr), this));
  if (!taskWindow_) ThrowLastError("Cannot create the task window");
}

std::unique_ptr<Form> Win32Ui::CreateForm(const FormSpec& spec) {
  return std::make_unique<Win32Form>(*this, spec);
}

std::vector<Form*> Win32Ui::LoadedForms() {
  return {loaded_.begin(), loaded_.end()};
}

void Win32Ui::ShowMessage(std::u16string_view text, int style,
                          std::optional<std::u16string_view> title) {
  (void)Box(text, static_cast<UINT>(style), title);
}

bool Win32Ui::AskYesNo(std::u16string_view text, std::optional<std::u16string_view> title) {
  return Box(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, title) == IDYES;
}

// Every window of the program is disabled while the box is open, and its
// own loop keeps dispatching their messages.
int Win32Ui::Box(std::u16string_view text, UINT style, std::optional<std::u16string_view> title) {
  ++messageBoxesOpen_;
  const int answer =
      ShowMessageBoxOverActiveWindow(ToWide(text), ToWide(title ? *title : title_), style);
  --messageBoxesOpen_;
  if (!answer) ThrowLastError("Cannot show the message");
  return answer;
}

namespace {

BOOL CALLBACK FindMessageBox(HWND window, LPARAM result) noexcept {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (std::wstring_view(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(result) = window;
  return FALSE;
}

// A message box of this thread on the screen, or nullptr.
HWND OpenMessageBox() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

bool Win32Ui::BringModalToFront() {
  if (messageBoxesOpen_ > 0) {
    if (const HWND box = OpenMessageBox()) RestoreInFront(box);
    return true;
  }
  if (modal_.empty()) return false;
  RestoreInFront(modal_.back());
  return true;
}

WindowHandle Win32Ui::ForegroundWindow() {
  return ToHandle(::GetForegroundWindow());
}

void Win32Ui::ActivateWindow(WindowHandle window) {
  if (::IsWindow(ToHwnd(window))) ::SetForegroundWindow(ToHwnd(window));
}

std::u16string Win32Ui::ApplicationTitle() const {
  return title_;
}

void Win32Ui::SetApplicationTitle(std::u16string_view title) {
  title_ = title;
}

void Win32Ui::RunUntilUnloaded(Form& mainForm) {
  if (!mainForm.IsLoaded()) return;
  const HWND window = ToHwnd(mainForm.Handle());
  MSG message{};
  while (::IsWindow(window)) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) break;  // WM_QUIT or an invalid call
    DispatchWindowMessage(message);
    RethrowKeptFailure();
  }
  RethrowKeptFailure();
}

void Win32Ui::Post(std::function<void()> task) {
  tasks_.push_back(std::move(task));
  if (!::PostMessageW(taskWindow_.get(), kRunPostedTask, 0, 0)) {
    tasks_.pop_back();
    ThrowLastError("Cannot post a task to the message loop");
  }
}

void Win32Ui::PostAfter(std::chrono::milliseconds delay, std::function<void()> task) {
  const UINT_PTR timer = ++lastTimer_;
  timedTasks_[timer] = std::move(task);
  const auto milliseconds = std::clamp<std::chrono::milliseconds::rep>(
      delay.count(), USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  if (!::SetTimer(taskWindow_.get(), timer, static_cast<UINT>(milliseconds), nullptr)) {
    timedTasks_.erase(timer);
    ThrowLastError("Cannot set a timer");
  }
}

// The window outlives every call: its handle is read once made, never changed.
void Win32Ui::PostFromAnyThread(std::function<void()> task) {
  const std::lock_guard lock(tasksFromThreadsLock_);
  tasksFromThreads_.push_back(std::move(task));
  if (!::PostMessageW(taskWindow_.get(), kRunTaskFromThread, 0, 0)) {
    tasksFromThreads_.pop_back();
    ThrowLastError("Cannot post a task to the window's thread");
  }
}

LRESULT CALLBACK Win32Ui::TaskWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
  }
  auto* ui = reinterpret_cast<Win32Ui*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  const bool task =
      message == kRunPostedTask || message == kRunTaskFromThread || message == WM_TIMER;
  if (!task || ui == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  try {
    if (message == WM_TIMER) {
      ui->RunTimedTask(wParam);
    } else if (message == kRunTaskFromThread) {
      ui->RunNextTaskFromThreads();
    } else {
      ui->RunNextTask();
    }
  } catch (...) {
    ui->KeepFailure(std::current_exception());  // no exception may cross a window procedure
  }
  return 0;
}

// One message per task: the oldest task runs.
void Win32Ui::RunNextTask() {
  if (tasks_.empty()) return;
  std::function<void()> task = std::move(tasks_.front());
  tasks_.pop_front();
  task();
}

void Win32Ui::RunNextTaskFromThreads() {
  std::function<void()> task;
  {
    const std::lock_guard lock(tasksFromThreadsLock_);
    if (tasksFromThreads_.empty()) return;
    task = std::move(tasksFromThreads_.front());
    tasksFromThreads_.pop_front();
  }
  task();
}

// A timer fires again and again until killed: each task runs once.
void Win32Ui::RunTimedTask(UINT_PTR timer) {
  ::KillTimer(taskWindow_.get(), timer);
  const auto found = timedTasks_.find(timer);
  if (found == timedTasks_.end()) return;
  std::function<void()> task = std::move(found->second);
  timedTasks_.erase(found);
  task();
}

void Win32Ui::Loaded(Win32Form& form) {
  loaded_.push_back(&form);
}

void Win32Ui::Unloaded(Win32Form& form) {
  std::erase(loaded_, &form);
  // A window closed by a sent message (another program's WM_CLOSE, the
  // system's WM_ENDSESSION) is destroyed inside GetMessageW, which would then
  // wait on for a posted message: wake the loops so they see it is gone.
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Win32Ui::KeepFailure(std::exception_ptr failure) {
  if (!keptFailure_) keptFailure_ = std::move(failure);
}

void Win32Ui::RethrowKeptFailure() {
  if (!keptFailure_) return;
  std::rethrow_exception(std::exchange(keptFailure_, nullptr));
}

}  // namespace fenlow::platform::win32
