#include "code_page_1252.h"

namespace kelvano::doubles {

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1. The five unassigned bytes map to
// the control characters of the same number, as Windows maps them.
constexpr wchar_t kHighControls[32] = {L'\u20AC', L'\u0081', L'\u201A', L'\u0192', L'\u201E', L'\u2026', L'\u2020',
                                       L'\u2021', L'\u02C6', L'\u2030', L'\u0160', L'\u2039', L'\u0152', L'\u008D',
                                       L'\u017D', L'\u008F', L'\u0090', L'\u2018', L'\u2019', L'\u201C', L'\u201D',
                                       L'\u2022', L'\u2013', L'\u2014', L'\u02DC', L'\u2122', L'\u0161', L'\u203A',
                                       L'\u0153', L'\u009D', L'\u017E', L'\u0178'};

char ToByte(wchar_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

std::string ToCodePage1252(const std::wstring& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t c : text) bytes.push_back(ToByte(c));
  return bytes;
}

std::wstring FromCodePage1252(const std::string& bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char b : bytes) {
    const auto byte = static_cast<unsigned char>(b);
    text.push_back(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<wchar_t>(byte));
  }
  return text;
}

}  // namespace kelvano::doubles
