// The export of SaveJPG.dll: SavetoJPEG by name, __stdcall, undecorated through SaveJPG.def.
// Both paths come in the process's ANSI code page; the library converts each once to UTF-16
// where it opens the file, with the wide functions (vell/encoders/atomic_file.h).
#include "savejpg/savejpg.h"

extern "C" __declspec(dllexport) short __stdcall SavetoJPEG(const char* bmpPath, const char* outPath,
                                                            int quality, int flag) {
  return savejpg::SavetoJPEG(bmpPath, outPath, quality, flag);
}
