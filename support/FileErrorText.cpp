#include "QXFileCopy.h"

#include "MessageIds.h"
#include "ResString.h"

std::wstring FileErrorText(int errorCode) {
  struct TEntry {
    int Code;
    unsigned MessageId;
  };
  // System codes 2 to 17 and the runtime's own input/output codes 100 to 106.
  static constexpr TEntry Entries[] = {
      {2, SFileErrorFileNotFound},       {3, SFileErrorPathNotFound},
      {4, SFileErrorTooManyOpenFiles},   {5, SFileErrorAccessDenied},
      {6, SFileErrorInvalidHandle},      {12, SFileErrorInvalidAccessCode},
      {15, SFileErrorInvalidDrive},      {16, SFileErrorCannotRemoveCurrentDir},
      {17, SFileErrorNotSameDevice},     {100, SFileErrorEndOfFile},
      {101, SFileErrorDiskFull},         {102, SFileErrorNotAssigned},
      {103, SFileErrorNotOpen},          {104, SFileErrorNotOpenForInput},
      {105, SFileErrorNotOpenForOutput}, {106, SFileErrorInvalidNumericFormat},
  };
  for (const TEntry& entry : Entries)
    if (entry.Code == errorCode) return LoadResString(entry.MessageId);
  return L"";
}

void RaiseCopyError(const std::wstring& source, const std::wstring& target, const std::wstring& msgWithText,
                    const std::wstring& msgWithCode, int errorCode) {
  if (errorCode == 0) return;
  const std::wstring text = FileErrorText(errorCode);
  if (!text.empty()) throw EFileCopyError(Format(msgWithText, {source, target, text}), errorCode);
  throw EFileCopyError(Format(msgWithCode, {source, target, errorCode}), errorCode);
}
