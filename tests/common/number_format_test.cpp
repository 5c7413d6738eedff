#include "common/number_format.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(NumberFormat, WritesTheGeneralFloatingForm) {
  struct Row {
    double value;
    const char* text;
  };
  const Row rows[] = {
      {1 / 29.97, "0.0333667000333667"},
      {29.97 * 2, "59.94"},
      {29.97, "29.97"},
      {25.0, "25"},
      {1.0, "1"},
      {0.5, "0.5"},
      {-3.25, "-3.25"},
      {1e20, "1E+20"},
      {0.00001, "1E-5"},
      {0.0001, "0.0001"},
      {123456789012345.0, "123456789012345"},
      {0.0, "0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(FormatGeneral(row.value), row.text);
  }
}

TEST(NumberFormat, ReadsOnlyWholeNumbers) {
  EXPECT_EQ(ParseDouble("29.97"), 29.97);
  EXPECT_EQ(ParseDouble(" 2 "), 2.0);
  EXPECT_EQ(ParseDouble("1E-5"), 0.00001);
  EXPECT_FALSE(ParseDouble("abc"));
  EXPECT_FALSE(ParseDouble(""));
  EXPECT_FALSE(ParseDouble("2x"));
  EXPECT_FALSE(ParseDouble("0x10")) << "hexadecimal is not a decimal number";
  EXPECT_FALSE(ParseDouble("inf"));
  EXPECT_EQ(ParseInteger("-12"), -12);
  EXPECT_FALSE(ParseInteger("1.5"));
  EXPECT_FALSE(ParseInteger("-"));
  EXPECT_FALSE(ParseInteger("99999999999999999999"));
}

}  // namespace
}  // namespace sf
