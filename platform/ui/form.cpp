#include "platform/ui/form.h"

namespace quillet::ui {

Form::~Form() {
  if (ownedFont_) DeleteObject(ownedFont_);
}

void Form::CreateForm(const FormLayout& l, HMENU menu, HWND owner) {
  RegisterClassOnce("QuilletForm", GetSysColorBrush(COLOR_BTNFACE),
                    LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (l.sizeable) style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  else if (!l.dialogBorder) style |= WS_MINIMIZEBOX;
  DWORD exStyle = l.dialogBorder ? WS_EX_DLGMODALFRAME : 0;
  RECT r = {0, 0, l.width, l.height};
  if (l.clientSize) AdjustWindowRectEx(&r, style, menu != nullptr, exStyle);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = l.left, y = l.top;
  if (l.centred) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  }
  CreateWindowOfClass("QuilletForm", owner, l.caption, style, exStyle | WS_EX_CONTROLPARENT, x, y, w, h, menu);
}

void Form::SetFont(const std::string& face, int pixelHeight, BYTE charset) {
  if (ownedFont_) DeleteObject(ownedFont_);
  ownedFont_ = CreateFontA(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(ownedFont_), FALSE);
}

void Form::AddMenuItem(HMENU popup, int id, const std::string& caption, Handler handler) {
  AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(id), caption.c_str());
  menuHandlers_[id] = std::move(handler);
}

void Form::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

int Form::ShowModal() {
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  modalResult_ = kModalNone;
  inModal_ = true;
  Show();
  SetForegroundWindow(hwnd_);
  MSG msg;
  while (modalResult_ == kModalNone && IsWindow(hwnd_)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  inModal_ = false;
  if (owner) EnableWindow(owner, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  if (owner) SetActiveWindow(owner);
  return modalResult_;
}

void Form::SetModalResult(int result) {
  modalResult_ = result;
  // A handler run for another thread's SendMessage returns inside GetMessage, which
  // would wait on: a posted message lets the modal loop see its result at once.
  if (inModal_) PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void Form::Close() {
  if (inModal_) {
    if (modalResult_ == kModalNone) SetModalResult(kModalCancel);
  } else if (isMain_) {
    DestroyWindow(hwnd_);
  } else {
    ShowWindow(hwnd_, SW_HIDE);
  }
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (lp == 0 && HIWORD(wp) == 0) {
        auto it = menuHandlers_.find(LOWORD(wp));
        if (it != menuHandlers_.end() && it->second) it->second();
        return 0;
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      if (isMain_) PostQuitMessage(0);
      return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (top && IsDialogMessageA(top, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace quillet::ui
