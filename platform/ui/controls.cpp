#include "platform/ui/controls.h"

#include <commctrl.h>

#include <algorithm>

namespace quillet::ui {

// ---- Button

void Button::Create(HWND parent, const Bounds& b, const std::string& caption, bool isDefault) {
  CreateChild(parent, "BUTTON", caption, WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
              0, b);
}

void Button::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

// ---- SpeedButton

void SpeedButton::Create(HWND parent, const Bounds& b, const std::string& caption, bool down) {
  CreateChild(parent, "BUTTON", caption, WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, b);
  SetDown(down);
}

bool SpeedButton::Down() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SpeedButton::SetDown(bool down) {
  SendMessageA(hwnd_, BM_SETCHECK, down ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SpeedButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && onClick) onClick();
}

// ---- CheckBox

void CheckBox::Create(HWND parent, const Bounds& b, const std::string& caption, bool checked) {
  CreateChild(parent, "BUTTON", caption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, b);
  SetChecked(checked);
}

bool CheckBox::Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool on) { SendMessageA(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

// ---- Label

void Label::Create(HWND parent, const Bounds& b, const std::string& caption, bool wordWrap, bool whiteBackground) {
  white_ = whiteBackground;
  // Texts are shown as written: an ampersand is no accelerator here.
  CreateChild(parent, "STATIC", caption, WS_VISIBLE | SS_NOPREFIX | (wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP), 0, b);
  // A one-line label grows to its text, so a wider font never cuts it off.
  if (!wordWrap && hwnd_) {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    if (size.cx > b.width || size.cy > b.height)
      SetWindowPos(hwnd_, nullptr, 0, 0, std::max<int>(b.width, size.cx), std::max<int>(b.height, size.cy),
                   SWP_NOMOVE | SWP_NOZORDER);
  }
}

HBRUSH Label::OnColor(HDC dc) {
  if (!white_) {
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  SetBkColor(dc, RGB(255, 255, 255));
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

// ---- Edit

void Edit::Create(HWND parent, const Bounds& b, const std::string& text) {
  CreateChild(parent, "EDIT", text, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, b);
}

// ---- ListBox

void ListBox::Create(HWND parent, const Bounds& b, bool sorted, int itemHeight, bool light3dColor) {
  light_ = light3dColor;
  CreateChild(parent, "LISTBOX", "",
              WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (sorted ? LBS_SORT : 0),
              WS_EX_CLIENTEDGE, b);
  SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight, 0));
}

int ListBox::Add(const std::string& item) {
  return static_cast<int>(SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
}

void ListBox::Clear() { SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0); }

void ListBox::Delete(int row) { SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(row), 0); }

int ListBox::Count() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)); }

int ListBox::ItemIndex() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }

void ListBox::SetItemIndex(int row) { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(row), 0); }

std::string ListBox::Item(int row) const {
  LRESULT n = SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
  if (n == LB_ERR) return std::string();
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&s[0]));
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

void ListBox::OnCommand(WORD code) {
  if (code == LBN_SELCHANGE && onClick) onClick();
  if (code == LBN_DBLCLK && onDblClick) onDblClick();
}

HBRUSH ListBox::OnColor(HDC dc) {
  if (!light_) return nullptr;
  SetBkColor(dc, GetSysColor(COLOR_3DLIGHT));
  return GetSysColorBrush(COLOR_3DLIGHT);
}

// ---- DriveComboBox

void DriveComboBox::Create(HWND parent, const Bounds& b) {
  // The height includes the drop-down part of the list.
  Bounds withList = b;
  withList.height = b.height + 200;
  CreateChild(parent, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, withList);
  Fill();
  char cwd[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(sizeof cwd, cwd);
  SetDrive(n >= 2 && cwd[1] == ':' ? cwd[0] : 'c');
}

static std::string DriveCaption(char letter) { return std::string(1, letter) + ":"; }

void DriveComboBox::Fill() {
  SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
  letters_.clear();
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    char letter = static_cast<char>('a' + i);
    letters_.push_back(letter);
    SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveCaption(letter).c_str()));
  }
}

char DriveComboBox::Drive() const {
  LRESULT i = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
  if (i == CB_ERR || static_cast<size_t>(i) >= letters_.size()) return 0;
  return letters_[static_cast<size_t>(i)];
}

void DriveComboBox::SetDrive(char letter) {
  if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
  if (letter < 'a' || letter > 'z') return;
  Fill();
  for (size_t i = 0; i < letters_.size(); ++i) {
    if (letters_[i] == letter) {
      SendMessageA(hwnd_, CB_SETCURSEL, i, 0);
      return;
    }
  }
  std::string missing = std::string(1, letter) + ": [ドライブがありません]";
  letters_.push_back(letter);
  LRESULT i = SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(missing.c_str()));
  SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

// ---- Panel

void Panel::Create(HWND parent, const Bounds& b) {
  RegisterClassOnce("QuilletPanel", GetSysColorBrush(COLOR_BTNFACE));
  CreateWindowOfClass("QuilletPanel", parent, "", WS_CHILD | WS_VISIBLE, 0, b.left, b.top, b.width, b.height);
  SendMessageA(hwnd_, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT r;
    GetClientRect(hwnd_, &r);
    // Outer bevel sunk, inner bevel standing out.
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    EndPaint(hwnd_, &ps);
    return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

// ---- Image

void Image::Create(HWND parent, const Bounds& b, HICON icon) {
  CreateChild(parent, "STATIC", "", WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL, 0, b);
  SendMessageA(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  MoveWindow(hwnd_, b.left, b.top, b.width, b.height, FALSE);
}

// ---- PageControl

void PageControl::PageWindow::CreateOn(HWND parent, const RECT& r) {
  RegisterClassOnce("QuilletPage", GetSysColorBrush(COLOR_BTNFACE));
  CreateWindowOfClass("QuilletPage", parent, "", WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, r.left, r.top,
                      r.right - r.left, r.bottom - r.top);
  SendMessageA(hwnd_, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
}

void PageControl::Create(HWND parent, const Bounds& b) {
  CreateChild(parent, WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, b);
}

HWND PageControl::AddPage(const std::string& caption, bool tabVisible) {
  int tab = -1;
  if (tabVisible) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    std::string text = caption;
    item.pszText = &text[0];
    tab = static_cast<int>(SendMessageA(hwnd_, TCM_INSERTITEMA, tabs_, reinterpret_cast<LPARAM>(&item)));
    ++tabs_;
  }
  RECT r;
  GetClientRect(hwnd_, &r);
  SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(hwnd_, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  // Pages are siblings of the tabs, above them, so their controls get their own messages.
  PageInfo info{std::make_unique<PageWindow>(), nullptr, tab};
  info.page->CreateOn(GetParent(hwnd_), r);
  info.hwnd = info.page->Handle();
  SetWindowPos(info.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  pages_.push_back(std::move(info));
  return pages_.back().hwnd;
}

void PageControl::SetActivePage(int index) {
  for (size_t i = 0; i < pages_.size(); ++i)
    ShowWindow(pages_[i].hwnd, static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
  if (pages_[static_cast<size_t>(index)].tab >= 0)
    SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(pages_[static_cast<size_t>(index)].tab), 0);
}

int PageControl::ActivePage() const {
  for (size_t i = 0; i < pages_.size(); ++i)
    if (IsWindowVisible(pages_[i].hwnd)) return static_cast<int>(i);
  return -1;
}

void PageControl::OnNotify(NMHDR* n) {
  if (n->code != TCN_SELCHANGE) return;
  int tab = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
  for (size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i].tab == tab) SetActivePage(static_cast<int>(i));
}

// ---- Hints

void Hints::Create(HWND owner) {
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void Hints::Add(const Control& c, const std::string& hint) {
  if (!tip_) return;
  TTTOOLINFOA ti = {};
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(c.Handle());
  ti.uId = reinterpret_cast<UINT_PTR>(c.Handle());
  std::string text = hint;
  ti.lpszText = &text[0];
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace quillet::ui
