// The whole platform in memory with fake Office applications, for the clean-up's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_office.h"
#include "platform_doubles.h"
#include "office/office_names.h"
#include "office/office_toolbars.h"
#include "platform/runtime_error.h"

namespace kelvano::testing {

struct OfficeRig : doubles::PlatformDoubles {
  doubles::FakeOffice office{automation};

  // Remove mode's clean-up; nothing may leave it, and nothing may stay behind.
  void RunCleanUp() {
    EXPECT_NO_THROW(RemoveOfficeToolbars(platform));
    EXPECT_EQ(doubles::FakeObject::Alive(), 0) << "an automation object was not released";
    EXPECT_EQ(registry.OpenHandles(), 0) << "a registry key was left open";
  }

  // The log lines of one application ("Excel"), without the plumbing of each call
  // (QueryInterface, Enumerate, Next) unless that plumbing failed.
  std::vector<std::wstring> CallsOf(const std::wstring& app) const {
    std::vector<std::wstring> calls;
    for (const std::wstring& line : automation.log) {
      if (!line.starts_with(app + L".") && !line.starts_with(L"create " + app + L".")) continue;
      const bool plumbing = line.find(L".QueryInterface(") != std::wstring::npos ||
                            line.find(L".Enumerate(") != std::wstring::npos ||
                            line.find(L".Next(") != std::wstring::npos;
      if (plumbing && !line.ends_with(L" -> failed")) continue;
      calls.push_back(line);
    }
    return calls;
  }
};

inline doubles::FakeBar Bar(std::wstring name, std::vector<doubles::FakeControl> controls = {}) {
  return {std::move(name), std::move(controls), {}, false};
}

inline doubles::FakeOfficeApp WithBars(std::vector<doubles::FakeBar> bars) { return {std::move(bars), {}, {}}; }

inline doubles::FakeControl TaggedButton() { return {ButtonTag, 1, true, {}, false}; }

inline std::vector<bool> DeletedBars(const doubles::FakeOfficeApp& app) {
  std::vector<bool> deleted;
  for (const doubles::FakeBar& bar : app.bars) deleted.push_back(bar.deleted);
  return deleted;
}

}  // namespace kelvano::testing
