// An Office stand-in application's command bars as stored in the registry: value "Bars"
// (REG_MULTI_SZ) of Office\<ProgID>, one record per entry, fields separated by tabs:
//   "bar\t<id>\t<name>"                              a bar, in the application's order
//   "control\t<id>\t<type>\t<tag>\t<caption>"       a control of the bar before it
// Ids are given when the state is set up and stay with their bar or control, so live COM
// objects keep pointing at the right one while others are deleted. Tabs in texts become spaces.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct StoredControl {
  int id = 0;
  int type = 1;
  std::wstring tag;
  std::wstring caption;
};

struct StoredBar {
  int id = 0;
  std::wstring name;
  std::vector<StoredControl> controls;
};

std::vector<std::wstring> EncodeBars(const std::vector<StoredBar>& bars);
std::vector<StoredBar> DecodeBars(const std::vector<std::wstring>& records);

std::vector<StoredBar> LoadBars(std::wstring_view progId);
void SaveBars(std::wstring_view progId, const std::vector<StoredBar>& bars);
// Read, change and write back under the store lock.
void ModifyBars(std::wstring_view progId, const std::function<void(std::vector<StoredBar>&)>& change);

}  // namespace standin
