#include "platform/win32/win32_settings.h"

#include "platform/win32/win32_support.h"

namespace fenlow::platform::win32 {
namespace {

std::wstring SectionKeyPath(std::u16string_view application, std::u16string_view section) {
  return L"Software\\" + ToWide(application) + L"\\" + ToWide(section);
}

}  // namespace

std::u16string Win32SettingsStore::Read(std::u16string_view application,
                                        std::u16string_view section, std::u16string_view key,
                                        std::u16string_view fallback) {
  const std::wstring path = SectionKeyPath(application, section);
  const std::wstring name = ToWide(key);
  DWORD bytes = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS) {
    return std::u16string(fallback);
  }
  std::u16string value(bytes / sizeof(char16_t), u'\0');
  if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &bytes) != ERROR_SUCCESS) {
    return std::u16string(fallback);
  }
  value.resize(std::char_traits<char16_t>::length(value.c_str()));  // drop the stored NUL
  return value;
}

void Win32SettingsStore::Write(std::u16string_view application, std::u16string_view section,
                               std::u16string_view key, std::u16string_view value) {
  HKEY opened = nullptr;
  const std::wstring path = SectionKeyPath(application, section);
  const LSTATUS created = ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                            KEY_SET_VALUE, nullptr, &opened, nullptr);
  if (created != ERROR_SUCCESS) ThrowSystemError("Cannot open the settings", created);
  const UniqueRegistryKey sectionKey(opened);
  const std::wstring name = ToWide(key);
  const std::wstring text = ToWide(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  const LSTATUS stored = ::RegSetValueExW(sectionKey.get(), name.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(text.c_str()), bytes);
  if (stored != ERROR_SUCCESS) ThrowSystemError("Cannot store the setting", stored);
}

}  // namespace fenlow::platform::win32
