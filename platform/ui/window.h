// Our small window layer over Win32: every window and control is an object
// created at its laid-out pixel position; one window procedure maps the HWND to
// its object and forwards messages, so a form's handlers read as behaviour.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace quillet::ui {

struct Bounds {
  int left, top, width, height;
};

using Handler = std::function<void()>;

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  // A control outlived by its window forgets it, so no message reaches a dead object.
  virtual ~Control();

  HWND Handle() const { return hwnd_; }
  std::string Text() const;
  void SetText(const std::string& text);
  void SetEnabled(bool on) { EnableWindow(hwnd_, on); }
  // The control ID other programs and tests find the control by.
  void SetId(int id) { SetWindowLongPtrA(hwnd_, GWLP_ID, id); }
  void SetVisible(bool on) { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
  bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

  // A notification the parent received for this control (BN_CLICKED, LBN_DBLCLK, ...).
  virtual void OnCommand(WORD /*code*/) {}
  // Colour of a static or list: return a brush, or null for the default.
  virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }
  // A WM_NOTIFY the parent received from this control.
  virtual void OnNotify(NMHDR* /*n*/) {}

 protected:
  // Creates the control as a child of parent; the parent gets its notifications.
  void CreateChild(HWND parent, const char* className, const std::string& caption, DWORD style,
                   DWORD exStyle, const Bounds& b);

  HWND hwnd_ = nullptr;
};

// The object a window handle belongs to, or null.
Control* ControlFromHandle(HWND hwnd);

// Forwards the messages a control sends its parent to the control object.
// Returns true when handled; *result holds the window procedure's result.
bool RouteControlMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

// Registers a window class of ours once; its procedure forwards to Window::HandleMessage.
class Window : public Control {
 public:
  ~Window() override;
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 protected:
  void CreateWindowOfClass(const char* className, HWND parent, const std::string& caption, DWORD style,
                           DWORD exStyle, int x, int y, int w, int h, HMENU menu = nullptr);
  static void RegisterClassOnce(const char* className, HBRUSH background, HICON icon = nullptr);

 private:
  HFONT font_ = nullptr;  // our own window classes keep the font their children take

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

}  // namespace quillet::ui
