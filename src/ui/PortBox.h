#pragma once
#include <QComboBox>

namespace ui {

// The port box: a drop-down list that says when it is about to drop down, so that the port
// list can be refreshed first.
class PortBox : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;
  void showPopup() override;
 signals:
  void aboutToDropDown();
};

}  // namespace ui
