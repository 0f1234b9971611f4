// Forms, message boxes and the main loop on real Win32 windows.
#pragma once

#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "platform/ui.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {

class Win32Form;

class Win32Ui final : public Ui {
 public:
  Win32Ui();

  std::unique_ptr<Form> CreateForm(const FormSpec& spec) override;
  std::vector<Form*> LoadedForms() override;
  void ShowMessage(std::u16string_view text, int style,
                   std::optional<std::u16string_view> title) override;
  bool AskYesNo(std::u16string_view text, std::optional<std::u16string_view> title) override;
  std::u16string ApplicationTitle() const override;
  void SetApplicationTitle(std::u16string_view title) override;
  // A failure that escaped an event handler run by the message loop is
  // thrown from here once the loop has dispatched that message.
  void RunUntilUnloaded(Form& mainForm) override;
  // Each task is a message of its own to a hidden message-only window, so
  // that every loop of the thread, modal ones included, dispatches it.
  void Post(std::function<void()> task) override;
  // A timer of the task window: every loop of the thread dispatches it too.
  void PostAfter(std::chrono::milliseconds delay, std::function<void()> task) override;
  // A locked queue of its own, one message to the task window per task.
  void PostFromAnyThread(std::function<void()> task) override;
  bool BringModalToFront() override;
  WindowHandle ForegroundWindow() override;
  void ActivateWindow(WindowHandle window) override;

  // Bookkeeping of the forms' windows, called by the forms themselves.
  void Loaded(Win32Form& form);
  void Unloaded(Win32Form& form);
  // Keeps a failure that a window procedure caught (it may not cross it).
  void KeepFailure(std::exception_ptr failure);
  // The forms shown modally, innermost last, for BringModalToFront.
  void ModalShown(HWND window) { modal_.push_back(window); }
  void ModalEnded(HWND window) { std::erase(modal_, window); }

 private:
  // A message box; the button the user pressed.
  int Box(std::u16string_view text, UINT style, std::optional<std::u16string_view> title);
  void RethrowKeptFailure();
  static LRESULT CALLBACK TaskWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);
  void RunNextTask();
  void RunNextTaskFromThreads();
  void RunTimedTask(UINT_PTR timer);

  std::vector<Win32Form*> loaded_;
  std::u16string title_ = u"Fenlow";
  std::exception_ptr keptFailure_;
  std::deque<std::function<void()>> tasks_;
  std::mutex tasksFromThreadsLock_;
  std::deque<std::function<void()>> tasksFromThreads_;    // guarded by tasksFromThreadsLock_
  std::map<UINT_PTR, std::function<void()>> timedTasks_;  // by timer
  UINT_PTR lastTimer_ = 0;
  UniqueWindow taskWindow_;
  std::vector<HWND> modal_;
  int messageBoxesOpen_ = 0;
};

}  // namespace fenlow::platform::win32
