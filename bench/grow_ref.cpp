// The reference for the grow-in: the least an Xlib client does for the same 137 steps.
// One plain window at the launcher's designed size, shrunk to 38 x 19, centred, mapped,
// then grown by 4 x 2 pixels a step with each changed value sent and synced on its own,
// as the launcher does; it then waits for the window manager's close or a signal.
#include <X11/Xlib.h>

int main() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;
  const int sw = DisplayWidth(d, DefaultScreen(d)), sh = DisplayHeight(d, DefaultScreen(d));
  const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 402, 256, 466, 293, 0, 0, 0x203c66);
  int width = 38, height = 19, left = (sw - width) / 2, top = (sh - height) / 2;
  XResizeWindow(d, w, unsigned(width), 293);
  XResizeWindow(d, w, unsigned(width), unsigned(height));
  XMoveWindow(d, w, left, 256);
  XMoveWindow(d, w, left, top);
  XMapWindow(d, w);
  XSync(d, False);
  do {
    const int h = height + 2 < 293 ? height + 2 : 293, wd = width + 4 < 466 ? width + 4 : 466;
    if (h != height) XResizeWindow(d, w, unsigned(width), unsigned(height = h)), XSync(d, False);
    if (wd != width) XResizeWindow(d, w, unsigned(width = wd), unsigned(height)), XSync(d, False);
    if ((sw - width) / 2 != left) XMoveWindow(d, w, left = (sw - width) / 2, top), XSync(d, False);
    if ((sh - height) / 2 != top) XMoveWindow(d, w, left, top = (sh - height) / 2), XSync(d, False);
  } while (!(width == 466 && height == 293));
  XSelectInput(d, w, StructureNotifyMask);
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
  }
}
