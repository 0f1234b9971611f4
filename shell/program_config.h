// Values of the program that are set once, here.
#pragma once

#include <string_view>

namespace fenlow::config {

constexpr std::u16string_view kProductName = u"Fenlow";
// The address the error report asks the user to write to.
constexpr std::u16string_view kSupportAddress = u"support@fenlow.example";
// The host of the other product's page, opened by the "Other Software" button.
constexpr std::u16string_view kProductPageHost = u"www.fenlow.example";
// Settings store: application and section.
constexpr std::u16string_view kSettingsApplication = u"Kestrane";
constexpr std::u16string_view kSettingsSection = u"Fenlow";

}  // namespace fenlow::config
