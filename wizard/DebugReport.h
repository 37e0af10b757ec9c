#pragma once
// The text of the hidden diagnostic report: the wizard step, the command line, the
// directory table with the origin of every directory and, on the finished page, the
// created directories and the copied files grouped by destination. Pure text built from
// the engine state, so it can be checked without a window; the main window puts it into
// memDebug.
#include <string>
#include <vector>

#include "CmdLine.h"
#include "EngineState.h"

// The report's lines in order, without line breaks. Reads state.FPage, the directory
// table, FDirs, FFiles and FSetupSuccessful; args are the program's command-line
// arguments without the program name (ProcessArgs() in the program).
std::vector<std::wstring> BuildDebugReportLines(const TEngineState& state, const TCmdArgs& args);

// The lines joined with CR LF, as a multi-line edit shows them; no line break after the
// last line, so the edit shows no empty line at the end.
std::wstring DebugReportText(const std::vector<std::wstring>& lines);
