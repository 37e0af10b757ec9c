#include "CmdLine.h"

#include <windows.h>

#include "StrUtils.h"

TCmdArgs SplitCommandLine(const std::wstring& commandLine) {
  TCmdArgs words;
  size_t pos = 0;
  const size_t n = commandLine.size();
  while (pos < n) {
    while (pos < n && commandLine[pos] <= L' ') ++pos;
    if (pos >= n) break;
    std::wstring word;
    while (pos < n && commandLine[pos] > L' ') {
      if (commandLine[pos] == L'"') {
        const size_t close = commandLine.find(L'"', pos + 1);
        const size_t end = close == std::wstring::npos ? n : close;
        word.append(commandLine, pos + 1, end - pos - 1);
        pos = close == std::wstring::npos ? n : close + 1;
      } else {
        word += commandLine[pos++];
      }
    }
    if (!word.empty()) words.push_back(std::move(word));
  }
  return words;
}

const TCmdArgs& ProcessArgs() {
  static const TCmdArgs args = [] {
    TCmdArgs words = SplitCommandLine(GetCommandLineW());
    if (!words.empty()) words.erase(words.begin());
    return words;
  }();
  return args;
}

bool GetCmdLineSwitch(const TCmdArgs& args, const std::wstring& name, std::wstring& value) {
  value.clear();
  const std::wstring upperName = AsciiUpperCase(name);
  for (const std::wstring& arg : args) {
    const size_t at = AsciiUpperCase(arg).find(upperName);
    if (at == 0 || (at == 1 && (arg[0] == L'/' || arg[0] == L'-'))) {
      const size_t equals = arg.find(L'=');
      if (equals != std::wstring::npos) value = arg.substr(equals + 1);
      return true;
    }
  }
  return false;
}

bool HasCmdLineSwitch(const TCmdArgs& args, const std::wstring& name) {
  std::wstring value;
  return GetCmdLineSwitch(args, name, value);
}

std::wstring CmdLineSwitchValue(const TCmdArgs& args, const std::wstring& name) {
  std::wstring value;
  GetCmdLineSwitch(args, name, value);
  return value;
}

std::wstring QuotedParams(const TCmdArgs& args) {
  std::wstring s;
  for (const std::wstring& arg : args) s += L" \"" + arg + L"\" ";
  size_t first = 0;
  size_t last = s.size();
  while (first < last && s[first] <= L' ') ++first;
  while (last > first && s[last - 1] <= L' ') --last;
  return s.substr(first, last - first);
}

bool GetCmdLineSwitch(const std::wstring& name, std::wstring& value) {
  return GetCmdLineSwitch(ProcessArgs(), name, value);
}
bool HasCmdLineSwitch(const std::wstring& name) { return HasCmdLineSwitch(ProcessArgs(), name); }
std::wstring CmdLineSwitchValue(const std::wstring& name) { return CmdLineSwitchValue(ProcessArgs(), name); }
std::wstring QuotedParams() { return QuotedParams(ProcessArgs()); }
