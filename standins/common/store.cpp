#include "store.h"

#include "registry.h"

#include <cstdio>
#include <cwchar>

namespace standin {

namespace {

constexpr wchar_t kMutexName[] = L"Local\\Kelvano Stand-ins Store";
constexpr DWORD kLockTimeoutMs = 2000;

std::wstring LogPath(const wchar_t* log) { return StorePath(std::wstring(L"Log\\") + log); }

std::wstring LineValueName(DWORD number) {
  wchar_t name[16];
  std::swprintf(name, 16, L"%08lu", static_cast<unsigned long>(number));
  return name;
}

}  // namespace

std::wstring StorePath(std::wstring_view sub) {
  std::wstring path = kStoreKey;
  if (!sub.empty()) {
    path += L'\\';
    path += sub;
  }
  return path;
}

std::wstring OfficeComponent(std::wstring_view progId) { return L"Office\\" + std::wstring(progId); }

StoreLock::StoreLock() : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  if (mutex_) {
    const DWORD wait = WaitForSingleObject(mutex_.get(), kLockTimeoutMs);
    owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
}

StoreLock::~StoreLock() {
  if (owned_) ReleaseMutex(mutex_.get());
}

void AppendLogLine(const wchar_t* log, std::wstring_view line) noexcept {
  try {
    StoreLock lock;
    const UniqueHKey key = CreateKey(HKEY_CURRENT_USER, LogPath(log));
    WriteString(key.get(), LineValueName(ValueCount(key.get()) + 1).c_str(), std::wstring(line));
  } catch (...) {
    // Out of memory at process end: the line is lost, the client must not crash for it.
  }
}

std::vector<std::wstring> ReadLogLines(const wchar_t* log) {
  std::vector<std::wstring> lines;
  StoreLock lock;
  const UniqueHKey key = OpenKey(HKEY_CURRENT_USER, LogPath(log));
  const DWORD count = ValueCount(key.get());
  for (DWORD n = 1; n <= count; ++n) {
    lines.push_back(ReadString(key.get(), LineValueName(n).c_str()).value_or(L"<missing line>"));
  }
  return lines;
}

bool RuleMatches(std::wstring_view rule, std::wstring_view member, int callNumber) {
  const size_t hash = rule.find(L'#');
  if (rule.substr(0, hash) != member) return false;
  if (hash == std::wstring_view::npos) return true;
  const std::wstring number(rule.substr(hash + 1));
  return std::wcstol(number.c_str(), nullptr, 10) == callNumber;
}

CallOutcome CountCall(const std::wstring& component, std::wstring_view member) {
  StoreLock lock;
  const std::wstring name(member);
  const UniqueHKey calls = CreateKey(HKEY_CURRENT_USER, StorePath(component + L"\\Calls"));
  const int number = static_cast<int>(ReadDword(calls.get(), name.c_str()).value_or(0)) + 1;
  WriteDword(calls.get(), name.c_str(), static_cast<DWORD>(number));

  const UniqueHKey settings = OpenKey(HKEY_CURRENT_USER, StorePath(component));
  for (const auto& rule : ReadMultiString(settings.get(), kFailRulesValue)) {
    if (RuleMatches(rule, member, number)) return {number, true};
  }
  return {number, false};
}

}  // namespace standin
