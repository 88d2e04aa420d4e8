// The export of SaveJPG.dll: SavetoJPEG by name, __stdcall, undecorated through SaveJPG.def.
#include "savejpg/savejpg.h"

extern "C" __declspec(dllexport) short __stdcall SavetoJPEG(const char* bmpPath, const char* outPath,
                                                            int quality, int flag) {
  return savejpg::SavetoJPEG(bmpPath, outPath, quality, flag);
}
