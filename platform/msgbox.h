// Modal message boxes, through one seam so tests can record them instead of blocking.
#pragma once
#include <functional>
#include <string>

namespace quillet {

// Style bits as MessageBoxA takes them.
constexpr unsigned kMbOk = 0x00000000;
constexpr unsigned kMbIconInformation = 0x00000040;

// Shows a modal box owned by the active window; returns the button pressed.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);

// While a hook is set, boxes go to it and nothing is shown.
using MessageBoxHook = std::function<int(const std::string& text, const std::string& caption, unsigned style)>;
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace quillet
