// The completion notice: green letters on a white surround that the colour key makes
// invisible and click-through. Built at start-up and kept hidden.
#pragma once

#include "Description.h"
#include "Forms.h"

class Tfrm_msg : public vcl::TForm {
 public:
  using TForm::TForm;
  static const vcl::TFormDescription<Tfrm_msg> Description;

  vcl::TImage* Image1 = nullptr;

  void Image1Click(vcl::TObject* Sender);
  void WMNCHitTest(vcl::TWMNCHitTest& Message) override;
};

extern Tfrm_msg* frm_msg;
