// Window descriptions: a form's settings and its controls bottom to top, as data.
// Event bindings are member-function pointers of the form's class, so a binding to a
// handler that does not exist fails to compile.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "Forms.h"
#include "URLLabel.h"

namespace vcl {

template <class TF>
using TNotifyHandler = void (TF::*)(TObject* Sender);
template <class TF>
using TMouseHandler = void (TF::*)(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                   int Y);

template <class TF>
struct TImageDescription {
  TImage* TF::*Field;
  const char* Name;
  TRect Bounds;
  TAlign Align = alNone;
  bool Transparent = false;
  const TEmbedded* Picture = nullptr;
  TCursor Cursor = crDefault;
  TNotifyHandler<TF> OnClick = nullptr;
  TMouseHandler<TF> OnMouseDown = nullptr;
};

template <class TF>
struct TURLLabelDescription {
  TsuiURLLabel* TF::*Field;
  const char* Name;
  TRect Bounds;
  TCursor Cursor = crHandPoint;
  const char* Caption = "";
  bool AutoSize = true;
  bool Transparent = false;
  const char* URL = "";
  TColor FontLinkColor = 0x0000FF;
  TColor FontHoverColor = 0xFF0000;
  TFont Font;
  TNotifyHandler<TF> OnClick = nullptr;
};

template <class TF>
using TControlDescription = std::variant<TImageDescription<TF>, TURLLabelDescription<TF>>;

template <class TF>
struct TFormDescription {
  TFormSettings Form;
  TNotifyHandler<TF> OnCreate = nullptr;
  std::vector<TControlDescription<TF>> Controls;  // bottom to top
};

namespace detail {

template <class TF>
TNotifyEvent Bind(TF& form, TNotifyHandler<TF> handler) {
  if (!handler) return nullptr;
  return [&form, handler](TObject* sender) { (form.*handler)(sender); };
}

template <class TF>
TMouseEvent Bind(TF& form, TMouseHandler<TF> handler) {
  if (!handler) return nullptr;
  return [&form, handler](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    (form.*handler)(s, b, sh, x, y);
  };
}

inline void PlaceControl(TControl& c, const char* name, TRect bounds, TCursor cursor) {
  c.Name = name;
  c.Left = bounds.Left;
  c.Top = bounds.Top;
  c.Width = bounds.Width;
  c.Height = bounds.Height;
  c.Cursor = cursor;
}

template <class TF>
void Make(TF& form, const TImageDescription<TF>& d) {
  TImage* c = form.template AddControl<TImage>();
  PlaceControl(*c, d.Name, d.Bounds, d.Cursor);
  c->Align = d.Align;
  c->Transparent = d.Transparent;
  if (d.Picture) c->Picture.LoadFromEmbedded(*d.Picture);
  c->OnClick = Bind(form, d.OnClick);
  c->OnMouseDown = Bind(form, d.OnMouseDown);
  form.*d.Field = c;
}

template <class TF>
void Make(TF& form, const TURLLabelDescription<TF>& d) {
  TsuiURLLabel* c = form.template AddControl<TsuiURLLabel>();
  PlaceControl(*c, d.Name, d.Bounds, d.Cursor);
  c->Caption = d.Caption;
  c->AutoSize = d.AutoSize;
  c->Transparent = d.Transparent;
  c->URL = d.URL;
  c->FontLinkColor = d.FontLinkColor;
  c->FontHoverColor = d.FontHoverColor;
  c->Font = d.Font;
  c->OnClick = Bind(form, d.OnClick);
  form.*d.Field = c;
}

}  // namespace detail

// Applies a description to a newly made form: settings, controls bottom to top,
// scaling for the screen and the native window (hidden), then the creation handler.
template <class TF>
void LoadDescription(TF& form, const TFormDescription<TF>& d) {
  form.ApplySettings(d.Form);
  for (const TControlDescription<TF>& c : d.Controls)
    std::visit([&form](const auto& cd) { detail::Make(form, cd); }, c);
  form.FinishLoading();
  form.OnCreate = detail::Bind(form, d.OnCreate);
  form.DoCreate();
}

}  // namespace vcl
