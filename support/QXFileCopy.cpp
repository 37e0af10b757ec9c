#include "QXFileCopy.h"

#include <windows.h>

#include <algorithm>

#include "Format.h"
#include "Handles.h"
#include "MessageIds.h"
#include "QXFiles.h"
#include "ResString.h"

namespace {

constexpr long long SmallFileLimit = 1000000;
constexpr int SmallBlock = 8192;
constexpr int LargeBlock = 65536;
constexpr long long ByteScaleLimit = 2147483647;
// How much of a source one read asks for: a multiple of both block sizes. Larger pieces
// save few calls more, and each page of a larger buffer costs a fault on first use.
constexpr DWORD ReadAheadSize = 262144;

// An open or a query that failed without the system naming a reason still failed; it is
// reported as "cannot open" rather than taken for success.
int LastErrorOrOpenFailed() {
  const DWORD code = GetLastError();
  return code != 0 ? static_cast<int>(code) : ERROR_OPEN_FAILED;
}

[[noreturn]] void RaiseInOutError(DWORD code) {
  std::wstring text = FileErrorText(static_cast<int>(code));
  if (text.empty()) text = FmtLoadStr(SInOutError, {static_cast<long long>(code)});
  throw EInOutError(text, static_cast<int>(code));
}

// Sets target's last-write time to source's, rounded through the DOS date-time.
void CopyHandleDate(HANDLE source, HANDLE target) noexcept {
  FILETIME written, local, back, utc;
  WORD dosDate, dosTime;
  if (!GetFileTime(source, nullptr, nullptr, &written)) return;
  if (!FileTimeToLocalFileTime(&written, &local)) return;
  if (!FileTimeToDosDateTime(&local, &dosDate, &dosTime)) return;
  if (!DosDateTimeToFileTime(dosDate, dosTime, &back)) return;
  if (!LocalFileTimeToFileTime(&back, &utc)) return;
  SetFileTime(target, nullptr, nullptr, &utc);
}

TFileHandle CreateTarget(const std::wstring& target) {
  return TFileHandle(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Creates or truncates the target, which must not stay read-only. The attributes are
// looked at only when needed: most targets are new, and a lookup of a missing name costs
// a scan of its whole directory on some systems. Invalid with the system's error code set
// when the target cannot be written.
TFileHandle OpenTarget(const std::wstring& target) {
  TFileHandle output = CreateTarget(target);
  if (!output) {
    // A read-only file refuses to be replaced: make it writable (the other attributes stay)
    // and try once more. Anything else, a directory included, keeps the error of the create.
    const DWORD code = GetLastError();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (code != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != FILE_ATTRIBUTE_READONLY ||
        !SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
      SetLastError(code);
      return output;
    }
    return CreateTarget(target);
  }
  // A system that lets a privileged user replace a read-only file keeps the flag.
  FILE_BASIC_INFO info{};
  if (GetFileInformationByHandleEx(output.Get(), FileBasicInfo, &info, sizeof(info)) &&
      (info.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
    info.FileAttributes &= ~FILE_ATTRIBUTE_READONLY;
    SetFileInformationByHandle(output.Get(), FileBasicInfo, &info, sizeof(info));
  }
  return output;
}

// Reads a source 256 KiB at a time and hands it out one block at a time, so that the copy
// still writes and reports every block but asks the system for the source's data once
// per 256 KiB instead of once per block: every system call has a fixed price, which is a
// tenth of a large file's copy time when paid twice per 64 KiB.
class TBlockReader {
public:
  TBlockReader(HANDLE file, std::vector<unsigned char>& buffer, DWORD blockSize) noexcept
      : FFile(file), FBuffer(buffer), FBlockSize(blockSize) {}

  // The next block: at most a block size of bytes, fewer only where the system delivered
  // fewer, none at the end of the file. False (with the system's error) when a read failed.
  bool Next(const unsigned char*& data, DWORD& size) noexcept {
    if (FNext == FEnd) {
      DWORD read = 0;
      if (!ReadFile(FFile, FBuffer.data(), static_cast<DWORD>(FBuffer.size()), &read, nullptr)) return false;
      FNext = 0;
      FEnd = read;
    }
    data = FBuffer.data() + FNext;
    size = std::min(FBlockSize, FEnd - FNext);
    FNext += size;
    return true;
  }

private:
  HANDLE FFile;
  std::vector<unsigned char>& FBuffer;
  DWORD FBlockSize;
  DWORD FNext = 0;
  DWORD FEnd = 0;
};

std::vector<unsigned char> ReadAheadBuffer() { return std::vector<unsigned char>(ReadAheadSize); }

bool Notify(const TCopyProgressEvent& onProgress, const std::wstring& fileName, long long position, long long total) {
  if (!onProgress) return true;
  return onProgress(fileName, CopyProgressValue(position, total), CopyProgressValue(total, total));
}

bool CopyOneFile(const std::wstring& source, const std::wstring& target, long long& copied,
                 const TCopyProgressEvent& onProgress, long long total, std::vector<unsigned char>& buffer) {
  // A missing source is not skipped: the open below fails and names it.
  TErrorModeScope quiet(SEM_FAILCRITICALERRORS);
  TFileHandle input(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!input)
    RaiseCopyError(source, L"", LoadResString(SFileOpenErrorWithText), LoadResString(SFileOpenErrorWithCode),
                   LastErrorOrOpenFailed());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(input.Get(), &size))
    RaiseCopyError(source, L"", LoadResString(SFileOpenErrorWithText), LoadResString(SFileOpenErrorWithCode),
                   LastErrorOrOpenFailed());
  const int blockSize = CopyBlockSize(size.QuadPart);

  TFileHandle output = OpenTarget(target);
  if (!output)
    RaiseCopyError(source, target, LoadResString(SFileCopyErrorWithText), LoadResString(SFileCopyErrorWithCode),
                   LastErrorOrOpenFailed());

  TBlockReader blocks(input.Get(), buffer, static_cast<DWORD>(blockSize));
  bool goOn = true;
  const unsigned char* block = nullptr;
  DWORD read = 0, written = 0;
  do {
    if (!blocks.Next(block, read)) RaiseInOutError(GetLastError());
    written = 0;
    if (read > 0 && !WriteFile(output.Get(), block, read, &written, nullptr)) RaiseInOutError(GetLastError());
    copied += written;
    goOn = Notify(onProgress, target, copied, total);
  } while (goOn && read != 0 && written == read);
  if (written != read)
    throw EFileCopyError(FmtLoadStr(SFileCopyErrorWithCode, {source, target, CopyErrorPartialWrite}),
                         CopyErrorPartialWrite);
  // Both files are still open: setting the time here saves two opens per file.
  CopyHandleDate(input.Get(), output.Get());
  return goOn;
}

}  // namespace

int CopyBlockSize(long long sourceSize) noexcept { return sourceSize <= SmallFileLimit ? SmallBlock : LargeBlock; }

int CopyProgressValue(long long bytes, long long total) noexcept {
  // A negative position is the "nothing copied yet" mark and keeps its value.
  if (total <= ByteScaleLimit || bytes < 0) return static_cast<int>(bytes);
  return static_cast<int>(bytes / 1024);
}

void CopyFileList(const std::vector<std::wstring>& sources, const std::vector<std::wstring>& targets,
                  const TCopyProgressEvent& onProgress) {
  if (sources.size() != targets.size())
    throw EFileCopyError(Format(L"Different file count. (%0:d <> %1:d)",
                                {static_cast<long long>(sources.size()), static_cast<long long>(targets.size())}),
                         CopyErrorCountMismatch);
  long long total = 0;
  for (const std::wstring& source : sources) {
    const long long size = GetFileSizeByName(source);
    if (size == -1) throw EFileCopyError(FmtLoadStr(SSourceMissing, {source}), CopyErrorSourceMissing);
    total += size;
  }
  if (onProgress) onProgress(L"", CopyProgressValue(-1, total), CopyProgressValue(total, total));
  long long copied = 0;
  // One buffer for the whole list; a nested copy started from the callback's message
  // processing makes its own.
  std::vector<unsigned char> buffer = ReadAheadBuffer();
  for (std::size_t i = 0; i < sources.size(); ++i)
    if (!CopyOneFile(sources[i], targets[i], copied, onProgress, total, buffer)) return;
}

bool CopySingleFile(const std::wstring& source, const std::wstring& target, long long& copied,
                    const TCopyProgressEvent& onProgress, long long total) {
  std::vector<unsigned char> buffer = ReadAheadBuffer();
  return CopyOneFile(source, target, copied, onProgress, total, buffer);
}

void CopyFileDate(const std::wstring& source, const std::wstring& target) noexcept {
  TErrorModeScope quiet(SEM_FAILCRITICALERRORS);
  TFileHandle input(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!input) return;
  TFileHandle output(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!output) return;
  CopyHandleDate(input.Get(), output.Get());
}
