#include "app/options_dialog.h"

#include <shlobj.h>

#include "app/control_ids.h"
#include "app/drive_boxes.h"
#include "app/settings.h"
#include "platform/msgbox.h"

namespace quillet {

TForm2* Form2 = nullptr;

void TForm2::Create(HWND owner) {
  CreateForm({"各種設定", 262, 111, 488, 307, /*clientSize=*/false, /*sizeable=*/true, /*dialogBorder=*/false,
              /*centred=*/false},
             nullptr, owner);
  SetFont("ＭＳ Ｐゴシック", 12, SHIFTJIS_CHARSET);
  HWND h = Handle();
  Label1.Create(h, {8, 16, 159, 12}, "バックアップ先のドライブを指定");
  Label2.Create(h, {240, 16, 128, 12}, "テンポラリファイルの指定");
  // Created in tab order: the drive box, the check box, ＯＫ, キャンセル, the folder box, 参照.
  DriveComboBox1.Create(h, {16, 32, 137, 18});
  DriveComboBox1.SetId(ids::kOptDriveComboBox1);
  CheckBox1.Create(h, {8, 88, 161, 17}, "ログの保存をする");
  CheckBox1.SetId(ids::kOptCheckBox1);
  Button1.Create(h, {280, 248, 89, 25}, "ＯＫ");
  Button1.SetId(ids::kOptButton1);
  Button1.onClick = [this] { Button1Click(); };
  Button2.Create(h, {376, 248, 89, 25}, "キャンセル");
  Button2.SetId(ids::kOptButton2);
  Button2.onClick = [this] { Button2Click(); };
  Edit1.Create(h, {192, 32, 225, 20});
  Edit1.SetId(ids::kOptEdit1);
  Button3.Create(h, {424, 32, 41, 17}, "参照");
  Button3.SetId(ids::kOptButton3);
  Button3.onClick = [this] { Button3Click(); };

  TheDriveBoxes().selectOptions = [this](char drive) { DriveComboBox1.SetDrive(drive); };
  CheckBox1.SetChecked(Settings.logEnabled != 0);
  ApplySettings(2);
  Edit1.SetText(TempFolder());
}

Text WithFinalBackslash(const Text& folder) {
  if (folder.empty() || FindLastChar(folder, '\\') == folder.size() - 1) return folder;
  return folder + "\\";
}

void TForm2::Button1Click() {
  // Every user of the folder appends to it directly, so it must end in a backslash.
  std::string folder = WithFinalBackslash(Edit1.Text());
  if (folder.size() > (kTempFolderSize - 1)) {
    ShowMessageBox("テンポラリフォルダの指定が長すぎます。" + std::to_string((kTempFolderSize - 1)) +
                       "バイト以内で指定してください。",
                   "各種設定", kMbOk | kMbIconInformation);
    return;
  }
  Edit1.SetText(folder);
  if (char drive = DriveComboBox1.Drive()) Settings.backupDrive = drive;
  Settings.logEnabled = CheckBox1.Checked() ? 1 : 0;
  SetTempFolder(folder);
  SaveSettings();
  SetModalResult(ui::kModalOk);
  Close();
}

void TForm2::Button2Click() { Close(); }

void TForm2::Button3Click() {
  std::string chosen = BrowseForFolder(Handle());
  if (chosen != "-1") Edit1.SetText(chosen);
}

Text BrowseForFolder(HWND owner) {
  IMalloc* allocator = nullptr;
  if (SHGetMalloc(&allocator) != S_OK || !allocator) return Text();
  char displayName[260] = "";
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = displayName;
  info.lpszTitle = "フォルダを選んで下さい";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST item = SHBrowseForFolderA(&info);
  if (!item) {
    allocator->Release();
    return "-1";
  }
  char path[260] = "";
  SHGetPathFromIDListA(item, path);
  allocator->Free(item);
  allocator->Release();
  return path;
}

}  // namespace quillet
