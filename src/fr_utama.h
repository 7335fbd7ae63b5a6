// The launcher window: the publisher's artwork with two invisible hot spots over its
// painted buttons and a link label over its painted web address.
#pragma once

#include "Description.h"
#include "Forms.h"
#include "URLLabel.h"

class Tfrm_utama : public vcl::TForm {
 public:
  using TForm::TForm;
  static const vcl::TFormDescription<Tfrm_utama> Description;

  vcl::TImage* Image1 = nullptr;
  vcl::TImage* Image_QRB = nullptr;
  vcl::TImage* Image_close = nullptr;
  vcl::TsuiURLLabel* suiURLLabel1 = nullptr;

  void FormCreate(vcl::TObject* Sender);
  void Image_QRBClick(vcl::TObject* Sender);
  void Image_closeClick(vcl::TObject* Sender);
  void Image1MouseDown(vcl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState Shift,
                       int X, int Y);
  void WMNCHitTest(vcl::TWMNCHitTest& Message) override;
};

extern Tfrm_utama* frm_utama;
