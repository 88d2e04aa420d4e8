// The export of SaveJPG.dll: SavetoJPEG by name, __stdcall, undecorated through SaveJPG.def.
// Both paths come in the process's ANSI code page; the library converts each once to UTF-16
// where it opens the file, with the wide functions (vell/encoders/atomic_file.h).
// A failure leaves the system's code of its cause as the thread's last error.
#include <windows.h>

#include "savejpg/savejpg.h"

extern "C" __declspec(dllexport) short __stdcall SavetoJPEG(const char* bmpPath, const char* outPath,
                                                            int quality, int flag) {
  vell::FileFailure why;
  const short result = savejpg::SavetoJPEG(bmpPath, outPath, quality, flag, &why);
  if (result != savejpg::kSaved) SetLastError(why.systemCode);
  return result;
}
