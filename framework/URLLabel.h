// A hyperlink label: a click opens its URL through the shell, then raises the label's
// ordinary click event. The pointer shows its cursor over it, and its font takes the
// hover colour while the pointer is over it.
#pragma once

#include <string>

#include "Forms.h"

namespace vcl {

class TsuiURLLabel : public TControl {
 public:
  explicit TsuiURLLabel(TForm* parent) : TControl(parent) { Cursor = crHandPoint; }
  std::string Caption;
  std::string URL;
  bool AutoSize = true;
  bool Transparent = false;
  TColor FontLinkColor = 0x0000FF;
  TColor FontHoverColor = 0xFF0000;
  TFont Font;

  void Click() override;
  void MouseEnter() override { Font.Color = FontHoverColor; }
  void MouseLeave() override { Font.Color = FontLinkColor; }
};

// The label's URL without leading and trailing spaces and control characters.
std::string TrimURL(const std::string& url);

}  // namespace vcl
