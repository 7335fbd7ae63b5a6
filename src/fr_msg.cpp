#include "fr_msg.h"

using namespace vcl;

Tfrm_msg* frm_msg = nullptr;

// Not being the main window, the notice only hides when closed.
void Tfrm_msg::Image1Click(TObject*) {
  Close();
}

// The top 40 rows are the drag band: they answer as a caption.
void Tfrm_msg::WMNCHitTest(TWMNCHitTest& Message) {
  TForm::WMNCHitTest(Message);
  if (Message.Result == HTCLIENT && Message.YPos < Top + 40) Message.Result = HTCAPTION;
}
