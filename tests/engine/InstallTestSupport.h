#pragma once
// Helpers of the installation engine's tests: engine states built in code, fixture files,
// file times, the current directory and registry values.
#include <windows.h>

#include <functional>
#include <string>

#include "EngineState.h"

// A destination directory entry; returns its directory index.
int AddDestDir(TEngineState& state, const std::wstring& path, const std::wstring& caption,
               const std::wstring& defaultDir = L"", const std::wstring& filesMustExist = L"",
               bool regKeyFound = false);
// A directory to create below parent; returns its directory index.
int AddCreateDir(TEngineState& state, const std::wstring& subDir, int parent, const std::wstring& caption = L"Verzeichnis");
// A Files entry: the file name and its relative directory (may be empty) in directory index.
void AddFile(TEngineState& state, const std::wstring& relativeDir, const std::wstring& name, int index);

// Path of a fixture built into the test programs' bin folder.
std::wstring FixturePath(const std::wstring& name);
// Copies a fixture to target; fails the calling test on error.
void CopyFixture(const std::wstring& name, const std::wstring& target);

// The last-write time as FILETIME ticks (100 ns), or 0 when there is no such file.
ULONGLONG WriteTicks(const std::wstring& path);
void SetWriteTicks(const std::wstring& path, ULONGLONG ticks);
constexpr ULONGLONG TicksPerSecond = 10000000ULL;

// The message of the error that action raises, or "(no error)".
std::wstring ErrorOf(const std::function<void()>& action);

// Makes dir the current directory for a scope.
class TCurrentDirScope {
public:
  explicit TCurrentDirScope(const std::wstring& dir);
  ~TCurrentDirScope();
  TCurrentDirScope(const TCurrentDirScope&) = delete;
  TCurrentDirScope& operator=(const TCurrentDirScope&) = delete;

private:
  std::wstring FOld;
};

// The procprobe fixture started under fileName (copied into dir); ended on destruction.
class TRunningProgram {
public:
  TRunningProgram(const std::wstring& dir, const std::wstring& fileName);
  ~TRunningProgram();
  TRunningProgram(const TRunningProgram&) = delete;
  TRunningProgram& operator=(const TRunningProgram&) = delete;

private:
  PROCESS_INFORMATION FInfo{};
};

// A value in the 32-bit view: its type and data as text (REG_DWORD in decimal). False when
// the key or the value is missing.
bool ReadRegValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, DWORD& type,
                  std::wstring& data);
bool RegKeyExists(HKEY root, const std::wstring& keyPath);
