#pragma once
// The engine state: what the setup script is read into and what the wizard and the
// installation engine work on afterwards. It knows no window; the main window owns one
// instance for the whole run. Fields are public and keep the names every engine operation
// uses; operations are free functions elsewhere that take the state.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "StringList.h"

// A platform colour value (0x00BBGGRR, or 0xFF000005 for the window background system
// colour); none means the window keeps the colour of its own definition.
using TColorValue = std::optional<COLORREF>;

// One destination directory of the directory table.
struct TDefaultDirEx : TRecord {
  std::wstring RegKey;          // registry references separated by bars; empty when none
  std::wstring DefaultDir;      // after reading: the one default alternative chosen
  std::wstring FilesMustExist;  // file names separated by bars
  std::wstring Caption;         // display name used in messages
  bool RegKeyFound = false;     // the path came from the registry
};

// A directory to create below another entry of the directory table. Of the inherited
// fields only Caption is used.
struct TCreateDirEx : TDefaultDirEx {
  int DefaultDirIndex = 0;  // parent's position in the directory table; not checked when read
  std::wstring SubDir;      // relative to the parent
};

// One call into a hook DLL.
struct TDLL : TRecord {
  std::wstring FileName;  // as written in the script
  std::wstring Param;
};

// One program that must not be running during the installation.
struct TProgram : TRecord {
  std::wstring ExeName;  // as written in the script
  std::wstring Caption;  // display name for the request to close it
};

class TEngineState {
public:
  // Every list exists and is empty, every number 0, every flag false, every colour none.
  TEngineState() = default;
  TEngineState(const TEngineState&) = delete;
  TEngineState& operator=(const TEngineState&) = delete;

  int FPage = 0;  // 1 welcome, 2 directory correction, 3 progress, 4 finished
  std::vector<std::unique_ptr<TProgram>> FProgramsMustNotRun;
  std::wstring FTextSuccess;
  std::wstring FTextFailure;
  std::wstring FTextFailureSolution;
  std::wstring FVersionErrorMsg;  // when not empty, replaces the built-in version messages
  bool FUserCanceled = false;
  std::vector<std::unique_ptr<TDLL>> FDLLsBefore;
  std::vector<std::unique_ptr<TDLL>> FDLLsAfter;
  bool FShouldClose = false;
  std::wstring FLockedFilesMsg;
  TStringList FFiles;  // file names without directory
  TStringList FDirs;   // destination directory of file i; directory index attached
  // The directory table: position = directory index. Every entry carries a record that
  // this state owns: first the TDefaultDirEx entries, then the TCreateDirEx entries. Add
  // entries only through AddDefaultDir.
  TStringList FDefaultDirs;
  TStringList FNeededFileVersions;  // raw lines after reading
  // Required version of FNeededFileVersions entry i once the directory check has made the
  // entries absolute. Packed in 64 bits: major × 1000000 overflows 32 bits from major 2148.
  std::vector<long long> FNeededVersions;
  TStringList FLockedFiles;         // relative paths; directory index attached
  TStringList FCreateRegKeys;       // raw lines
  bool FDefaultDirsAdded = false;
  int FCheckDefaultDirIdx = 0;
  int FCheckDirIdx = 0;
  bool FSetupSuccessful = false;
  // The directories to create have their absolute paths (done at the first run attempt).
  bool FDirsToCreateResolved = false;

  // Texts and colours the script gives the window.
  std::wstring FProduct;
  std::wstring FFormCaption;
  std::wstring FSubCaption;
  std::wstring FWelcomeText;
  std::wstring FBottomCaption;
  std::wstring FIcon;
  TColorValue FColorHeader;
  TColorValue FColorHeaderFont;
  TColorValue FColorBody;
  TColorValue FColorBodyFont;
  TColorValue FColorFooter;
  TColorValue FColorFooterFont;

  // Appends a directory-table entry; the state keeps the record until it is destroyed.
  // Returns the new entry's directory index.
  int AddDefaultDir(std::wstring path, std::unique_ptr<TDefaultDirEx> record);
  // The record of directory index; raises the list-index error outside the table.
  TDefaultDirEx& DefaultDirRecord(int index) const;
  // The record of directory index when it is a directory to create, else nullptr; raises
  // the list-index error outside the table.
  TCreateDirEx* CreateDirRecord(int index) const;

private:
  std::vector<std::unique_ptr<TDefaultDirEx>> FDefaultDirRecords;
};
