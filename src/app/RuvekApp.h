#pragma once
// The program as the front ends see it: it builds the station, connects every
// handler and answers the driver's questions about controls and state.
#include <memory>

#include "ui/Application.h"
#include "windows/Station.h"

namespace ruvek {

class RuvekApp : public ui::Application {
 public:
  explicit RuvekApp(ui::Platform& platform) : platform_(platform) {}

  void start() override;
  void restart() override;
  bool started() const override { return station_ != nullptr; }
  ui::Control* find(const std::string& name) override;
  std::optional<std::string> state(const std::string& name) override;
  std::vector<ui::Form*> forms() override;
  void keyF9() override;
  void keyEscape() override;

  Station* station() { return station_.get(); }

 private:
  ui::Platform& platform_;
  std::unique_ptr<Station> station_;
};

}  // namespace ruvek
