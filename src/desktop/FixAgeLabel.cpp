#include "desktop/FixAgeLabel.h"

#include <QStatusBar>
#include <QTimer>

namespace ruvek::ui {
namespace {

QString AgeText(long long seconds) {
  if (seconds < 120) return QString("%1 s").arg(seconds);
  if (seconds < 7200) return QString("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
  return QString("%1 h %2 min").arg(seconds / 3600).arg(seconds % 3600 / 60);
}

}  // namespace

FixAgeLabel::FixAgeLabel(Application& app, QWidget* parent) : QLabel(parent), app_(app), timer_(new QTimer(this)) {
  setObjectName("fixAge");
  setMargin(2);
  setToolTip(
      "Age of the last good position the navigation poll read: amber beyond twice the sampling interval, red "
      "beyond five times or when the poll is stopped (F9, Auto Fill Data off)");
  connect(timer_, &QTimer::timeout, this, &FixAgeLabel::refreshAge);
  timer_->start(1000);
  refreshAge();
}

void FixAgeLabel::refreshAge() {
  const std::string seconds = app_.state("fixAgeSeconds").value_or("");
  const std::string level = app_.state("fixAgeLevel").value_or("none");
  // Red beside "GPS Status: Good" would read as a contradiction: the badge
  // says what is wrong, that no new position has come for so long.
  if (seconds.empty())
    setText("Fix age: no fix yet");
  else if (level == "red")
    setText("No new fix for " + AgeText(std::stoll(seconds)));
  else
    setText("Fix age: " + AgeText(std::stoll(seconds)));
  if (level == "red")
    setStyleSheet("background: #c00000; color: white; font-weight: bold;");
  else if (level == "amber")
    setStyleSheet("background: #ffb000; color: black;");
  else
    setStyleSheet("");
  setProperty("level", QString::fromStdString(level));
}

FixAgeLabel* AttachFixAge(Application& app, QStatusBar* bar) {
  auto* label = new FixAgeLabel(app, bar);
  bar->insertWidget(3, label);
  return label;
}

}  // namespace ruvek::ui
