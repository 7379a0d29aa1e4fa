#include <gtest/gtest.h>

#include "ui/Controls.h"

namespace ruvek::ui {
namespace {

TEST(TextBoxModel, ChangeHandlerRunsOnlyForANewText) {
  TextBox box("Text1(0)");
  int changes = 0;
  box.onChange = [&] { ++changes; };
  box.setText("a");
  box.setText("a");
  box.setText("b");
  EXPECT_EQ(2, changes);
}

TEST(TextBoxModel, ChangeHandlerMayChangeTheTextAgainUntilItSettles) {
  TextBox box("txtComments");
  box.onChange = [&] {
    std::string t = box.text();
    if (auto p = t.find(";;"); p != std::string::npos) box.setText(t.erase(p, 1));
  };
  box.setText("a;;;;b");
  EXPECT_EQ("a;b", box.text());
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
  EXPECT_EQ(1, clicksA);
  EXPECT_EQ(1, clicksB);
}

TEST(CheckBoxModel, EveryChangedTickClicks) {
  CheckBox box("Check1(0)");
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(true);
  box.setValue(true);
  box.setValue(false);
  EXPECT_EQ(2, clicks);
}

TEST(ComboBoxModel, ChoosingAnItemClicksAndUnknownItemsAreRefused) {
  ComboBox combo("Combo1");
  combo.items = {"Bongo", "Manta"};
  int clicks = 0;
  combo.onClick = [&] { ++clicks; };
  EXPECT_TRUE(combo.choose("Manta"));
  EXPECT_FALSE(combo.choose("Secchi"));
  EXPECT_EQ("Manta", combo.text());
  EXPECT_EQ(1, clicks);
}

TEST(GridModel, CellsOutsideTheGridAreIgnoredAndRemovingARowKeepsTheSize) {
  Grid grid("EventLog");
  grid.resize(4, 2);
  grid.setCell(0, 0, "Evt#");
  for (int r = 1; r < 4; ++r) grid.setCell(r, 0, std::to_string(r));
  grid.setCell(9, 9, "x");
  EXPECT_EQ("", grid.cell(9, 9));
  grid.removeRow(1);
  EXPECT_EQ(4, grid.rows());
  EXPECT_EQ("Evt#", grid.cell(0, 0));
  EXPECT_EQ("2", grid.cell(1, 0));
  EXPECT_EQ("3", grid.cell(2, 0));
  EXPECT_EQ("", grid.cell(3, 0));
  grid.removeRow(0);  // the heading row stays
  EXPECT_EQ("Evt#", grid.cell(0, 0));
}

TEST(OperatorActions, RunTheHandlersAsTheDesktopDoesAndNothingWhenDisabled) {
  OptionButton option("Option3(0)");
  std::vector<std::string> ran;
  option.onClick = [&] { ran.push_back("click"); };
  option.onDblClick = [&] { ran.push_back("dblclick"); };
  option.doubleClick();  // selected first, then the double-click handler
  option.click();        // already selected: nothing
  EXPECT_EQ((std::vector<std::string>{"click", "dblclick"}), ran);

  CheckBox check("Check1(0)");
  check.click();
  EXPECT_TRUE(check.value());
  check.enabled = false;
  check.click();
  EXPECT_TRUE(check.value());

  TextBox box("Text1(5)");
  box.onKeyPress = [](char& key) {
    if (key == 'x') key = 0;    // swallowed
    if (key == 'a') key = 'A';  // changed
  };
  box.type("axbc\b", true);  // Backspace takes the c away again
  EXPECT_EQ("Ab", box.text());
  box.type("d", false);
  EXPECT_EQ("Abd", box.text());
  box.locked = true;
  box.type("zz", true);
  EXPECT_EQ("Abd", box.text());

  Grid grid("EventLog");
  grid.resize(3, 2);
  int selected = 0;
  grid.onClick = [&] { ++selected; };
  grid.selectCell(2, 1);
  EXPECT_EQ(21, grid.row * 10 + grid.col);
  EXPECT_EQ(1, selected);
}

TEST(ControlProperties, ReadAsScriptsNameThem) {
  ComboBox combo("Combo1");
  combo.items = {"Bongo", "Manta"};
  combo.setText("Manta");
  EXPECT_EQ("Manta", combo.shownValue());
  EXPECT_EQ("Bongo|Manta", combo.property("items"));
  EXPECT_EQ(std::nullopt, combo.property("caption"));
  StatusBar bar("StatusBar1");
  bar.panel(3).text = "GPS Status: Good";
  EXPECT_EQ("GPS Status: Good", bar.property("Panels(3)"));
  EXPECT_EQ(std::nullopt, bar.property("Panels(7)"));
  Timer timer("Timer1");
  timer.setEnabled(false);
  EXPECT_FALSE(timer.tick());
  EXPECT_EQ("false", timer.property("enabled"));
  EXPECT_EQ("1000", timer.shownValue());
}

TEST(TimerModel, IntervalStaysInTheTimersRange) {
  Timer t("Timer1");
  t.setInterval(0);
  EXPECT_EQ(1, t.interval());
  t.setInterval(70000);
  EXPECT_EQ(65535, t.interval());
}

}  // namespace
}  // namespace ruvek::ui
