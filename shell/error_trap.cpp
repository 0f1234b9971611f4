#include "shell/error_trap.h"

#include <exception>
#include <string>

#include "edits/engine/failure_text.h"
#include "shell/program_config.h"

namespace fenlow {

std::u16string ErrorReportText(std::u16string_view description, std::u16string_view location,
                               std::int32_t label) {
  std::u16string text(description);
  text += u"\r\n";
  text += location;
  text += u"at line ";
  std::string digits = std::to_string(label < 0 ? -static_cast<std::int64_t>(label) : label);
  text.append(digits.begin(), digits.end());
  text += u"\r\r";
  text += u"Please email screenshot of this message to ";
  text += config::kSupportAddress;
  return text;
}

std::u16string TrapLocation(std::u16string_view window, std::u16string_view procedure) {
  std::u16string location = u"in ";
  location += config::kProjectName;
  location += config::kBuildDate;
  location += u".";
  location += window;
  location += u".";
  location += procedure;
  location += u" ";
  return location;
}

std::u16string TrapLocation(std::string_view formName, std::u16string_view procedure) {
  return TrapLocation(std::u16string(formName.begin(), formName.end()), procedure);
}

void ShowErrorReport(platform::Ui& ui, std::u16string_view description,
                     std::u16string_view location, std::int32_t label) {
  ui.ShowMessage(ErrorReportText(description, location, label), platform::kMessageBoxExclamation,
                 u"Application Error");
}

std::u16string CurrentFailureDescription() {
  try {
    throw;
  } catch (const std::exception& failure) {
    return FailureText(failure);
  } catch (...) {
    return u"Unexpected failure";
  }
}

void ErrorTrap::Report(std::int32_t label) {
  std::u16string description = CurrentFailureDescription();
  try {
    ShowErrorReport(ui_, description, location_, label);
  } catch (...) {
    // The report itself could not be shown; the handler goes on regardless.
  }
}

}  // namespace fenlow
