#include "app/main_window.h"

#include "app/about_box.h"
#include "app/browser.h"
#include "app/control_ids.h"
#include "app/drive_boxes.h"
#include "app/log.h"
#include "app/options_dialog.h"
#include "app/settings.h"
#include "archiver/archiver.h"
#include "definitions/bak_list.h"
#include "definitions/loader.h"
#include "engine/staging.h"
#include "platform/msgbox.h"

namespace quillet {

TForm1* Form1 = nullptr;

static void ExitAtOnce() { ExitProcess(0); }
void (*TerminateProcessNow)() = ExitAtOnce;

static const char kFontFace[] = "ＭＳ Ｐゴシック";

void TForm1::Create() {
  HMENU menu = CreateMenu();
  HMENU file = CreatePopupMenu(), settings = CreatePopupMenu(), about = CreatePopupMenu();
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "ファイル");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), "設定");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(about), "バージョン情報");
  CreateForm({"Quillet", 182, 210, 552, 366, /*clientSize=*/true, /*sizeable=*/false, /*dialogBorder=*/false,
              /*centred=*/false},
             menu);
  SetMainForm(true);
  AddMenuItem(file, ids::kMenuExit1, "終了", [this] { Exit1Click(); });
  AddMenuItem(settings, ids::kMenuN3, "環境設定", [this] { N3Click(); });
  AddMenuItem(about, ids::kMenuN4, "バージョン", [this] { N4Click(); });
  SetFont(kFontFace, 12, SHIFTJIS_CHARSET);
  CreateControls();
  FormCreate();
}

ui::SpeedButton& TForm1::CategoryButton(int index) {
  ui::SpeedButton* buttons[] = {&SpeedButton1, &SpeedButton2, &SpeedButton7, &SpeedButton3,
                                &SpeedButton4, &SpeedButton8, &SpeedButton5, &SpeedButton6};
  return *buttons[index];
}

void TForm1::CreateControls() {
  HWND h = Handle();
  hints.Create(h);

  struct FilterButton {
    ui::SpeedButton& button;
    int id, left, width;
    const char* caption;
    bool down;
    const char* hint;
  };
  const FilterButton filters[] = {
      {SpeedButton9, ids::kSpeedButton9, 152, 57, "OSマスク", true,
       "使用中のＯＳが未対応な物を表示するかのスイッチ（通常ＯＮ）"},
      {SpeedButton1, ids::kSpeedButton1, 232, 33, "ALL", true, "すべてのバックアップ定義を表示します"},
      {SpeedButton2, ids::kSpeedButton2, 272, 33, "SYS", false, "システム関連の定義を表示"},
      {SpeedButton7, ids::kSpeedButton7, 304, 33, "APP", false, "アプリケーション関連の定義を表示"},
      {SpeedButton3, ids::kSpeedButton3, 336, 33, "GAME", false, "一般向けゲームの定義を表示"},
      {SpeedButton4, ids::kSpeedButton4, 368, 33, "18禁", false, "１８禁ゲームの定義を表示"},
      {SpeedButton8, ids::kSpeedButton8, 400, 33, "同人", false, "同人ソフト関連等の定義を表示"},
      {SpeedButton5, ids::kSpeedButton5, 432, 33, "ETC", false, "その他の定義を表示"},
      {SpeedButton6, ids::kSpeedButton6, 464, 33, "USER", false, "ユーザーが設定した定義の表示"},
  };
  for (const FilterButton& f : filters) {
    f.button.Create(h, {f.left, 0, f.width, 25}, f.caption, f.down);
    f.button.SetId(f.id);
    hints.Add(f.button, f.hint);
  }
  for (int i = 0; i < 8; ++i) CategoryButton(i).onClick = [i] { UpdateCategoryFilter(i); };
  SpeedButton9.onClick = [this] { SpeedButton9Click(); };

  PageControl1.Create(h, {16, 32, 521, 313});
  PageControl1.SetId(ids::kPageControl1);
  HWND backup = PageControl1.AddPage("バックアップ");
  HWND restore = PageControl1.AddPage("復元");
  HWND pattern = PageControl1.AddPage("パターン作成", /*tabVisible=*/false);

  Label1.Create(backup, {8, 8, 209, 225}, " ", /*wordWrap=*/true, /*whiteBackground=*/true);
  Label1.SetId(ids::kLabel1);
  hints.Add(Label1, "バックアップ定義の解説が表示されます");
  ListBox1.Create(backup, {232, 8, 273, 225}, /*sorted=*/false, 12, /*light3dColor=*/true);
  ListBox1.SetId(ids::kListBox1);
  hints.Add(ListBox1, "バックアップ定義からバックアップするものを選択します");
  ListBox1.onClick = [this] { ListBox1Click(); };
  Label6.Create(backup, {24, 240, 125, 12}, "バックアップ先のドライブ");
  Label6.SetId(ids::kLabel6);
  DriveComboBox2.Create(backup, {16, 256, 137, 18});
  DriveComboBox2.SetId(ids::kDriveComboBox2);
  hints.Add(DriveComboBox2, "バックアップするＤＡＴＡを保存するドライブを指定します");
  Button1.Create(backup, {424, 248, 81, 25}, "バックアップ");
  Button1.SetId(ids::kButton1);
  hints.Add(Button1, "バックアップを実行します");

  ListBox3.Create(restore, {8, 8, 209, 225}, /*sorted=*/true, 12);
  ListBox3.SetId(ids::kListBox3);
  hints.Add(ListBox3, "復元するバックアップを選択してください");
  ListBox2.Create(restore, {232, 8, 273, 225}, /*sorted=*/false, 12);
  ListBox2.SetId(ids::kListBox2);
  hints.Add(ListBox2, "復元をする定義を選択します");
  Button3.Create(restore, {8, 240, 49, 17}, "削除");
  Button3.SetId(ids::kButton3);
  hints.Add(Button3, "バックアップしたファイルを削除します");
  Button2.Create(restore, {424, 248, 81, 25}, "復元");
  Button2.SetId(ids::kButton2);
  hints.Add(Button2, "復元処理を実行します");

  PatternPage& p = TabSheet3Controls;
  p.Label2.Create(pattern, {8, 8, 200, 12}, "拡張子を指定する場合（省略可）");
  p.Edit1.Create(pattern, {8, 24, 200, 20});
  p.Label3.Create(pattern, {8, 48, 200, 12}, "複数指定する場合は");
  p.Label4.Create(pattern, {8, 64, 200, 12}, "スペースキーで区切ってください");
  p.DriveComboBox1.Create(pattern, {232, 8, 145, 18});
  p.DirectoryListBox1.Create(pattern, {232, 32, 273, 177}, false, 12);
  p.Label5.Create(pattern, {232, 216, 200, 12}, "ディレクトリは省略可能");
  p.CheckBox1.Create(pattern, {8, 216, 209, 17}, "指定ディレクトリ以下全てをバックアップ", true);
  p.CheckBox2.Create(pattern, {8, 240, 209, 17}, "拡張子が「Bak」のファイルを除外する");

  PageControl1.SetActivePage(0);

  TheDriveBoxes().mainDrive = [this] { return DriveComboBox2.Drive(); };
  TheDriveBoxes().selectMain = [this](char drive) { DriveComboBox2.SetDrive(drive); };
}

// The start-up sequence, in its order.
void TForm1::FormCreate() {
  Label1.SetText(" ");
  if (!LoadArchiverLibrary()) {
    ShowMessageBox("Unlha.dllが見つかりませんでした。", "Quillet", kMbOk);
  }
  definitionCount = 0;
  osMaskSwitch = 1;
  DetectOsKind();
  LoadSettings();
  if (LoadDefinitions() <= 0) {
    WriteLogEntry("定義ファイルが読み込めませんでした", 1, "定義ファイルの読み込みなどに失敗");
    TerminateProcessNow();
    return;
  }
  StageFiles(" ", " ", 99);
  UpdateCategoryFilter(0);
}

void TForm1::Exit1Click() { Close(); }

void TForm1::N3Click() { Form2->ShowModal(); }

void TForm1::N4Click() { AboutBox->ShowModal(); }

void TForm1::ListBox1Click() {
  int row = ListBox1.ItemIndex();
  // A click that leaves no row selected (an empty list) shows nothing.
  if (row < 0 || row >= ListBox1.Count()) return;
  Label1.SetText(DefinitionCatalogue[rowMap[row]].explanation);
}

void TForm1::SpeedButton9Click() {
  osMaskSwitch = SpeedButton9.Down() ? 1 : 0;
  RefreshDefinitionList();
}

}  // namespace quillet
