// Control and menu IDs of the windows: other programs (and the end-to-end tests)
// find controls by them and send the menu commands by them.
#pragma once

namespace quillet::ids {

// Main window
constexpr int kSpeedButton1 = 1001;  // ALL
constexpr int kSpeedButton2 = 1002;  // SYS
constexpr int kSpeedButton3 = 1003;  // GAME
constexpr int kSpeedButton4 = 1004;  // 18禁
constexpr int kSpeedButton5 = 1005;  // ETC
constexpr int kSpeedButton6 = 1006;  // USER
constexpr int kSpeedButton7 = 1007;  // APP
constexpr int kSpeedButton8 = 1008;  // 同人
constexpr int kSpeedButton9 = 1009;  // OSマスク
constexpr int kPageControl1 = 1010;
constexpr int kLabel1 = 1011;
constexpr int kListBox1 = 1012;
constexpr int kLabel6 = 1013;
constexpr int kDriveComboBox2 = 1014;
constexpr int kButton1 = 1015;
constexpr int kListBox3 = 1016;
constexpr int kListBox2 = 1017;
constexpr int kButton3 = 1018;
constexpr int kButton2 = 1019;

constexpr int kMenuExit1 = 101;
constexpr int kMenuN3 = 102;
constexpr int kMenuN4 = 103;

// Options dialog
constexpr int kOptDriveComboBox1 = 2001;
constexpr int kOptEdit1 = 2002;
constexpr int kOptButton3 = 2003;
constexpr int kOptCheckBox1 = 2004;
constexpr int kOptButton1 = 2005;
constexpr int kOptButton2 = 2006;

}  // namespace quillet::ids
