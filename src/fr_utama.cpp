#include "fr_utama.h"

#include "WinApi.h"

using namespace vcl;

Tfrm_utama* frm_utama = nullptr;

namespace {

// Centres the launcher on the primary screen; a window wider or taller than the
// screen gets a negative position, rounded toward zero, and is not clamped.
void CentreOnScreen() {
  frm_utama->Left = Div(Screen->Width() - frm_utama->Width, 2);
  frm_utama->Top = Div(Screen->Height() - frm_utama->Height, 2);
}

}  // namespace

// Grows the launcher in from a 38 x 19 rectangle at the screen's centre to its designed
// size, a fixed step per round, before anything else happens.
void Tfrm_utama::FormCreate(TObject*) {
  const int W = frm_utama->Width;
  const int H = frm_utama->Height;
  frm_utama->Width = 38;
  frm_utama->Height = 19;
  CentreOnScreen();
  frm_utama->Show();
  do {
    const int new_height = frm_utama->Height + H / 100;
    frm_utama->Height = H > new_height ? new_height : H;
    const int new_width = frm_utama->Width + W / 100;
    frm_utama->Width = W > new_width ? new_width : W;
    CentreOnScreen();
  } while (!(frm_utama->Width == W && frm_utama->Height == H));
}

// Starts the product's installer, named relative to the current directory.
void Tfrm_utama::Image_QRBClick(TObject*) {
  winapi::ShellExecuteA(Handle(), "open", "Setup\\setup qrb.exe", "", "", winapi::SW_SHOWNORMAL);
}

void Tfrm_utama::Image_closeClick(TObject*) {
  Close();
}

// Any button pressed on the background hands the window to the system's move.
void Tfrm_utama::Image1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  winapi::ReleaseCapture();
  winapi::SendMessageA(Handle(), winapi::WM_SYSCOMMAND, 0xF012, 0);
}

// The top 40 rows are the drag band: they answer as a caption.
void Tfrm_utama::WMNCHitTest(TWMNCHitTest& Message) {
  TForm::WMNCHitTest(Message);
  if (Message.Result == HTCLIENT && Message.YPos < Top + 40) Message.Result = HTCAPTION;
}
