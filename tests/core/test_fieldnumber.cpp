// Number fields: what reads as a number, and the fallback text of the last good value.
#include "core/TFieldNumber.h"

#include <gtest/gtest.h>

using namespace LISTSTRUCT;

TEST(FieldNumber, ReadsDecimalsAndFallsBackToShortText) {
  EXPECT_EQ(FieldFallbackText(0.0f), "0.0");
  EXPECT_EQ(FieldFallbackText(-0.01f), "0.0");
  EXPECT_EQ(FieldFallbackText(-2.5f), "-2.5");
  EXPECT_EQ(FieldFallbackText(0.12345f), "0.1");
  EXPECT_EQ(FieldFallbackText(1234.56f), "1235.0");
  EXPECT_EQ(FieldFallbackText(9999.6f), "1.000E+04");
  EXPECT_EQ(FieldFallbackText(12345.6f), "1.235E+04");
  EXPECT_EQ(FieldFallbackText(-3e20f), "-3.000E+20");

  float value = 7.0f;
  const std::pair<const char*, float> good[] = {
      {"1e3", 1000.0f}, {" 2.5 ", 2.5f}, {"+2", 2.0f}, {"-0.25", -0.25f}, {".5", 0.5f}};
  for (const auto& [text, expected] : good) {
    EXPECT_TRUE(ParseFieldNumber(text, value)) << text;
    EXPECT_EQ(value, expected) << text;
  }
  for (const char* bad :
       {"", " ", "-", "+", "1,5", "abc", "2x", "inf", "nan", "+-1", "++1", "1e99"})
    EXPECT_FALSE(ParseFieldNumber(bad, value)) << bad;
  EXPECT_EQ(value, 0.5f); // a refused text leaves the value alone
}
