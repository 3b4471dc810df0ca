#include "app/drive_boxes.h"

namespace quillet {

DriveBoxes& TheDriveBoxes() {
  static DriveBoxes boxes;
  return boxes;
}

}  // namespace quillet
