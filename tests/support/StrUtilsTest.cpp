#include <gtest/gtest.h>

#include "StrUtils.h"

TEST(StrUtils, CutTokenWalksThroughTokens) {
  struct Case {
    std::wstring text, separator;
    std::vector<std::wstring> tokens;  // tokens of successive calls, until text is empty
  } cases[] = {
      {L"abc", L"=", {L"abc"}},
      {L"a$$$b$$$c", L"$$$", {L"a", L"b", L"c"}},
      {L"|a|", L"|", {L"", L"a"}},
      {L"key=val=ue", L"=", {L"key", L"val", L"ue"}},
      {L"a$$b", L"$$$", {L"a$$b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(c.text));
    std::wstring text = c.text;
    std::vector<std::wstring> got;
    do got.push_back(CutToken(text, c.separator));
    while (!text.empty() && got.size() < 10);
    EXPECT_EQ(got, c.tokens);
    EXPECT_EQ(CutToken(text, c.separator), L"");  // an empty text yields empty tokens
  }
}

TEST(StrUtils, TrimChars) {
  struct Case {
    std::wstring text, set;
    bool left, right;
    std::wstring expected;
  } cases[] = {
      {L"\\\\\\", L"\\", true, true, L""},
      {L"\\a\\b\\", L"\\", true, true, L"a\\b"},
      {L"\\a\\", L"\\", true, false, L"a\\"},
      {L"\\a\\", L"\\", false, true, L"\\a"},
      {L"\\a\\", L"\\", false, false, L"\\a\\"},
      {L" \t x \t", L" \t", true, true, L"x"},
      {L"", L"x", true, true, L""},
      {L"abc", L"", true, true, L"abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(TrimChars(c.text, c.set, c.left, c.right), c.expected);
  }
  EXPECT_EQ(TrimRightChars(L"\\a\\\\", L"\\"), L"\\a");
}

TEST(StrUtils, ReplaceAll) {
  struct Case {
    std::wstring text, pattern, replacement, expected;
  } cases[] = {
      {L"a|b|c|", L"|", L"\r\n", L"a\r\nb\r\nc\r\n"},
      {L"abc", L"", L"x", L"abc"},
      {L"abc", L"b", L"b", L"abc"},
      // text that a replacement forms with its neighbours is matched again
      {L"aab", L"ab", L"b", L"b"},
      {L"xaaabbby", L"ab", L"", L"xy"},
      {L"", L"a", L"b", L""},
      // a replacement containing the pattern ends instead of growing for ever
      {L"a&b&", L"&", L"&&", L"a&&b&&"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(ReplaceAll(c.text, c.pattern, c.replacement), c.expected);
  }
}

TEST(StrUtils, JoinPath) {
  struct Case {
    std::wstring directory, relative, expected;
  } cases[] = {
      {L"C:\\Prog\\", L"\\bin\\", L"C:\\Prog\\bin"},
      {L"\\\\srv\\share\\", L"x", L"\\\\srv\\share\\x"},
      {L"", L"\\x\\", L"x"},
      {L"C:\\", L"", L"C:\\"},
      {L"\\Prog", L"a", L"Prog\\a"},
      {L"C:\\Prog", L"sub\\file.dll", L"C:\\Prog\\sub\\file.dll"},
      {L"\\\\", L"x", L"\\x"},  // a bare "\\" loses its trailing backslashes
      {L"", L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.directory) + " + " + testing::PrintToString(c.relative));
    EXPECT_EQ(JoinPath(c.directory, c.relative), c.expected);
  }
}

TEST(StrUtils, LocaleComparisonIgnoresCase) {
  EXPECT_TRUE(SameTextLocale(L"Programme", L"PROGRAMME"));
  EXPECT_TRUE(SameTextLocale(L"\u00E4rger", L"\u00C4RGER"));
  EXPECT_LT(CompareTextLocale(L"apfel", L"Birne"), 0);
  EXPECT_GT(CompareTextLocale(L"b", L"A"), 0);
  EXPECT_EQ(AsciiUpperCase(L"eng/\u00E4x"), L"ENG/\u00E4X");
}
