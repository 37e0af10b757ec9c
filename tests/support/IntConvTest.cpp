#include <gtest/gtest.h>

#include "Exceptions.h"
#include "IntConv.h"

TEST(IntConv, ValidNumbers) {
  struct Case {
    std::wstring text;
    int expected;
  } cases[] = {
      {L"5", 5},
      {L"  42", 42},
      {L"-17", -17},
      {L"+3", 3},
      {L"$1F", 31},
      {L"$1f", 31},
      {L"x10", 16},
      {L"X10", 16},
      {L"0x1A", 26},
      {L"0X1a", 26},
      {L"-$10", -16},
      {L"2147483647", 2147483647},
      {L"-2147483648", -2147483647 - 1},
      {L"$FFFFFFFF", -1},
      {L"$80000000", -2147483647 - 1},
      {L"007", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(StrToInt(c.text), c.expected);
  }
}

TEST(IntConv, InvalidNumbersRaiseTheConversionError) {
  const std::wstring cases[] = {L"",        L" ",          L"12abc",       L"2147483648", L"-2147483649",
                                L"$",       L"0x",         L"$100000000",  L"1 ",         L"\t5",
                                L"--1",     L"99999999999999999999999999", L"1.5",        L"\"5\""};
  for (const std::wstring& text : cases) {
    SCOPED_TRACE(testing::PrintToString(text));
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), L"''" + text + L"'' ist kein g\u00FCltiger Integer-Wert");
    }
    int value = 1234;
    EXPECT_FALSE(TryStrToInt(text, value));
    EXPECT_EQ(value, 1234);
  }
}
