// The portable coercion in the doubles follows the same table as the real one.
#include <gtest/gtest.h>

#include "../shared/int32_conversion_cases.h"
#include "platform/runtime_error.h"
#include "text_to_int32.h"

namespace kelvano {
namespace {

TEST(Int32Conversion, PortableCoercionFollowsTheTable) {
  for (const cases::Int32Conversion& c : cases::kInt32Conversions) {
    SCOPED_TRACE(::testing::Message() << "case: " << (&c - cases::kInt32Conversions));
    try {
      EXPECT_EQ(doubles::TextToInt32(c.text), c.value);
      EXPECT_EQ(c.outcome, cases::Outcome::kValue);
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), c.outcome == cases::Outcome::kOverflow ? errors::kOverflow : errors::kTypeMismatch);
      EXPECT_NE(c.outcome, cases::Outcome::kValue) << "raised " << error.Number();
    }
  }
}

}  // namespace
}  // namespace kelvano
