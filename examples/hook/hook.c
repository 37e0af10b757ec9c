/* The sample update's hook DLL. Both exports append one line to a log file and let the
   update go on, so a demo shows when and with which arguments the installer calls them:

     2024-05-01 14:03:12 ExecuteBefore language=1031 window=yes param=samplehook.log

   The parameter from the script is the log file's path; a relative path is taken from the
   installer's current directory, which is the folder of the update. A log that cannot be
   written is skipped: logging must never stop an update. */
#include <stdio.h>
#include <windows.h>

/* The installer's hook convention on 32-bit Windows: the three arguments in EAX, EDX and
   ECX, in this order, nothing on the stack, the answer in AL. GCC's regparm(3) is exactly
   that. x86-64 has a single convention (RCX, RDX, R8, answer in AL), which the 64-bit
   build of the installer uses, so no attribute is needed there. The exported names come
   from hook.def, so they stay "ExecuteBefore" and "ExecuteAfter" without decoration. */
#if defined(__i386__)
#define HOOKCALL __attribute__((regparm(3)))
#else
#define HOOKCALL
#endif

static void AppendLine(const wchar_t* exportName, HWND owner, int language, const wchar_t* param) {
  if (!param || !*param) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t line[1024];
  int length = _snwprintf(line, sizeof line / sizeof line[0] - 1,
                          L"%04u-%02u-%02u %02u:%02u:%02u %ls language=%d window=%ls param=%ls\r\n",
                          now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, exportName,
                          language, IsWindow(owner) ? L"yes" : L"no", param);
  if (length < 0) length = (int)(sizeof line / sizeof line[0] - 1); /* cut, not dropped */
  line[length] = L'\0';

  /* UTF-8, so that the log reads the same on every code page. */
  char bytes[4096];
  int size = WideCharToMultiByte(CP_UTF8, 0, line, length, bytes, sizeof bytes, NULL, NULL);
  if (size <= 0) return;

  HANDLE file = CreateFileW(param, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes, (DWORD)size, &written, NULL);
  CloseHandle(file);
}

/* Called before the installation; a zero answer would end the setup without copying. */
unsigned char HOOKCALL ExecuteBefore(HWND owner, int language, const wchar_t* param) {
  AppendLine(L"ExecuteBefore", owner, language, param);
  return 1;
}

/* Called after the files are copied and the registry values written; the installer
   ignores the answer. */
unsigned char HOOKCALL ExecuteAfter(HWND owner, int language, const wchar_t* param) {
  AppendLine(L"ExecuteAfter", owner, language, param);
  return 1;
}
