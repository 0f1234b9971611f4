// Values of the program that are set once, here.
#pragma once

#include <string_view>

namespace fenlow::config {

constexpr std::u16string_view kProductName = u"Fenlow";
// The project name and build date that the error report's locations name;
// fixed texts, never computed at run time.
constexpr std::u16string_view kProjectName = u"Fenlowpad";
constexpr std::u16string_view kBuildDate = u"2021/08/31";
// The address the error report asks the user to write to.
constexpr std::u16string_view kSupportAddress = u"support@fenlow.example";
// The host of the other product's page, opened by the "Other Software" button.
constexpr std::u16string_view kProductPageHost = u"www.fenlow.example";

}  // namespace fenlow::config
