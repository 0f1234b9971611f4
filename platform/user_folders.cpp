#include "platform/user_folders.h"

#include <cstdlib>
#include <cwchar>

namespace fenlow::platform {

std::optional<std::u16string> RoamingAppDataFolder() {
#ifdef _WIN32
  const wchar_t* folder = _wgetenv(L"APPDATA");
  if (folder == nullptr || *folder == L'\0') return std::nullopt;
  std::u16string path(folder, folder + std::wcslen(folder));
  while (!path.empty() && (path.back() == u'\\' || path.back() == u'/')) path.pop_back();
  return path;
#else
  return std::nullopt;
#endif
}

}  // namespace fenlow::platform
