#include <gtest/gtest.h>

#include "platform/Controls.h"

namespace ruvek::ui {
namespace {

TEST(TextBoxModel, ChangeHandlerRunsOnlyForANewText) {
  TextBox box("Text1(0)");
  int changes = 0;
  box.onChange = [&] { ++changes; };
  box.setText("a");
  box.setText("a");
  box.setText("b");
  EXPECT_EQ(changes, 2);
}

TEST(TextBoxModel, ChangeHandlerMayChangeTheTextAgainUntilItSettles) {
  TextBox box("txtComments");
  box.onChange = [&] {
    std::string t = box.text();
    if (auto p = t.find(";;"); p != std::string::npos) box.setText(t.erase(p, 1));
  };
  box.setText("a;;;;b");
  EXPECT_EQ(box.text(), "a;b");
}

TEST(OptionButtonModel, SelectingClearsTheGroupAndClicksOnce) {
  OptionGroup group;
  OptionButton a("Option3(0)"), b("Option3(1)");
  a.group = b.group = &group;
  group.members = {&a, &b};
  int clicksA = 0, clicksB = 0;
  a.onClick = [&] { ++clicksA; };
  b.onClick = [&] { ++clicksB; };
  a.setValue(true);
  a.setValue(true);  // already selected: no second click
  b.setValue(true);
  EXPECT_FALSE(a.value());
  EXPECT_TRUE(b.value());
  b.setValue(false);  // clearing runs nothing
  EXPECT_FALSE(b.value());
  EXPECT_EQ(clicksA, 1);
  EXPECT_EQ(clicksB, 1);
}

TEST(CheckBoxModel, EveryChangedTickClicks) {
  CheckBox box("Check1(0)");
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(true);
  box.setValue(true);
  box.setValue(false);
  EXPECT_EQ(clicks, 2);
}

TEST(ComboBoxModel, ChoosingAnItemClicksAndUnknownItemsAreRefused) {
  ComboBox combo("Combo1");
  combo.items = {"Bongo", "Manta"};
  int clicks = 0;
  combo.onClick = [&] { ++clicks; };
  EXPECT_TRUE(combo.choose("Manta"));
  EXPECT_FALSE(combo.choose("Secchi"));
  EXPECT_EQ(combo.text(), "Manta");
  EXPECT_EQ(clicks, 1);
}

TEST(GridModel, CellsOutsideTheGridAreIgnoredAndRemovingARowKeepsTheSize) {
  Grid grid("EventLog");
  grid.resize(4, 2);
  grid.setCell(0, 0, "Evt#");
  for (int r = 1; r < 4; ++r) grid.setCell(r, 0, std::to_string(r));
  grid.setCell(9, 9, "x");
  EXPECT_EQ(grid.cell(9, 9), "");
  grid.removeRow(1);
  EXPECT_EQ(grid.rows(), 4);
  EXPECT_EQ(grid.cell(0, 0), "Evt#");
  EXPECT_EQ(grid.cell(1, 0), "2");
  EXPECT_EQ(grid.cell(2, 0), "3");
  EXPECT_EQ(grid.cell(3, 0), "");
  grid.removeRow(0);  // the heading row stays
  EXPECT_EQ(grid.cell(0, 0), "Evt#");
}

TEST(TimerModel, IntervalStaysInTheTimersRange) {
  Timer t("Timer1");
  t.setInterval(0);
  EXPECT_EQ(t.interval(), 1);
  t.setInterval(70000);
  EXPECT_EQ(t.interval(), 65535);
}

}  // namespace
}  // namespace ruvek::ui
