#pragma once
// Processes, programs and documents: whether a program runs, and opening a document or a
// web page with the program the shell associates with it. Opening failures raise
// EOpenDocumentError with the system's code and text.
#include <windows.h>

#include <string>

// True when a running process's executable file name (without its path) equals exeName,
// letter case included. A snapshot that cannot be taken counts as "not running".
bool IsProgramRunning(const std::wstring& exeName);

// Opens fileName (a path, document or address) with the shell's default verb; owner may be
// nullptr. The shell shows no dialog of its own; every failure raises EOpenDocumentError.
void OpenDocument(HWND owner, const std::wstring& fileName, const std::wstring& params = L"");

// The address OpenInternetPage opens: url unchanged when it starts with "http://" or
// "https://" (any letter case), otherwise "http://" + url.
std::wstring InternetPageAddress(const std::wstring& url);

// Opens InternetPageAddress(url); a failure raises EOpenDocumentError with the web-page
// message (address as opened, code, system text).
void OpenInternetPage(HWND owner, const std::wstring& url);
