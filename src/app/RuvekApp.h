#pragma once
// The program as the front ends see it: it builds the main window, connects
// every handler and answers the driver's questions about controls and state.
#include <memory>

#include "platform/Application.h"
#include "windows/MainWindow.h"

namespace ruvek {

class RuvekApp : public ui::Application {
 public:
  explicit RuvekApp(ui::Platform& platform) : platform_(platform) {}

  void start() override;
  bool started() const override { return window_ != nullptr; }
  ui::Control* find(const std::string& name) override;
  std::optional<std::string> state(const std::string& name) override;
  std::vector<ui::Form*> forms() override;
  void keyF9() override;
  void serialArrived(const std::string& text) override;

  MainWindow* window() { return window_.get(); }

 private:
  ui::Platform& platform_;
  std::unique_ptr<MainWindow> window_;
};

// Connects every handler of the main window and its secondary windows.
void WireMainWindow(MainWindow& w);

}  // namespace ruvek
