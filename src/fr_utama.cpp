#include "fr_utama.h"

#include "WinApi.h"

Tfrm_utama* frm_utama = nullptr;

void Tfrm_utama::FormCreate(vcl::TObject*) {}

// Starts the product's installer, named relative to the current directory.
void Tfrm_utama::Image_QRBClick(vcl::TObject*) {
  winapi::ShellExecuteA(Handle(), "open", "Setup\\setup qrb.exe", "", "", winapi::SW_SHOWNORMAL);
}

void Tfrm_utama::Image_closeClick(vcl::TObject*) { Close(); }

void Tfrm_utama::Image1MouseDown(vcl::TObject*, vcl::TMouseButton, vcl::TShiftState, int, int) {}

void Tfrm_utama::WMNCHitTest(vcl::TWMNCHitTest& Message) { TForm::WMNCHitTest(Message); }
