#include "platform/win32/ansi_text.h"

#include <windows.h>

namespace kelvano::win32 {

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size : 0, '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  }
  return bytes;
}

std::wstring FromAnsi(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(size > 0 ? size : 0, L'\0');
  if (size > 0) {
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  }
  return text;
}

}  // namespace kelvano::win32
