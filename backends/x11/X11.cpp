// The X11 window system: Xlib with the Shape and RandR extensions, no toolkit.
// Screen coordinates above the seam have their origin at the primary monitor's top
// left; here they become root-window coordinates.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "Monitors.h"
#include "PosixShell.h"
#include "Seam.h"

namespace x11 {
namespace {

using seam::TMouseButton;
using seam::TPoint;

enum AtomId {
  WM_PROTOCOLS,
  WM_DELETE_WINDOW,
  NET_WM_PING,
  NET_WM_NAME,
  UTF8_STRING,
  NET_WM_ICON,
  NET_WM_PID,
  NET_WM_WINDOW_TYPE,
  NET_WM_WINDOW_TYPE_NORMAL,
  MOTIF_WM_HINTS,
  NET_SUPPORTED,
  NET_SUPPORTING_WM_CHECK,
  NET_WM_MOVERESIZE,
  kAtomCount
};

const char* kAtomNames[kAtomCount] = {
    "WM_PROTOCOLS",      "WM_DELETE_WINDOW",    "_NET_WM_PING",
    "_NET_WM_NAME",      "UTF8_STRING",         "_NET_WM_ICON",
    "_NET_WM_PID",       "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_NORMAL",
    "_MOTIF_WM_HINTS",   "_NET_SUPPORTED",      "_NET_SUPPORTING_WM_CHECK",
    "_NET_WM_MOVERESIZE"};

constexpr long kNetWmMoveResizeMove = 8;
constexpr long kInputMask =
    ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask;
constexpr long kEventMask = kInputMask | StructureNotifyMask;
constexpr long kSourceApplication = 1;

bool quiet_errors = false;
bool error_seen = false;
const char* display_name = "";

int OnIoError(Display*) {
  // Xlib ends the process if this returns; say why first, so a lost server is a clear
  // message and an exit code, never a hang.
  std::fprintf(stderr, "%s: lost the connection to the X server '%s'\n",
               program_invocation_short_name, display_name);
  std::fflush(stderr);
  _exit(1);
}

int OnError(Display* dpy, XErrorEvent* e) {
  error_seen = true;
  if (quiet_errors) return 0;
  char text[256];
  XGetErrorText(dpy, e->error_code, text, sizeof text);
  std::fprintf(stderr, "%s: X request %d failed: %s\n", program_invocation_short_name,
               e->request_code, text);
  return 0;
}

struct Press {
  TMouseButton button = TMouseButton::mbLeft;
  unsigned x_button = Button1;
  int root_x = 0, root_y = 0;
};

class X11Platform;

class X11Window : public seam::Window {
 public:
  X11Window(X11Platform& platform, const seam::WindowParams& p, seam::WindowEvents& events);
  ~X11Window() override;
  void SetLeft(int v) override {
    bounds_.Left = v;
    Place();
  }
  void SetTop(int v) override {
    bounds_.Top = v;
    Place();
  }
  void SetWidth(int v) override {
    bounds_.Width = v;
    Resize();
  }
  void SetHeight(int v) override {
    bounds_.Height = v;
    Resize();
  }
  void Show() override;
  void Hide() override;
  void Present(const seam::TBitmap& frame) override;
  void SetColorKey(seam::TColor key,
                   const std::optional<std::vector<seam::TRect>>& opaque) override;
  void SetCursor(seam::TCursor cursor) override;
  void SetIcon(const std::vector<seam::TIconImage>& images) override;
  void StartSystemMove() override;
  void ReleaseCapture() override;
  std::uintptr_t Handle() const override { return window_; }

  void Dispatch(XEvent& e);
  void MoveTo(int left, int top);
  void Listen();

 private:
  void Place();
  void Resize();
  void SetNormalHints();
  TPoint ToScreen(int root_x, int root_y) const;
  // The window system put the window's top left at this root point.
  void NoteRootPosition(int root_x, int root_y);

  X11Platform& p_;
  Display* dpy_;
  seam::WindowEvents& events_;
  ::Window window_ = 0;
  seam::TRect bounds_;
  bool parent_is_root_ = true;
  bool arrow_defined_ = false;
  bool cursor_defined_ = false;
};

class X11Platform : public seam::Platform {
 public:
  explicit X11Platform(Display* dpy);
  ~X11Platform() override { XCloseDisplay(dpy_); }
  std::unique_ptr<seam::Window> CreateWindow(const seam::WindowParams& p,
                                             seam::WindowEvents& events) override {
    return std::make_unique<X11Window>(*this, p, events);
  }
  seam::ScreenMetrics Screen() override;
  bool WaitAndDispatch() override;
  seam::Shell& GetShell() override { return shell_; }

  Display* dpy() const { return dpy_; }
  ::Window root() const { return root_; }
  Atom atom(AtomId id) const { return atoms_[id]; }
  bool has_shape() const { return has_shape_; }
  TPoint origin() const { return {primary_.Left, primary_.Top}; }
  unsigned long Pixel(seam::TColor c) const;
  Cursor CursorFor(seam::TCursor c);
  void Register(::Window w, X11Window* owner) { windows_[w] = owner; }
  void Unregister(::Window w) { windows_.erase(w); }
  bool listening() const { return listening_; }
  void NotePress(const Press& p) { last_press_ = p; }
  XImage* MakeImage(const seam::TBitmap& frame, std::vector<std::uint32_t>& scratch);
  // The window manager's move where it offers one, else our own interactive move.
  void Move(X11Window& w, ::Window xw, seam::TRect bounds);

 private:
  void ReadMonitors();
  void ScreenChanged(XEvent& e);
  int ReadPixelsPerInch() const;
  bool WmSupportsMoveResize();

  Display* dpy_;
  int screen_;
  ::Window root_;
  Atom atoms_[kAtomCount];
  bool has_shape_ = false;
  bool has_randr_ = false;
  int randr_event_base_ = 0;
  seam::TRect primary_;
  seam::TRect root_bounds_;
  int pixels_per_inch_ = 96;
  Font cursor_font_ = 0;
  Cursor hand_ = 0, arrow_ = 0;
  std::map<::Window, X11Window*> windows_;
  Press last_press_;
  bool listening_ = false;
  posix::PosixShell shell_;
};

// --- platform ------------------------------------------------------------------------

X11Platform::X11Platform(Display* dpy)
    : dpy_(dpy), screen_(DefaultScreen(dpy)), root_(RootWindow(dpy, screen_)) {
  XInternAtoms(dpy_, const_cast<char**>(kAtomNames), kAtomCount, False, atoms_);
  int ev, err;
  has_shape_ = XShapeQueryExtension(dpy_, &ev, &err);
  int major = 0, minor = 0;
  has_randr_ = XRRQueryExtension(dpy_, &randr_event_base_, &err) &&
               XRRQueryVersion(dpy_, &major, &minor) && (major > 1 || minor >= 5);
  if (has_randr_) XRRSelectInput(dpy_, root_, RRScreenChangeNotifyMask);
  ReadMonitors();
  pixels_per_inch_ = ReadPixelsPerInch();
}

void X11Platform::ReadMonitors() {
  root_bounds_ = {0, 0, DisplayWidth(dpy_, screen_), DisplayHeight(dpy_, screen_)};
  std::vector<seam::Monitor> monitors;
  int n = 0;
  XRRMonitorInfo* m = has_randr_ ? XRRGetMonitors(dpy_, root_, True, &n) : nullptr;
  for (int i = 0; m && i < n; ++i)
    monitors.push_back({{m[i].x, m[i].y, m[i].width, m[i].height}, m[i].primary != 0});
  if (m) XRRFreeMonitors(m);
  primary_ = seam::PrimaryMonitor(monitors, root_bounds_);
}

void X11Platform::ScreenChanged(XEvent& e) {
  XRRUpdateConfiguration(&e);
  ReadMonitors();
}

int X11Platform::ReadPixelsPerInch() const {
  // Xft.dpi in the resource database, as desktops set it.
  return seam::PixelsPerInchFromResources(XResourceManagerString(dpy_));
}

seam::ScreenMetrics X11Platform::Screen() {
  // A monitor change since the last read is picked out of the queue without handling
  // anything else, so reading the screen stays cheap and dispatches nothing.
  XEvent e;
  if (has_randr_ && XCheckTypedEvent(dpy_, randr_event_base_ + RRScreenChangeNotify, &e))
    ScreenChanged(e);
  return seam::MetricsFor(primary_, root_bounds_, pixels_per_inch_);
}

unsigned long X11Platform::Pixel(seam::TColor c) const {
  const Visual* v = DefaultVisual(dpy_, screen_);
  const auto channel = [](unsigned value, unsigned long mask) {
    if (!mask) return 0UL;
    int shift = 0, bits = 0;
    while (!((mask >> shift) & 1)) ++shift;
    while ((mask >> (shift + bits)) & 1) ++bits;
    const unsigned long scaled = bits >= 8 ? value << (bits - 8) : value >> (8 - bits);
    return (scaled << shift) & mask;
  };
  return channel((c >> 16) & 0xFF, v->red_mask) | channel((c >> 8) & 0xFF, v->green_mask) |
         channel(c & 0xFF, v->blue_mask);
}

Cursor X11Platform::CursorFor(seam::TCursor c) {
  // Glyphs of the core cursor font, made directly: XCreateFontCursor would first load
  // the cursor-theme library, which costs more at start-up than the rest of the window.
  Cursor& cursor = c == seam::TCursor::crHandPoint ? hand_ : arrow_;
  if (cursor) return cursor;
  if (!cursor_font_) cursor_font_ = XLoadFont(dpy_, "cursor");
  const unsigned glyph = c == seam::TCursor::crHandPoint ? XC_hand2 : XC_left_ptr;
  XColor black{}, white{};
  white.red = white.green = white.blue = 0xFFFF;
  cursor = XCreateGlyphCursor(dpy_, cursor_font_, cursor_font_, glyph, glyph + 1, &black, &white);
  return cursor;
}

XImage* X11Platform::MakeImage(const seam::TBitmap& frame, std::vector<std::uint32_t>& scratch) {
  Visual* v = DefaultVisual(dpy_, screen_);
  const int depth = DefaultDepth(dpy_, screen_);
  XImage* img = XCreateImage(dpy_, v, depth, ZPixmap, 0, nullptr, frame.Width, frame.Height, 32, 0);
  if (!img) return nullptr;
  const bool direct = img->bits_per_pixel == 32 && v->red_mask == 0xFF0000 &&
                      v->green_mask == 0xFF00 && v->blue_mask == 0xFF &&
                      img->byte_order == (ImageByteOrder(dpy_)) &&
                      img->bytes_per_line == frame.Width * 4;
  if (direct && ImageByteOrder(dpy_) == LSBFirst) {
    img->data = reinterpret_cast<char*>(const_cast<std::uint32_t*>(frame.Pixels.data()));
    return img;
  }
  scratch.assign(std::size_t(img->bytes_per_line) * frame.Height / 4 + 1, 0);
  img->data = reinterpret_cast<char*>(scratch.data());
  for (int y = 0; y < frame.Height; ++y)
    for (int x = 0; x < frame.Width; ++x) XPutPixel(img, x, y, Pixel(frame.At(x, y)));
  return img;
}

bool X11Platform::WmSupportsMoveResize() {
  // A window manager that has gone away can leave _NET_SUPPORTED behind; it counts
  // only while its check window still names itself.
  const auto read_window = [&](::Window w, ::Window* out) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    quiet_errors = true;
    error_seen = false;
    const int rc = XGetWindowProperty(dpy_, w, atom(NET_SUPPORTING_WM_CHECK), 0, 1, False,
                                      XA_WINDOW, &type, &format, &n, &after, &data);
    XSync(dpy_, False);
    quiet_errors = false;
    const bool ok = rc == Success && !error_seen && data && n == 1 && format == 32;
    if (ok) *out = *reinterpret_cast<::Window*>(data);
    if (data) XFree(data);
    return ok;
  };
  ::Window check = 0, self = 0;
  if (!read_window(root_, &check) || !read_window(check, &self) || self != check) return false;

  Atom type;
  int format;
  unsigned long n = 0, after;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(dpy_, root_, atom(NET_SUPPORTED), 0, 4096, False, XA_ATOM, &type, &format,
                         &n, &after, &data) == Success &&
      data && format == 32) {
    const Atom* list = reinterpret_cast<Atom*>(data);
    for (unsigned long i = 0; i < n && !found; ++i) found = list[i] == atom(NET_WM_MOVERESIZE);
  }
  if (data) XFree(data);
  return found;
}

void X11Platform::Move(X11Window& w, ::Window xw, seam::TRect bounds) {
  const Press press = last_press_;
  if (WmSupportsMoveResize()) {
    // The window manager takes the pointer itself; we must hold no grab, and we keep
    // none afterwards whatever the window manager does with the request.
    XUngrabPointer(dpy_, CurrentTime);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xw;
    e.xclient.message_type = atom(NET_WM_MOVERESIZE);
    e.xclient.format = 32;
    e.xclient.data.l[0] = press.root_x;
    e.xclient.data.l[1] = press.root_y;
    e.xclient.data.l[2] = kNetWmMoveResizeMove;
    e.xclient.data.l[3] = long(press.x_button);
    e.xclient.data.l[4] = kSourceApplication;
    XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(dpy_);
    return;
  }
  // Our own move: follow the pointer until the button that started it is released;
  // any other button press ends it too. The grab is always given back.
  const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  if (XGrabPointer(dpy_, xw, False, mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime) !=
      GrabSuccess)
    return;
  ::Window r, c;
  int rx, ry, wx, wy;
  unsigned state = 0;
  XQueryPointer(dpy_, xw, &r, &c, &rx, &ry, &wx, &wy, &state);
  const unsigned held = Button1Mask << (press.x_button - Button1);
  bool moving = (state & held) != 0;
  while (moving) {
    XEvent e;
    XMaskEvent(dpy_, mask, &e);
    if (e.type == MotionNotify) {
      while (XCheckMaskEvent(dpy_, PointerMotionMask, &e)) {
      }
      w.MoveTo(bounds.Left + e.xmotion.x_root - press.root_x,
               bounds.Top + e.xmotion.y_root - press.root_y);
    } else if (e.type == ButtonPress || e.xbutton.button == press.x_button) {
      moving = false;
    }
  }
  XUngrabPointer(dpy_, CurrentTime);
  XFlush(dpy_);
}

bool X11Platform::WaitAndDispatch() {
  if (!listening_) {
    listening_ = true;
    for (auto& [w, window] : windows_) window->Listen();
  }
  XEvent e;
  XNextEvent(dpy_, &e);  // idle is blocking here: no timers, no polling
  if (has_randr_ && e.type == randr_event_base_ + RRScreenChangeNotify) {
    ScreenChanged(e);
    return true;
  }
  auto it = windows_.find(e.xany.window);
  if (it != windows_.end()) it->second->Dispatch(e);
  return true;
}

// --- window --------------------------------------------------------------------------

X11Window::X11Window(X11Platform& platform, const seam::WindowParams& p, seam::WindowEvents& events)
    : p_(platform), dpy_(platform.dpy()), events_(events), bounds_(p.bounds) {
  XSetWindowAttributes a{};
  a.background_pixel = p_.Pixel(p.color);
  a.border_pixel = 0;
  a.bit_gravity = NorthWestGravity;
  a.event_mask = p_.listening() ? kEventMask : kInputMask;
  const TPoint o = p_.origin();
  window_ = XCreateWindow(
      dpy_, p_.root(), bounds_.Left + o.X, bounds_.Top + o.Y, unsigned(std::max(1, bounds_.Width)),
      unsigned(std::max(1, bounds_.Height)), 0, CopyFromParent, InputOutput, CopyFromParent,
      CWBackPixel | CWBorderPixel | CWBitGravity | CWEventMask, &a);
  p_.Register(window_, this);

  // The title as a plain STRING property; converting through Xlib's locale machinery
  // would load locale files for a name that is one short word.
  char* title = const_cast<char*>(p.title.c_str());
  XTextProperty name{reinterpret_cast<unsigned char*>(title), XA_STRING, 8, p.title.size()};
  XClassHint class_hint{const_cast<char*>(p.class_name.c_str()), title};
  XWMHints wm_hints{};
  wm_hints.flags = InputHint | StateHint;
  wm_hints.input = True;
  wm_hints.initial_state = NormalState;
  XSetWMProperties(dpy_, window_, &name, &name, nullptr, 0, nullptr, &wm_hints, &class_hint);
  XChangeProperty(dpy_, window_, p_.atom(NET_WM_NAME), p_.atom(UTF8_STRING), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(p.title.data()), int(p.title.size()));
  Atom protocols[] = {p_.atom(WM_DELETE_WINDOW), p_.atom(NET_WM_PING)};
  XSetWMProtocols(dpy_, window_, protocols, 2);
  const long pid = getpid();
  XChangeProperty(dpy_, window_, p_.atom(NET_WM_PID), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  const Atom normal = p_.atom(NET_WM_WINDOW_TYPE_NORMAL);
  XChangeProperty(dpy_, window_, p_.atom(NET_WM_WINDOW_TYPE), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&normal), 1);
  // Frameless through the Motif hints: flags, functions, decorations, input mode,
  // status, five longs, with only the decorations flag set and no decorations.
  const long motif[5] = {2, 0, 0, 0, 0};
  XChangeProperty(dpy_, window_, p_.atom(MOTIF_WM_HINTS), p_.atom(MOTIF_WM_HINTS), 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(motif), 5);
  SetNormalHints();
}

// Structure events are selected once the message loop runs: before that nothing reads
// them, and the grow-in would only queue hundreds of notices of its own resizes.
void X11Window::Listen() {
  XSelectInput(dpy_, window_, kEventMask);
  ::Window root, parent, *children = nullptr;
  unsigned n = 0;
  if (XQueryTree(dpy_, window_, &root, &parent, &children, &n)) parent_is_root_ = parent == root;
  if (children) XFree(children);
}

X11Window::~X11Window() {
  p_.Unregister(window_);
  XDestroyWindow(dpy_, window_);
  XFlush(dpy_);
}

TPoint X11Window::ToScreen(int root_x, int root_y) const {
  return {root_x - p_.origin().X, root_y - p_.origin().Y};
}

void X11Window::SetNormalHints() {
  XSizeHints h{};
  h.flags = USPosition | PPosition | USSize | PSize | PWinGravity;
  h.x = bounds_.Left + p_.origin().X;
  h.y = bounds_.Top + p_.origin().Y;
  h.width = bounds_.Width;
  h.height = bounds_.Height;
  h.win_gravity = NorthWestGravity;
  XSetWMNormalHints(dpy_, window_, &h);
}

// Each change is applied on the server before the next one is made: the server
// repaints what a resize uncovers from the window's background picture at once.
void X11Window::Place() {
  XMoveWindow(dpy_, window_, bounds_.Left + p_.origin().X, bounds_.Top + p_.origin().Y);
  XSync(dpy_, False);
}

void X11Window::Resize() {
  XResizeWindow(dpy_, window_, unsigned(std::max(1, bounds_.Width)),
                unsigned(std::max(1, bounds_.Height)));
  XSync(dpy_, False);
}

void X11Window::MoveTo(int left, int top) {
  bounds_.Left = left;
  bounds_.Top = top;
  Place();
  events_.Moved({left, top});
}

void X11Window::Show() {
  SetNormalHints();  // window managers place a new window where its hints say
  XMapRaised(dpy_, window_);
  XSync(dpy_, False);
}

void X11Window::Hide() {
  XWithdrawWindow(dpy_, window_, DefaultScreen(dpy_));
  XSync(dpy_, False);
}

void X11Window::Present(const seam::TBitmap& frame) {
  // The frame becomes the window's background: the server itself then paints every
  // part a resize or an overlapping window uncovers, with no round trip to us.
  const int depth = DefaultDepth(dpy_, DefaultScreen(dpy_));
  Pixmap pixmap =
      XCreatePixmap(dpy_, window_, unsigned(frame.Width), unsigned(frame.Height), unsigned(depth));
  std::vector<std::uint32_t> scratch;
  XImage* img = p_.MakeImage(frame, scratch);
  if (img) {
    GC gc = XCreateGC(dpy_, pixmap, 0, nullptr);
    XPutImage(dpy_, pixmap, gc, img, 0, 0, 0, 0, unsigned(frame.Width), unsigned(frame.Height));
    XFreeGC(dpy_, gc);
    img->data = nullptr;  // the pixels belong to the frame or to scratch
    XDestroyImage(img);
  }
  XSetWindowBackgroundPixmap(dpy_, window_, pixmap);
  XFreePixmap(dpy_, pixmap);  // the window keeps its own reference
  XClearWindow(dpy_, window_);
  XSync(dpy_, False);
}

void X11Window::SetColorKey(seam::TColor, const std::optional<std::vector<seam::TRect>>& opaque) {
  if (!p_.has_shape()) return;  // without Shape the window stays opaque, all of it live
  if (!opaque) {
    XShapeCombineMask(dpy_, window_, ShapeBounding, 0, 0, None, ShapeSet);
    XShapeCombineMask(dpy_, window_, ShapeInput, 0, 0, None, ShapeSet);
    return;
  }
  std::vector<XRectangle> rects;
  rects.reserve(opaque->size());
  for (const seam::TRect& r : *opaque)
    rects.push_back(
        {short(r.Left), short(r.Top), (unsigned short)(r.Width), (unsigned short)(r.Height)});
  for (int kind : {ShapeBounding, ShapeInput})
    XShapeCombineRectangles(dpy_, window_, kind, 0, 0, rects.data(), int(rects.size()), ShapeSet,
                            Unsorted);
  XFlush(dpy_);
}

void X11Window::SetCursor(seam::TCursor cursor) {
  cursor_defined_ = true;
  XDefineCursor(dpy_, window_, p_.CursorFor(cursor));
  XFlush(dpy_);
}

void X11Window::SetIcon(const std::vector<seam::TIconImage>& images) {
  // _NET_WM_ICON is a list of width, height and ARGB pixels, each as a C long.
  std::vector<long> data;
  for (const seam::TIconImage& i : images) {
    data.push_back(i.Size);
    data.push_back(i.Size);
    data.insert(data.end(), i.Argb.begin(), i.Argb.end());
  }
  XChangeProperty(dpy_, window_, p_.atom(NET_WM_ICON), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
}

void X11Window::StartSystemMove() {
  p_.Move(*this, window_, bounds_);
}

void X11Window::ReleaseCapture() {
  XUngrabPointer(dpy_, CurrentTime);
  XFlush(dpy_);
}

void X11Window::NoteRootPosition(int root_x, int root_y) {
  const TPoint at = ToScreen(root_x, root_y);
  if (at.X == bounds_.Left && at.Y == bounds_.Top) return;
  bounds_.Left = at.X;
  bounds_.Top = at.Y;
  events_.Moved(at);
}

void X11Window::Dispatch(XEvent& e) {
  switch (e.type) {
    case ButtonPress:
    case ButtonRelease: {
      const XButtonEvent& b = e.xbutton;
      if (b.button < Button1 || b.button > Button3) return;  // wheels are not buttons here
      const TMouseButton button = b.button == Button1   ? TMouseButton::mbLeft
                                  : b.button == Button2 ? TMouseButton::mbMiddle
                                                        : TMouseButton::mbRight;
      NoteRootPosition(b.x_root - b.x, b.y_root - b.y);
      const TPoint screen = ToScreen(b.x_root, b.y_root);
      if (e.type == ButtonPress) {
        p_.NotePress({button, b.button, b.x_root, b.y_root});
        events_.MouseDown(button, screen, {b.x, b.y});
      } else {
        events_.MouseUp(button, screen, {b.x, b.y});
      }
      return;
    }
    case MotionNotify: {
      while (XCheckTypedWindowEvent(dpy_, window_, MotionNotify, &e)) {
      }
      const XMotionEvent& m = e.xmotion;
      events_.MouseMove(ToScreen(m.x_root, m.y_root), {m.x, m.y});
      return;
    }
    case EnterNotify: {
      // The arrow is made when the pointer first comes in, not while the window starts.
      if (!arrow_defined_) {
        arrow_defined_ = true;
        if (!cursor_defined_) XDefineCursor(dpy_, window_, p_.CursorFor(seam::TCursor::crDefault));
      }
      const XCrossingEvent& c = e.xcrossing;
      events_.MouseMove(ToScreen(c.x_root, c.y_root), {c.x, c.y});
      return;
    }
    case ReparentNotify:
      parent_is_root_ = e.xreparent.parent == p_.root();
      return;
    case ConfigureNotify:
      // Real events carry coordinates in the parent; only an unparented window's or a
      // window manager's synthetic ones are root coordinates.
      if (e.xconfigure.send_event || parent_is_root_)
        NoteRootPosition(e.xconfigure.x, e.xconfigure.y);
      return;
    case ClientMessage:
      if (e.xclient.message_type != p_.atom(WM_PROTOCOLS)) return;
      if (Atom(e.xclient.data.l[0]) == p_.atom(WM_DELETE_WINDOW)) {
        events_.CloseRequest();
      } else if (Atom(e.xclient.data.l[0]) == p_.atom(NET_WM_PING)) {
        e.xclient.window = p_.root();
        XSendEvent(dpy_, p_.root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(dpy_);
      }
      return;
    default:
      return;
  }
}

}  // namespace
}  // namespace x11

namespace seam {

std::unique_ptr<Platform> OpenDefault(std::string& error) {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) {
    error = "cannot open the display: DISPLAY is not set";
    return nullptr;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (!dpy) {
    error = std::string("cannot open the display '") + name + "'";
    return nullptr;
  }
  x11::display_name = name;
  XSetIOErrorHandler(x11::OnIoError);
  XSetErrorHandler(x11::OnError);
  return std::make_unique<x11::X11Platform>(dpy);
}

}  // namespace seam
