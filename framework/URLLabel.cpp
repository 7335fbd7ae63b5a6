#include "URLLabel.h"

#include "WinApi.h"

namespace vcl {

std::string TrimURL(const std::string& url) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t first = 0, last = url.size();
  while (first < last && blank(url[first])) ++first;
  while (last > first && blank(url[last - 1])) --last;
  return url.substr(first, last - first);
}

void TsuiURLLabel::Click() {
  // The shell gets the URL as stored; only the test for emptiness looks at it trimmed.
  if (!TrimURL(URL).empty())
    winapi::ShellExecuteA(0, "open", URL.c_str(), nullptr, nullptr, winapi::SW_SHOW);
  TControl::Click();
}

}  // namespace vcl
