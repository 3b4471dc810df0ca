#include "platform/msgbox.h"

#include <windows.h>

namespace quillet {

static MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  if (Hook()) return Hook()(text, caption, style);
  return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), style | MB_TASKMODAL);
}

}  // namespace quillet
