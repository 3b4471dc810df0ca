// The options dialog: destination drive, temporary folder, trace logging.
#pragma once
#include "platform/text.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace quillet {

class TForm2 : public ui::Form {
 public:
  // Loads the controls from Settings; this happens once per run.
  void Create(HWND owner);

  ui::Label Label1, Label2;
  ui::DriveComboBox DriveComboBox1;
  ui::Edit Edit1;
  ui::Button Button3, Button1, Button2;
  ui::CheckBox CheckBox1;

  void Button1Click();
  void Button2Click();
  void Button3Click();
};

extern TForm2* Form2;

// The shell's folder picker owned by owner: the chosen path, "-1" when cancelled,
// or the empty text when the shell's allocator cannot be had.
Text BrowseForFolder(HWND owner);

// The temporary-folder text as "ＯＫ" stores it: with its final backslash. Empty stays empty.
Text WithFinalBackslash(const Text& folder);

}  // namespace quillet
