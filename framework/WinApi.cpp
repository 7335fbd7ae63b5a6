#include "WinApi.h"

#include "Forms.h"

namespace winapi {

bool ReleaseCapture() {
  vcl::Application->ReleaseCapture();
  return true;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM) {
  vcl::TForm* form = vcl::Application->FindForm(hwnd);
  if (!form || !form->NativeWindow()) return 0;
  if (msg == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_MOVE) form->NativeWindow()->StartSystemMove();
  return 0;
}

HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show_command) {
  const auto text = [](const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; };
  seam::ShellRequest request{owner,           text(verb),  text(file), text(parameters),
                             text(directory), show_command};
  return vcl::Application->Platform().GetShell().Open(request);
}

}  // namespace winapi
