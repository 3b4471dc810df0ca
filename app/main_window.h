// The main window: filter bar, the backup and restore pages, the menu.
#pragma once
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace quillet {

class TForm1 : public ui::Form {
 public:
  // Creates the window and runs the start-up sequence (FormCreate).
  void Create();

  ui::SpeedButton SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6,
      SpeedButton7, SpeedButton8, SpeedButton9;
  ui::PageControl PageControl1;
  ui::Label Label1, Label6;
  ui::ListBox ListBox1, ListBox2, ListBox3;
  ui::DriveComboBox DriveComboBox2;
  ui::Button Button1, Button2, Button3;
  ui::Hints hints;

  // The hidden third page: laid out, never shown, no behaviour.
  struct PatternPage {
    ui::Label Label2, Label3, Label4, Label5;
    ui::Edit Edit1;
    ui::DriveComboBox DriveComboBox1;
    ui::ListBox DirectoryListBox1;
    ui::CheckBox CheckBox1, CheckBox2;
  } TabSheet3Controls;

  // The speed button of a category index (ALL, SYS, APP, GAME, 18禁, 同人, ETC, USER).
  ui::SpeedButton& CategoryButton(int index);

 private:
  void CreateControls();
  void FormCreate();

  void Exit1Click();
  void N3Click();
  void N4Click();
  void ListBox1Click();
  void SpeedButton9Click();
};

extern TForm1* Form1;

// Ends the process at once, as start-up does when no definition loads; tests replace it.
extern void (*TerminateProcessNow)();

}  // namespace quillet
