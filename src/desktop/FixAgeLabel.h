#pragma once
// The age of the last good position beside the GPS status panel: its
// background turns amber and red as the position grows stale or the poll
// stops, read once a second from the program's state.
#include <QLabel>

#include "ui/Application.h"

class QStatusBar;
class QTimer;

namespace ruvek::ui {

class FixAgeLabel : public QLabel {
  Q_OBJECT
 public:
  FixAgeLabel(Application& app, QWidget* parent);
  // Reads the age and its level again.
  void refreshAge();

 private:
  Application& app_;
  QTimer* timer_;
};

// Puts a fix-age label into the main window's status bar after panel 3.
FixAgeLabel* AttachFixAge(Application& app, QStatusBar* bar);

}  // namespace ruvek::ui
