// A top-level window: caption, border, font, menu, and a modal loop of its own.
#pragma once
#include "platform/ui/window.h"

#include <map>
#include <string>

namespace quillet::ui {

constexpr int kModalNone = 0;
constexpr int kModalOk = IDOK;
constexpr int kModalCancel = IDCANCEL;

struct FormLayout {
  std::string caption;
  int left, top;      // designed position; ignored when centred
  int width, height;  // client area when clientSize, else the outer size
  bool clientSize;
  bool sizeable;
  bool dialogBorder;  // no minimise box, as a dialog
  bool centred;
};

class Form : public Window {
 public:
  ~Form() override;

  void CreateForm(const FormLayout& layout, HMENU menu = nullptr, HWND owner = nullptr);
  // The form's font, which every control created afterwards takes.
  void SetFont(const std::string& face, int pixelHeight, BYTE charset);

  // Menu items by their command id.
  void AddMenuItem(HMENU popup, int id, const std::string& caption, Handler handler);

  void Show();
  // Shows the form modally; returns its modal result.
  int ShowModal();
  void SetModalResult(int result);
  // Modal: ends the modal loop with kModalCancel unless a result is set. Main form: destroys it.
  void Close();
  void SetMainForm(bool isMain) { isMain_ = isMain; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HFONT ownedFont_ = nullptr;
  std::map<int, Handler> menuHandlers_;
  int modalResult_ = kModalNone;
  bool inModal_ = false;
  bool isMain_ = false;
};

// Runs the message loop until the main form is gone.
void RunMessageLoop();

}  // namespace quillet::ui
