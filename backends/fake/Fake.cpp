#include "Fake.h"

#include <string>

namespace fake {
namespace {

std::unique_ptr<Platform> prepared;

std::string Text(const std::optional<std::string>& s) {
  return s ? '"' + *s + '"' : "absent";
}

}  // namespace

std::vector<std::string> Log::Since(std::size_t from, const std::string& prefix) const {
  std::vector<std::string> out;
  for (std::size_t i = from; i < calls.size(); ++i)
    if (calls[i].compare(0, prefix.size(), prefix) == 0) out.push_back(calls[i]);
  return out;
}

void Window::SetLeft(int v) {
  bounds_.Left = v;
  log_.Add(name_ + ".SetLeft " + std::to_string(v));
}
void Window::SetTop(int v) {
  bounds_.Top = v;
  log_.Add(name_ + ".SetTop " + std::to_string(v));
}
void Window::SetWidth(int v) {
  bounds_.Width = v;
  log_.Add(name_ + ".SetWidth " + std::to_string(v));
}
void Window::SetHeight(int v) {
  bounds_.Height = v;
  log_.Add(name_ + ".SetHeight " + std::to_string(v));
}
void Window::Show() {
  visible_ = true;
  log_.Add(name_ + ".Show");
}
void Window::Hide() {
  visible_ = false;
  log_.Add(name_ + ".Hide");
}
void Window::Present(const seam::TBitmap& frame) {
  frame_ = frame;
  log_.Add(name_ + ".Present " + std::to_string(frame.Width) + "x" + std::to_string(frame.Height));
}
void Window::SetColorKey(seam::TColor, const std::optional<std::vector<seam::TRect>>& opaque) {
  shape_ = opaque;
  shape_set_ = true;
  log_.Add(name_ + ".SetColorKey " + (opaque ? std::to_string(opaque->size()) + " rects" : "none"));
}
void Window::SetCursor(seam::TCursor c) {
  cursor_ = c;
  log_.Add(name_ + ".SetCursor " + (c == seam::TCursor::crHandPoint ? "crHandPoint" : "crDefault"));
}
void Window::SetIcon(const std::vector<seam::TIconImage>& images) {
  icon_ = images;
  log_.Add(name_ + ".SetIcon " + std::to_string(images.size()));
}
void Window::StartSystemMove() {
  log_.Add(name_ + ".StartSystemMove");
}
void Window::ReleaseCapture() {
  log_.Add(name_ + ".ReleaseCapture");
}

void Window::Press(seam::TMouseButton b, seam::TPoint client) {
  events_.MouseDown(b, Screen(client), client);
}
void Window::Release(seam::TMouseButton b, seam::TPoint client) {
  events_.MouseUp(b, Screen(client), client);
}
void Window::Click(seam::TPoint client) {
  Press(seam::TMouseButton::mbLeft, client);
  Release(seam::TMouseButton::mbLeft, client);
}
void Window::Move(seam::TPoint client) {
  events_.MouseMove(Screen(client), client);
}
void Window::MovedBySystem(seam::TPoint to) {
  bounds_.Left = to.X;
  bounds_.Top = to.Y;
  events_.Moved(to);
}

int Shell::Open(const seam::ShellRequest& r) {
  requests.push_back(r);
  log_.Add("Shell.Open owner=" + std::to_string(r.owner) + " verb=" + Text(r.verb) +
           " file=" + Text(r.file) + " parameters=" + Text(r.parameters) +
           " directory=" + Text(r.directory) + " show=" + std::to_string(r.show_command));
  return result;
}

std::unique_ptr<seam::Window> Platform::CreateWindow(const seam::WindowParams& p,
                                                     seam::WindowEvents& events) {
  auto w = std::make_unique<Window>(log, p, events, next_handle_++);
  windows_[p.class_name] = w.get();
  log.Add("Create " + p.class_name + " " + std::to_string(p.bounds.Left) + "," +
          std::to_string(p.bounds.Top) + " " + std::to_string(p.bounds.Width) + "x" +
          std::to_string(p.bounds.Height) + " title=" + p.title);
  return w;
}

seam::ScreenMetrics Platform::Screen() {
  ++screen_reads;
  return metrics;
}

bool Platform::WaitAndDispatch() {
  if (events.empty()) return false;
  auto next = std::move(events.front());
  events.pop_front();
  next();
  return true;
}

Window* Platform::Find(const std::string& name) const {
  auto it = windows_.find(name);
  return it == windows_.end() ? nullptr : it->second;
}

void PrepareDefault(std::unique_ptr<Platform> platform) {
  prepared = std::move(platform);
}

}  // namespace fake

namespace seam {

std::unique_ptr<Platform> OpenDefault(std::string& error) {
  if (!fake::prepared) {
    error = "no fake window system was prepared";
    return nullptr;
  }
  return std::move(fake::prepared);
}

}  // namespace seam
