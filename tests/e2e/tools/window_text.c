/* Reads what a dialog says, for the end-to-end tests: "window_text" prints, in UTF-8, the text of
 * every static control of the foreground window (a message box's icon has none), one after the
 * other; exits 1 when no window is in the foreground. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static void PrintUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
  char* utf8 = size > 0 ? (char*)malloc((size_t)size) : NULL;
  if (utf8 != NULL && WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, size, NULL, NULL) > 0) {
    fputs(utf8, stdout);
    fputs("\n", stdout);
  }
  free(utf8);
}

static BOOL CALLBACK PrintStatic(HWND child, LPARAM unused) {
  (void)unused;
  wchar_t kind[16] = {0};
  GetClassNameW(child, kind, 16);
  if (lstrcmpiW(kind, L"Static") != 0) return TRUE;
  const int length = GetWindowTextLengthW(child);
  if (length <= 0) return TRUE;
  wchar_t* text = (wchar_t*)calloc((size_t)length + 1, sizeof(wchar_t));
  if (text != NULL && GetWindowTextW(child, text, length + 1) > 0) PrintUtf8(text);
  free(text);
  return TRUE;
}

int main(void) {
  HWND window = GetForegroundWindow();
  if (window == NULL) return 1;
  EnumChildWindows(window, PrintStatic, 0);
  return 0;
}
