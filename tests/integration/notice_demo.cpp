// Starts the program's two windows as the launcher does, then shows the completion
// notice (which the launcher itself never does) with the launcher moved off screen, so tests
// can see and click the notice alone.
#include "Forms.h"
#include "fr_msg.h"
#include "fr_utama.h"

int main() {
  using vcl::Application;
  try {
    Application->Title = "Setup";
    Application->Initialize();
    Application->CreateForm<Tfrm_utama>(frm_utama);
    Application->CreateForm<Tfrm_msg>(frm_msg);
    frm_utama->Left = -2000;  // out of the way: the main form shows while Run goes
    frm_msg->Show();
    Application->Run();
  } catch (const std::exception& e) {
    Application->ShowException(e);
    return 1;
  }
  return 0;
}
