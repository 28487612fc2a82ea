#include "ui/PortBox.h"

namespace ui {

void PortBox::showPopup() {
  emit aboutToDropDown();
  QComboBox::showPopup();
}

}  // namespace ui
