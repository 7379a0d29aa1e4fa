#pragma once
// The desktop program on a seeded station, in this process: the real widgets
// (offscreen) over the control models, every question answered Yes and
// remembered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/RuvekApp.h"
#include "desktop/DesktopView.h"
#include "e2e/Station.h"

namespace ruvek::test {

class DesktopStation : public ::testing::Test {
 protected:
  // Seeds the station with the configuration rows changed by `rows` and
  // starts the program on it.
  void open(const std::map<int, std::string>& rows = {}) {
    st.seed(rows);
    platform = std::make_unique<ui::QtPlatform>(os::FileSystem(st.root()));
    platform->autoAnswer = [this](const std::string& text, const std::string&) {
      asked.push_back(text);
      return std::optional(ui::Answer::Yes);
    };
    app = std::make_unique<RuvekApp>(*platform);
    view = std::make_unique<ui::DesktopView>(*app, *platform);
    app->onWindowsCreated = [this] { view->build(); };
    ASSERT_TRUE(platform->dispatch([this] { app->start(); }));
  }
  // A program that ended has asked the application to quit, which ends every
  // event loop started after it (a box's too): the application's own loop
  // runs once and takes the request, so the next test starts afresh.
  void TearDown() override {
    if (!platform || !platform->ended()) return;
    QTimer::singleShot(0, [] { QApplication::exit(0); });
    QApplication::exec();
  }
  template <class W>
  W* widget(const std::string& name) {
    auto* w = qobject_cast<W*>(view->widget(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  MainWindow& model() { return app->station()->main; }

  Station st;
  std::unique_ptr<ui::QtPlatform> platform;
  std::unique_ptr<RuvekApp> app;
  std::unique_ptr<ui::DesktopView> view;
  std::vector<std::string> asked;
};

}  // namespace ruvek::test
