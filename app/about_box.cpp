#include "app/about_box.h"

namespace quillet {

TAboutBox* AboutBox = nullptr;

void TAboutBox::Create(HWND owner) {
  CreateForm({"バージョン情報", 0, 0, 298, 213, /*clientSize=*/true, /*sizeable=*/false, /*dialogBorder=*/true,
              /*centred=*/true},
             nullptr, owner);
  SetFont("ＭＳ Ｐゴシック", 12, SHIFTJIS_CHARSET);
  Panel1.Create(Handle(), {8, 8, 281, 161});
  HWND panel = Panel1.Handle();
  ProgramIcon.Create(panel, {24, 16, 41, 41}, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
  ProductName.Create(panel, {88, 16, 180, 14}, "Quillet");
  Version.Create(panel, {88, 40, 180, 14}, "Version 0.6a");
  Comments.Create(panel, {8, 104, 265, 40}, "必要な所だけバックアップするソフトです。", /*wordWrap=*/true);
  OKButton.Create(Handle(), {111, 180, 75, 25}, "OK", /*isDefault=*/true);
  SetWindowLongPtrA(OKButton.Handle(), GWLP_ID, IDOK);
  OKButton.onClick = [this] { SetModalResult(ui::kModalOk); };
}

}  // namespace quillet
