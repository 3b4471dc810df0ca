#include "platform/ui/window.h"

#include <set>
#include <string>

namespace quillet::ui {

static const char kObjectProperty[] = "QuilletControl";

Control* ControlFromHandle(HWND hwnd) {
  return hwnd ? static_cast<Control*>(GetPropA(hwnd, kObjectProperty)) : nullptr;
}

Control::~Control() {
  if (hwnd_ && IsWindow(hwnd_)) RemovePropA(hwnd_, kObjectProperty);
}

Window::~Window() {
  if (hwnd_ && IsWindow(hwnd_)) {
    RemovePropA(hwnd_, kObjectProperty);
    DestroyWindow(hwnd_);
  }
}

std::string Control::Text() const {
  int n = GetWindowTextLengthA(hwnd_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(hwnd_, &s[0], n + 1);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

void Control::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Control::CreateChild(HWND parent, const char* className, const std::string& caption, DWORD style,
                          DWORD exStyle, const Bounds& b) {
  hwnd_ = CreateWindowExA(exStyle, className, caption.c_str(), style | WS_CHILD, b.left, b.top, b.width,
                          b.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return;
  SetPropA(hwnd_, kObjectProperty, this);
  // Controls take their parent's font, as the form's controls do.
  SendMessageA(hwnd_, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
}

bool RouteControlMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
      if (Control* c = ControlFromHandle(reinterpret_cast<HWND>(lp))) {
        c->OnCommand(HIWORD(wp));
        *result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      auto* n = reinterpret_cast<NMHDR*>(lp);
      if (Control* c = ControlFromHandle(n->hwndFrom)) {
        c->OnNotify(n);
        *result = 0;
        return true;
      }
      return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (Control* c = ControlFromHandle(reinterpret_cast<HWND>(lp))) {
        if (HBRUSH brush = c->OnColor(reinterpret_cast<HDC>(wp))) {
          *result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETFONT) {
    font_ = reinterpret_cast<HFONT>(wp);
    return 0;
  }
  if (msg == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
  LRESULT result = 0;
  if (RouteControlMessage(msg, wp, lp, &result)) return result;
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

void Window::RegisterClassOnce(const char* className, HBRUSH background, HICON icon) {
  static std::set<std::string> registered;
  if (!registered.insert(className).second) return;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}

void Window::CreateWindowOfClass(const char* className, HWND parent, const std::string& caption, DWORD style,
                                 DWORD exStyle, int x, int y, int w, int h, HMENU menu) {
  CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, w, h, parent, menu,
                  GetModuleHandleA(nullptr), this);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetPropA(hwnd, kObjectProperty, static_cast<Control*>(self));
  }
  auto* self = static_cast<Window*>(ControlFromHandle(hwnd));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kObjectProperty);
    LRESULT r = DefWindowProcA(hwnd, msg, wp, lp);
    self->hwnd_ = nullptr;
    return r;
  }
  return self->HandleMessage(msg, wp, lp);
}

}  // namespace quillet::ui
