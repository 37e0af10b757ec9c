#include <gtest/gtest.h>

#include "Exceptions.h"
#include "Format.h"

TEST(Format, Placeholders) {
  struct Case {
    std::wstring format;
    std::wstring expected;
  } cases[] = {
      {L"%s nach", L"a.dll nach"},
      {L"%0:s ist %1:d", L"a.dll ist 42"},
      {L"%1:d vor %0:s", L"42 vor a.dll"},
      {L"%1:d dann %s", L"42 dann -7"},  // after an indexed placeholder the next argument follows
      {L"100%% %s", L"100% a.dll"},
      {L"[%8s]", L"[   a.dll]"},
      {L"[%-8s]", L"[a.dll   ]"},
      {L"[%.3s]", L"[a.d]"},
      {L"no placeholders", L"no placeholders"},
      {L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.format));
    EXPECT_EQ(Format(c.format, {L"a.dll", 42, L"-7"}), c.expected);
  }
}

TEST(Format, Numbers) {
  struct Case {
    std::wstring format;
    long long value;
    std::wstring expected;
  } cases[] = {
      {L"%d", 0, L"0"},
      {L"%d", -2147483647LL - 1, L"-2147483648"},
      {L"%d", 4294967296LL, L"4294967296"},
      {L"%x", 255, L"FF"},
      {L"%x", -1, L"FFFFFFFF"},
      {L"%u", -1, L"4294967295"},
      {L"%.4d", 42, L"0042"},
      {L"%.4d", -42, L"-0042"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.format) + " " + std::to_string(c.value));
    EXPECT_EQ(Format(c.format, {c.value}), c.expected);
  }
}

TEST(Format, MalformedFormatRaisesTheProgramsError) {
  struct Case {
    std::wstring format;
  } cases[] = {
      {L"%s %s %s"},   // more placeholders than arguments
      {L"%5:s"},       // index past the arguments
      {L"%d"},         // text argument for a number
      {L"%1:s"},       // number argument for a text
      {L"trailing %"},
      {L"%q"},
      {L"%.s"},
      {L"%99999999999999999999:s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.format));
    try {
      Format(c.format, {L"text", 1});
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_NE(e.Message().find(c.format), std::wstring::npos) << testing::PrintToString(e.Message());
      EXPECT_NE(e.Message().find(L"ung\u00FCltig"), std::wstring::npos);
    }
  }
}
