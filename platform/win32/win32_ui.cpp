#include "platform/win32/win32_ui.h"

#include <algorithm>

#include "platform/win32/win32_dispatch.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {

std::unique_ptr<Form> Win32Ui::CreateForm(const FormSpec& spec) {
  return std::make_unique<Win32Form>(*this, spec);
}

std::vector<Form*> Win32Ui::LoadedForms() {
  return {loaded_.begin(), loaded_.end()};
}

void Win32Ui::ShowMessage(std::u16string_view text, int style,
                          std::optional<std::u16string_view> title) {
  // Every window of the program is disabled while the box is open, and its
  // own loop keeps dispatching their messages.
  if (!ShowMessageBoxOverActiveWindow(ToWide(text), ToWide(title ? *title : title_),
                                      static_cast<UINT>(style))) {
    ThrowLastError("Cannot show the message");
  }
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
