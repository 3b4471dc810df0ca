// Entry point: the three windows in their order, the message loop, exit code 0 always.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <string>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/options_dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace quillet;
  try {
    INITCOMMONCONTROLSEX cc = {sizeof cc, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&cc);
    Form1 = new TForm1;
    Form1->Create();
    AboutBox = new TAboutBox;
    AboutBox->Create(Form1->Handle());
    Form2 = new TForm2;
    Form2->Create(Form1->Handle());
    Form1->Show();
    ui::RunMessageLoop();
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), "Quillet", MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxA(nullptr, "予期しないエラーが発生しました。", "Quillet", MB_OK | MB_ICONERROR);
  }
  return 0;
}
