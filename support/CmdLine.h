#pragma once
// Command-line switches. Arguments are the words after the program name: characters up
// to 32 separate words, a stretch in double quotes belongs to the current word (the quotes
// themselves do not), an empty pair of quotes makes no argument, there are no escapes.
// A switch name matches an argument that begins with it, or with "/" or "-" and then it,
// comparing ASCII letters without regard to case: "eng" matches eng, /eng, -ENG, /english
// and engine, not /x-eng or --eng. Its value is what follows the argument's first "=".
#include <string>
#include <vector>

using TCmdArgs = std::vector<std::wstring>;

// Every word of a command line, the program name first.
TCmdArgs SplitCommandLine(const std::wstring& commandLine);
// The process's arguments 1..n (the program name left out), split once.
const TCmdArgs& ProcessArgs();

bool GetCmdLineSwitch(const TCmdArgs& args, const std::wstring& name, std::wstring& value);
bool HasCmdLineSwitch(const TCmdArgs& args, const std::wstring& name);
// Empty when the switch is absent or has no value.
std::wstring CmdLineSwitchValue(const TCmdArgs& args, const std::wstring& name);
// Every argument in double quotes, neighbours separated by two blanks; empty without arguments.
std::wstring QuotedParams(const TCmdArgs& args);

// The same on the process's own arguments.
bool GetCmdLineSwitch(const std::wstring& name, std::wstring& value);
bool HasCmdLineSwitch(const std::wstring& name);
std::wstring CmdLineSwitchValue(const std::wstring& name);
std::wstring QuotedParams();
