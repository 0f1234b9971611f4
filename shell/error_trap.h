// The numbered-line error trap of the event handlers. A trapped handler runs
// its statements in order, each under its line label; a statement that fails
// shows the error report (naming the handler and the label) and the handler
// goes on with the next statement:
//
//   ErrorTrap trap(ui, u"in Fenlowpad2021/08/31.Form1.Form_Load ");
//   trap(100, [&] { ApplySkin(); });
//   if (trap.Test(106, [&] { return FileExists(path); }))  // a failing test enters the branch
//     trap(108, [&] { form.LoadCustomPointer(path); });
//
// A failure inside a helper called by a statement is reported with the
// handler's location and the label of that statement.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui.h"

namespace fenlow {

// The report text: description, CR LF, location, "at line ", label, CR, CR,
// "Please email screenshot of this message to ", the support address.
[[nodiscard]] std::u16string ErrorReportText(std::u16string_view description,
                                             std::u16string_view location, std::int32_t label);

// The location text of a trapped procedure: "in Fenlowpad2021/08/31.Form1.Form_Load ".
[[nodiscard]] std::u16string TrapLocation(std::u16string_view window,
                                          std::u16string_view procedure);
// The same for a form by the name its layout gives it (ASCII).
[[nodiscard]] std::u16string TrapLocation(std::string_view formName, std::u16string_view procedure);

// Shows the report (title "Application Error", style 48) and waits until the user closes it.
void ShowErrorReport(platform::Ui& ui, std::u16string_view description,
                     std::u16string_view location, std::int32_t label);

// The description text of the exception being handled.
[[nodiscard]] std::u16string CurrentFailureDescription();

class ErrorTrap {
 public:
  ErrorTrap(platform::Ui& ui, std::u16string_view location) : ui_(ui), location_(location) {}

  // Runs one statement; on failure reports it and returns normally.
  template <typename Statement>
  void operator()(std::int32_t label, Statement&& statement) {
    try {
      statement();
    } catch (...) {
      Report(label);
    }
  }

  // Evaluates a condition; on failure reports it and answers true.
  template <typename Condition>
  bool Test(std::int32_t label, Condition&& condition) {
    try {
      return static_cast<bool>(condition());
    } catch (...) {
      Report(label);
      return true;
    }
  }

 private:
  void Report(std::int32_t label);

  platform::Ui& ui_;
  std::u16string location_;
};

// Ignoring mode: runs a statement and drops any failure without a word.
template <typename Statement>
bool RunIgnoringFailure(Statement&& statement) {
  try {
    statement();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace fenlow
