// Where the stand-ins keep what must outlive the client process: state, failure rules,
// call counters and logs, all under HKEY_CURRENT_USER\Software\Kelvano Stand-ins:
//
//   Log\Driver, Log\Office      one REG_SZ value per log line, named "00000001", "00000002", ...
//   Driver                      InstalledPrinter (REG_SZ, empty = none), FailCreations (DWORD),
//                               Fail (REG_MULTI_SZ rules), Calls\<member> (DWORD counters)
//   Office\<ProgID>             Bars (REG_MULTI_SZ, see office_state.h), Fail, Calls\<member>
//
// Writers in several processes are serialised by one named mutex; appending a log line
// uses only kernel32 and advapi32, so it is safe from DLL_PROCESS_DETACH.
#pragma once

#include "unique_handles.h"

#include <string>
#include <string_view>
#include <vector>

namespace standin {

inline constexpr wchar_t kStoreKey[] = L"Software\\Kelvano Stand-ins";
inline constexpr wchar_t kDriverLog[] = L"Driver";
inline constexpr wchar_t kOfficeLog[] = L"Office";
inline constexpr wchar_t kDriverComponent[] = L"Driver";

// kStoreKey + "\" + sub.
std::wstring StorePath(std::wstring_view sub);
// "Office\<ProgID>".
std::wstring OfficeComponent(std::wstring_view progId);

// Holds the stand-ins' named mutex; waits at most a couple of seconds (an abandoned or
// stuck owner must not hang a client at process end), then goes on regardless.
class StoreLock {
 public:
  StoreLock();
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;
  ~StoreLock();

 private:
  UniqueHandle mutex_;
  bool owned_ = false;
};

void AppendLogLine(const wchar_t* log, std::wstring_view line) noexcept;
std::vector<std::wstring> ReadLogLines(const wchar_t* log);

inline constexpr wchar_t kInstalledPrinterValue[] = L"InstalledPrinter";
inline constexpr wchar_t kFailCreationsValue[] = L"FailCreations";
inline constexpr wchar_t kFailRulesValue[] = L"Fail";

struct CallOutcome {
  int number;  // 1 for the first call since the component was last set up or reset
  bool fail;   // a failure rule matches this call
};
// Counts a call of `member` on a component ("Driver" or "Office\<ProgID>") and answers whether
// the component's failure rules make this call fail. A rule is "member" (every call) or
// "member#N" (only the Nth call).
CallOutcome CountCall(const std::wstring& component, std::wstring_view member);
bool RuleMatches(std::wstring_view rule, std::wstring_view member, int callNumber);

}  // namespace standin
