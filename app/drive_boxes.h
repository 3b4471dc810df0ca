// The drive boxes of the main window and the options dialog, as the settings see
// them. The windows fill these in when they create their boxes; unset, they are
// left alone.
#pragma once
#include <functional>

namespace quillet {

struct DriveBoxes {
  std::function<char()> mainDrive;            // drive selected in the main window
  std::function<void(char)> selectMain;       // select a drive in the main window
  std::function<void(char)> selectOptions;    // select a drive in the options dialog
};

DriveBoxes& TheDriveBoxes();

}  // namespace quillet
