#pragma once
// The file copy engine: copies a list of sources to a list of targets block by block with
// one byte count over the whole list, so that a progress display shows the list as one
// bar. Targets are overwritten (a read-only one is made writable first and stays so) and
// get the source's last-write time. Failures raise EFileCopyError (ErrorCode: a system
// code or -9, -10, -11) or, for a read or write that fails once both files are open,
// EInOutError with the system code. No copy reports success for a file it did not copy.
#include <functional>
#include <string>
#include <vector>

#include "Exceptions.h"

// Engine codes of EFileCopyError::ErrorCode.
constexpr int CopyErrorSourceMissing = -9;
constexpr int CopyErrorCountMismatch = -10;
constexpr int CopyErrorPartialWrite = -11;

// Progress of a copy. FileName is the target being written, or empty for the one initial
// call of a list (Position -1, Max the list's total). Position and Max are bytes when the
// list's total is at most 2147483647 bytes, otherwise KiB (truncated). Answer false to stop.
using TCopyProgressEvent = std::function<bool(const std::wstring& fileName, int position, int max)>;

// Copies sources[i] to targets[i] in order. Checks first that the counts agree (-10) and
// that every source exists (-9); nothing is copied when either fails. A failure stops the
// list at the failing file; files copied before it stay copied. When the callback asks to
// stop, the current target keeps what was written and no further file is touched.
void CopyFileList(const std::vector<std::wstring>& sources, const std::vector<std::wstring>& targets,
                  const TCopyProgressEvent& onProgress);

// Copies one file; copied (in-out) is the list's running byte count, total the list's
// byte total, which chooses the progress scale. Blocks are 8 KiB for sources of at most
// 1000000 bytes, 64 KiB above: each is written and reported on its own, while the source
// is read 256 KiB at a time. Returns false when the callback asked to stop (the target
// then keeps the bytes written so far and still gets the source's time).
bool CopySingleFile(const std::wstring& source, const std::wstring& target, long long& copied,
                    const TCopyProgressEvent& onProgress, long long total);

// Gives target the last-write time of source, through the DOS date-time (2-second
// resolution, local time). Never raises: a time that cannot be read, converted or set
// leaves the target as it is.
void CopyFileDate(const std::wstring& source, const std::wstring& target) noexcept;

// Raises EFileCopyError for a system code: Format(msgWithText, {source, target, text}) when
// FileErrorText knows the code, else Format(msgWithCode, {source, target, code}). Does
// nothing for code 0.
void RaiseCopyError(const std::wstring& source, const std::wstring& target, const std::wstring& msgWithText,
                    const std::wstring& msgWithCode, int errorCode);

// The program's own text for a file error code (2, 3, 4, 5, 6, 12, 15, 16, 17, 100 to 106),
// empty for any other code.
std::wstring FileErrorText(int errorCode);

// The block size for a source of the given size.
int CopyBlockSize(long long sourceSize) noexcept;
// A byte value in the progress scale chosen by the list's total: bytes up to 2147483647,
// truncated KiB above.
int CopyProgressValue(long long bytes, long long total) noexcept;
