/* Another program's use of the clipboard, for the end-to-end tests: "put TEXT" empties the
 * clipboard and leaves TEXT on it (CF_TEXT); "get" prints the text the clipboard holds and
 * exits 1 when it holds none. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(int argc, char** argv) {
  if (argc == 3 && strcmp(argv[1], "put") == 0) {
    const size_t size = strlen(argv[2]) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* block = memory != NULL ? GlobalLock(memory) : NULL;
    if (block == NULL) return 2;
    memcpy(block, argv[2], size);
    GlobalUnlock(memory);
    if (!OpenClipboard(NULL)) return 2;
    const int ok = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != NULL;
    CloseClipboard();
    return ok ? 0 : 2;
  }
  if (argc == 2 && strcmp(argv[1], "get") == 0) {
    if (!OpenClipboard(NULL)) return 2;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data != NULL ? (const char*)GlobalLock(data) : NULL;
    if (text != NULL) {
      fputs(text, stdout);
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text != NULL ? 0 : 1;
  }
  fputs("usage: clipboard_text put TEXT | get\n", stderr);
  return 2;
}
