#pragma once
// The installation run: creates the destination directories, asks once about newer
// installed files, copies the update's files with one progress bar over the whole set,
// writes the registry values, calls the after-installation hooks and shows the outcome.
// The update's files are taken by bare name from the current directory.
#include <string>
#include <vector>

#include "EngineSeams.h"
#include "EngineState.h"

// Result codes of the copy step.
constexpr int irCompleted = 0;
constexpr int irFailed = 1;
constexpr int irCanceled = 2;

// One attempt of the run. Resolves the directories to create at the first attempt only;
// when a running program or a file in use refuses the attempt, it returns with the wizard
// on its page and may be called again. Otherwise it runs to the finished page. Errors
// before the progress page (an invalid directory to create, an index outside the table)
// pass to the caller.
void RunInstallation(TEngineState& state, const TEngineSeams& seams);

// The copy step: directories, the newer-files question, the copy, the registry values.
// Never raises an error of the program's hierarchy: answers irCompleted, irCanceled (the
// newer-files question or a cancel during the copy) or irFailed with errorText set.
// Nothing done before a failure is undone.
int InstallFiles(TEngineState& state, const TEngineSeams& seams, std::wstring& errorText);

// Creates path with every missing parent; false when a level cannot be created.
bool ForceDirectories(const std::wstring& path);

// Raises EUserCanceled when a target is more than one minute newer than its source and the
// user does not answer Yes to the one question. A missing target is never newer; a missing
// source is older than any existing target.
void CheckNewerFiles(const std::vector<std::wstring>& sources, const std::vector<std::wstring>& targets);

// The two lines the progress page shows for the file a block was written to.
struct TCopyTexts {
  std::wstring FileName;  // the target they were made for
  std::wstring FileText;  // "<name> nach"
  std::wstring DirText;   // its directory without "\" at either end
};

// The copy engine's progress callback: shows the file and its directory on the progress
// page, moves the bar, handles pending messages; answers false once the user has cancelled.
// The lines of the previous call are kept in texts and made anew only when the file
// changes: a large file reports thousands of blocks.
bool CopyProgress(const TEngineState& state, const TEngineSeams& seams, const std::wstring& fileName, int position,
                  int max, TCopyTexts& texts);

// Ends the run on the finished page; after a run that did not fail, the after-hooks run
// first and a failing one turns the outcome into a failure.
void FinishRun(TEngineState& state, const TEngineSeams& seams, int result, std::wstring errorText);
