// The version information box.
#pragma once
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace quillet {

class TAboutBox : public ui::Form {
 public:
  void Create(HWND owner);

  ui::Panel Panel1;
  ui::Image ProgramIcon;
  ui::Label ProductName, Version, Comments;
  ui::Button OKButton;
};

extern TAboutBox* AboutBox;

}  // namespace quillet
