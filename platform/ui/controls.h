// One small wrapper per kind of control, created from its laid-out position and caption.
#pragma once
#include "platform/ui/window.h"

#include <memory>
#include <string>
#include <vector>

namespace quillet::ui {

class Button : public Control {
 public:
  void Create(HWND parent, const Bounds& b, const std::string& caption, bool isDefault = false);
  void OnCommand(WORD code) override;
  Handler onClick;
};

// A push button that stays down until pressed again; it toggles by itself and
// its handler reads the new state.
class SpeedButton : public Control {
 public:
  void Create(HWND parent, const Bounds& b, const std::string& caption, bool down);
  bool Down() const;
  void SetDown(bool down);
  void OnCommand(WORD code) override;
  Handler onClick;
};

class CheckBox : public Control {
 public:
  void Create(HWND parent, const Bounds& b, const std::string& caption, bool checked = false);
  bool Checked() const;
  void SetChecked(bool on);
};

class Label : public Control {
 public:
  // wordWrap: the text breaks at word boundaries and at its line feeds.
  void Create(HWND parent, const Bounds& b, const std::string& caption, bool wordWrap = false,
              bool whiteBackground = false);
  HBRUSH OnColor(HDC dc) override;

 private:
  bool white_ = false;
};

class Edit : public Control {
 public:
  void Create(HWND parent, const Bounds& b, const std::string& text = "");
};

class ListBox : public Control {
 public:
  void Create(HWND parent, const Bounds& b, bool sorted, int itemHeight, bool light3dColor = false);
  int Add(const std::string& item);  // returns the row the list gave it
  void Clear();
  void Delete(int row);
  int Count() const;
  int ItemIndex() const;  // -1 when no row is selected
  void SetItemIndex(int row);
  std::string Item(int row) const;
  void OnCommand(WORD code) override;
  HBRUSH OnColor(HDC dc) override;
  Handler onClick, onDblClick;

 private:
  bool light_ = false;
};

// Lists the drives of the machine as "c:"; reports the selected one as its letter.
class DriveComboBox : public Control {
 public:
  void Create(HWND parent, const Bounds& b);
  char Drive() const;  // lower-case letter, 0 when none
  // Selects the drive; a letter that names no present drive is listed with a note so
  // the user sees what is stored instead of another drive taking its place silently.
  void SetDrive(char letter);

 private:
  void Fill();
  std::vector<char> letters_;
};

// A raised-and-sunk framed area that holds other controls.
class Panel : public Window {
 public:
  void Create(HWND parent, const Bounds& b);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

// The program's icon, stretched to the given size.
class Image : public Control {
 public:
  void Create(HWND parent, const Bounds& b, HICON icon);
};

// Tabs over pages; each page is a plain container for its controls.
class PageControl : public Control {
 public:
  void Create(HWND parent, const Bounds& b);
  // Adds a page; a page whose tab is hidden is never shown.
  HWND AddPage(const std::string& caption, bool tabVisible = true);
  void SetActivePage(int index);
  int ActivePage() const;
  HWND Page(int index) const { return pages_[static_cast<size_t>(index)].hwnd; }
  void OnNotify(NMHDR* n) override;

 private:
  struct PageWindow : Window {
    void CreateOn(HWND parent, const RECT& r);
  };
  struct PageInfo {
    std::unique_ptr<PageWindow> page;
    HWND hwnd;
    int tab;  // -1 when the tab is hidden
  };
  std::vector<PageInfo> pages_;
  int tabs_ = 0;
};

// Hints: a tooltip for each control that has one.
class Hints {
 public:
  void Create(HWND owner);
  void Add(const Control& c, const std::string& hint);

 private:
  HWND tip_ = nullptr;
};

}  // namespace quillet::ui
