/* A window with a known picture for the window-target tests: a borderless top-level window at
 * (argv[1], argv[2]) of argv[3] x argv[4] pixels painted in one colour, with one child window
 * at (argv[5], argv[6]) of argv[7] x argv[8] inside it (client coordinates) in another colour.
 * The colours: window RGB(40,160,200), child RGB(230,60,30). An application window, so that the
 * window manager stacks it as an ordinary window (an unmanaged popup would stay above the
 * capture surface on X11) and, having no caption, leaves it undecorated. Prints "ready" once
 * both are painted; ends by itself after two minutes so that it never outlives a test. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_TIMER || message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

static void Register(const char* name, COLORREF colour) {
  WNDCLASSA c = {0};
  c.lpfnWndProc = Proc;
  c.hInstance = GetModuleHandleA(NULL);
  c.hCursor = LoadCursor(NULL, IDC_ARROW);
  c.hbrBackground = CreateSolidBrush(colour);
  c.lpszClassName = name;
  RegisterClassA(&c);
}

int main(int argc, char** argv) {
  int v[8];
  HWND window, child;
  MSG message;
  if (argc != 9) {
    fprintf(stderr, "usage: target_window X Y W H CHILD_X CHILD_Y CHILD_W CHILD_H\n");
    return 2;
  }
  for (int i = 0; i < 8; ++i)
    v[i] = atoi(argv[i + 1]);
  Register("SnapwellTestTarget", RGB(40, 160, 200));
  Register("SnapwellTestTargetChild", RGB(230, 60, 30));
  window = CreateWindowExA(WS_EX_APPWINDOW, "SnapwellTestTarget", "Snapwell test target", WS_POPUP, v[0],
                           v[1], v[2], v[3], NULL, NULL, GetModuleHandleA(NULL), NULL);
  child = CreateWindowExA(0, "SnapwellTestTargetChild", "", WS_CHILD | WS_VISIBLE, v[4], v[5], v[6], v[7],
                          window, NULL, GetModuleHandleA(NULL), NULL);
  if (window == NULL || child == NULL) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  SetTimer(window, 1, 120000, NULL);
  printf("ready\n");
  fflush(stdout);
  while (GetMessageA(&message, NULL, 0, 0) > 0)
    DispatchMessageA(&message);
  return 0;
}
