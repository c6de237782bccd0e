// The real automation coercion (VarI4FromStr) against the shared table.
#include <gtest/gtest.h>

#include "../shared/int32_conversion_cases.h"
#include "platform/runtime_error.h"
#include "platform/win32/automation_win32.h"

namespace kelvano {
namespace {

TEST(Int32Conversion, RealCoercionFollowsTheTable) {
  win32::Win32Automation automation;
  for (const cases::Int32Conversion& c : cases::kInt32Conversions) {
    SCOPED_TRACE(testing::Message() << "text: \"" << c.text << "\"");
    try {
      const std::int32_t value = automation.ToInt32(std::wstring(c.text));
      EXPECT_EQ(c.outcome, cases::Outcome::kValue);
      EXPECT_EQ(value, c.value);
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), c.outcome == cases::Outcome::kOverflow ? errors::kOverflow : errors::kTypeMismatch);
      EXPECT_NE(c.outcome, cases::Outcome::kValue) << "raised " << error.Number();
    }
  }
}

}  // namespace
}  // namespace kelvano
