// The measures every native window of the program is placed by: the DPI the system reports, the
// twips per pixel that turn a form's twips into pixels, a window's outer size for a client area,
// and centring on the screen.
#pragma once

#include <windows.h>

namespace snapwell::win32 {

// The DPI the system reports for the screen (96 when it cannot be read).
int SystemDpi();

// Twips per screen pixel at the system DPI: 15 at 96 DPI, 10 at 144 DPI.
int TwipsPerPixel();

// The window's outer size for a client area of width x height pixels.
SIZE OuterSize(HWND hwnd, int width, int height, bool menu);

// Moves the window, keeping its size, to the middle of the screen.
void CentreOnScreen(HWND hwnd);

// Puts the mouse pointer onto the middle of the control.
void PointAtCentre(HWND control);

}  // namespace snapwell::win32
