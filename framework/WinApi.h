// The few window-system calls the program makes by name, answered by the framework
// through the window system in use.
#pragma once

#include <cstdint>

namespace winapi {

using HWND = std::uintptr_t;
using UINT = unsigned;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HINSTANCE = std::intptr_t;

inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr WPARAM SC_MOVE = 0xF010;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

// Ends any mouse capture, the framework's and the window system's.
bool ReleaseCapture();
// Delivers a message to the window `hwnd` and returns when it has been handled. The
// system command SC_MOVE (with HTCAPTION in its low bits) runs the interactive move.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
// Asks the shell to act on a file or address; null pointers are absent values.
// Returns a value greater than 32 on success.
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show_command);

}  // namespace winapi
