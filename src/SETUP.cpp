#include "SETUP.h"

#include "Forms.h"
#include "fr_msg.h"
#include "fr_utama.h"

namespace SETUP {

int Main() {
  using vcl::Application;
  try {
    Application->Initialize();
    Application->CreateForm<Tfrm_utama>(frm_utama);
    Application->CreateForm<Tfrm_msg>(frm_msg);
    Application->Run();
  } catch (const std::exception& e) {
    Application->ShowException(e);
    return 1;
  }
  return 0;
}

}  // namespace SETUP
