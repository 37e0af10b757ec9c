#include <gtest/gtest.h>

#include "CmdLine.h"

TEST(CmdLine, SplitsLikeTheProgramsCommandLine) {
  struct Case {
    std::wstring line;
    TCmdArgs words;
  } cases[] = {
      {L"setup.exe", {L"setup.exe"}},
      {L"\"C:\\Program Files\\setup.exe\" eng", {L"C:\\Program Files\\setup.exe", L"eng"}},
      {L"setup  APPDIR=\"C:\\My Dir\"\tger", {L"setup", L"APPDIR=C:\\My Dir", L"ger"}},
      {L"setup \"\" x", {L"setup", L"x"}},
      {L"setup a\"b c\"d", {L"setup", L"ab cd"}},
      {L"setup \"unclosed word", {L"setup", L"unclosed word"}},
      {L"setup a\\\"b", {L"setup", L"a\\b"}},  // no escapes: the backslash stays, the quote opens
      {L"  ", {}},
      {L"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.line));
    EXPECT_EQ(SplitCommandLine(c.line), c.words);
  }
}

TEST(CmdLine, SwitchMatching) {
  const TCmdArgs args = {L"/APPDIR=C:\\Data", L"eng", L"-DATADIR", L"datadir=second", L"/x-ger"};
  struct Case {
    std::wstring name;
    bool found;
    std::wstring value;
  } cases[] = {
      {L"APPDIR", true, L"C:\\Data"},
      {L"appdir", true, L"C:\\Data"},
      {L"eng", true, L""},
      {L"ENG", true, L""},
      {L"ger", false, L""},  // "/x-ger" has the name at position 4
      {L"DATADIR", true, L""},  // the first matching argument counts, even without a value
      {L"APP", true, L"C:\\Data"},  // the name only has to begin the argument
      {L"Data", true, L""},  // matches "-DATADIR"; "/APPDIR=C:\\Data" has it too late
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.name));
    std::wstring value = L"old";
    EXPECT_EQ(GetCmdLineSwitch(args, c.name, value), c.found);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(HasCmdLineSwitch(args, c.name), c.found);
    EXPECT_EQ(CmdLineSwitchValue(args, c.name), c.value);
  }
}

TEST(CmdLine, SwitchPrefixes) {
  struct Case {
    std::wstring arg;
    bool matchesEng;
  } cases[] = {
      {L"eng", true},  {L"/eng", true},     {L"-ENG", true}, {L"/english", true}, {L"engine", true},
      {L"/x-eng", false}, {L"--eng", false}, {L"xeng", false}, {L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.arg));
    EXPECT_EQ(HasCmdLineSwitch(TCmdArgs{c.arg}, L"eng"), c.matchesEng);
  }
}

TEST(CmdLine, QuotedParams) {
  EXPECT_EQ(QuotedParams(TCmdArgs{L"a b", L"c"}), L"\"a b\"  \"c\"");
  EXPECT_EQ(QuotedParams(TCmdArgs{}), L"");
  EXPECT_EQ(QuotedParams(TCmdArgs{L"x\"y"}), L"\"x\"y\"");
}
