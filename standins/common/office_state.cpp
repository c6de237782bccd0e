#include "office_state.h"

#include "registry.h"
#include "store.h"

#include <cwchar>

namespace standin {

namespace {

constexpr wchar_t kBarsValue[] = L"Bars";

std::wstring Field(std::wstring text) {
  for (auto& c : text) {
    if (c == L'\t') c = L' ';
  }
  return text;
}

std::vector<std::wstring> SplitTabs(const std::wstring& record) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = record.find(L'\t', start);
    fields.push_back(record.substr(start, tab == std::wstring::npos ? tab : tab - start));
    if (tab == std::wstring::npos) return fields;
    start = tab + 1;
  }
}

int Number(const std::wstring& text) { return static_cast<int>(std::wcstol(text.c_str(), nullptr, 10)); }

}  // namespace

std::vector<std::wstring> EncodeBars(const std::vector<StoredBar>& bars) {
  std::vector<std::wstring> records;
  for (const auto& bar : bars) {
    records.push_back(L"bar\t" + std::to_wstring(bar.id) + L"\t" + Field(bar.name));
    for (const auto& control : bar.controls) {
      records.push_back(L"control\t" + std::to_wstring(control.id) + L"\t" + std::to_wstring(control.type) + L"\t" +
                        Field(control.tag) + L"\t" + Field(control.caption));
    }
  }
  return records;
}

std::vector<StoredBar> DecodeBars(const std::vector<std::wstring>& records) {
  std::vector<StoredBar> bars;
  for (const auto& record : records) {
    const auto fields = SplitTabs(record);
    if (fields[0] == L"bar" && fields.size() >= 3) {
      bars.push_back({Number(fields[1]), fields[2], {}});
    } else if (fields[0] == L"control" && fields.size() >= 5 && !bars.empty()) {
      bars.back().controls.push_back({Number(fields[1]), Number(fields[2]), fields[3], fields[4]});
    }
  }
  return bars;
}

std::vector<StoredBar> LoadBars(std::wstring_view progId) {
  const UniqueHKey key = OpenKey(HKEY_CURRENT_USER, StorePath(OfficeComponent(progId)));
  return DecodeBars(ReadMultiString(key.get(), kBarsValue));
}

void SaveBars(std::wstring_view progId, const std::vector<StoredBar>& bars) {
  const UniqueHKey key = CreateKey(HKEY_CURRENT_USER, StorePath(OfficeComponent(progId)));
  WriteMultiString(key.get(), kBarsValue, EncodeBars(bars));
}

void ModifyBars(std::wstring_view progId, const std::function<void(std::vector<StoredBar>&)>& change) {
  StoreLock lock;
  auto bars = LoadBars(progId);
  change(bars);
  SaveBars(progId, bars);
}

}  // namespace standin
