// setupcheck.exe [DIR] [switches] [--json] [--dry-run]
// Reads DIR\setup.ini (and setup.dat) exactly as setup.exe would and prints the engine
// state that results, or the error setup.exe would show. DIR is the first argument that
// begins with neither "/" nor "-" (default: the current directory); the other arguments
// are the command line the script reader sees. Exit code 0, or 100 on a script error.
#include <windows.h>

#include <exception>
#include <string>

#include "CmdLine.h"
#include "EngineSeams.h"
#include "DryRun.h"
#include "EngineState.h"
#include "Exceptions.h"
#include "Language.h"
#include "MessageIds.h"
#include "ResString.h"
#include "ScriptReader.h"
#include "StateReport.h"
#include "StrUtils.h"
#include "TextConv.h"

namespace {
struct TOptions {
  std::wstring Dir;
  bool Json = false;
  bool DryRun = false;
  TCmdArgs ScriptArgs;
};

TOptions ParseOptions(const TCmdArgs& args) {
  TOptions options;
  bool haveDir = false;
  for (const std::wstring& arg : args) {
    if (arg == L"--json") {
      options.Json = true;
    } else if (arg == L"--dry-run") {
      options.DryRun = true;
    } else if (!haveDir && arg[0] != L'/' && arg[0] != L'-') {
      options.Dir = arg;
      haveDir = true;
    } else {
      options.ScriptArgs.push_back(arg);
    }
  }
  return options;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) return path;
  full.resize(written);
  return full;
}

// A console shows UTF-16 as it is; a pipe or file gets UTF-8.
void Write(DWORD stream, const std::wstring& text) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string bytes = WideToUtf8(text);
  size_t done = 0;
  while (done < bytes.size()) {
    if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
        written == 0)
      return;
    done += written;
  }
}

int Run() {
  const TOptions options = ParseOptions(ProcessArgs());
  SetCurrentLanguage(HasCmdLineSwitch(options.ScriptArgs, L"eng") ? LANG_ID_ENGLISH : LANG_ID_GERMAN);
  bool failed = false;
  std::wstring error;
  TEngineState state;
  std::wstring report;
  try {
    const std::wstring dir = FullPath(options.Dir.empty() ? L"." : options.Dir);
    const TScriptEnvironment environment{dir, options.ScriptArgs, !options.DryRun};
    ReadSetupScript(state, environment);
    // The state as read; the dry run's checks change it afterwards.
    report = options.Json ? StateToJson(state, CurrentLanguage()) : StateToText(state, CurrentLanguage());
    if (options.DryRun) {
      const TDryRunResult dryRun = DryRun(state, dir);
      report = options.Json ? AddDryRunJson(report, dryRun) : report + DryRunText(dryRun);
    }
  } catch (const Exception& e) {
    failed = true;
    error = e.Message();
  } catch (const std::exception& e) {
    failed = true;
    error = Utf8ToWide(e.what());
  }
  if (failed) {
    if (options.Json)
      Write(STD_OUTPUT_HANDLE, ErrorToJson(error) + L"\n");
    else
      Write(STD_ERROR_HANDLE, ReplaceAll(FmtLoadStr(SInitSetupError, {error}), L"|", L"\r\n") + L"\r\n");
    return ecStartupFailed;
  }
  Write(STD_OUTPUT_HANDLE, options.Json ? report + L"\n" : report);
  return ecSuccess;
}
}  // namespace

int wmain(int, wchar_t**) {
  try {
    return Run();
  } catch (...) {
    // Only output itself can fail here; the script's errors were reported above.
    return ecStartupFailed;
  }
}
