#pragma once
// The program's one error hierarchy. Every error carries its final, user-visible message
// text; the places that show errors display Message() as it stands.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::wstring message) : FMessage(std::move(message)) {}
  const std::wstring& Message() const noexcept { return FMessage; }
  // UTF-8 form of the message, for test output and console tools.
  const char* what() const noexcept override;

private:
  std::wstring FMessage;
  mutable std::string FNarrow;
};

// A text that is no valid number, or a format that does not fit its arguments.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
public:
  using Exception::Exception;
};

// A read or write that failed after the files were open; ErrorCode is the system code.
class EInOutError : public Exception {
public:
  EInOutError(std::wstring message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};

// File functions and the copy engine. ErrorCode is a system code or one of the engine's
// own negative codes.
class EFileError : public Exception {
public:
  EFileError(std::wstring message, int errorCode = 0) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};
class EFileCopyError : public EFileError {
public:
  using EFileError::EFileError;
};

// Starting a program or opening a document through the shell failed.
class EWinExecError : public Exception {
public:
  EWinExecError(std::wstring message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};
class EOpenDocumentError : public EWinExecError {
public:
  using EWinExecError::EWinExecError;
};

// The user stopped the installation run.
class EUserCanceled : public Exception {
public:
  using Exception::Exception;
};

// The language resource module could not be used.
class EResDLL : public Exception {
public:
  using Exception::Exception;
};
class EResDLL_FileNotFound : public EResDLL {
public:
  using EResDLL::EResDLL;
};
class EResDLL_InvalidVersion : public EResDLL {
public:
  EResDLL_InvalidVersion(std::wstring message, std::wstring versionNeeded, std::wstring versionFound)
      : EResDLL(std::move(message)), VersionNeeded(std::move(versionNeeded)), VersionFound(std::move(versionFound)) {}
  std::wstring VersionNeeded;  // the program's "FileVersion"
  std::wstring VersionFound;   // the module's
};
