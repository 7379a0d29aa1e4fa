#include "selection/Conditions.h"

#include "selection/CommentRules.h"
#include "selection/Pickers.h"

namespace ruvek {
namespace {

// The option buttons of a group; day/night has two.
std::vector<OptionButton*> Options(MainWindow& w, Group g) {
  switch (g) {
    case Group::SeaConditions: return {w.option3.begin(), w.option3.end()};
    case Group::DayNight: return {w.option4.begin(), w.option4.end()};
    case Group::StationType: break;
  }
  return {w.option5.begin(), w.option5.end()};
}

// Each option's comment text is its tooltip, set from the comment options file
// at start; without that file it is empty.
std::array<std::string, 3> CommentTexts(MainWindow& w, Group g) {
  std::array<std::string, 3> texts{};
  const auto options = Options(w, g);
  for (std::size_t i = 0; i < options.size() && i < texts.size(); ++i) texts[i] = options[i]->tooltip;
  return texts;
}

bool IsOption(MainWindow& w, Group g, int index) { return index >= 0 && std::size_t(index) < Options(w, g).size(); }

void Click(MainWindow& w, Group g, int index) {
  if (!IsOption(w, g, index)) return;
  w.txtComments->setText(ConditionClick(g, index, w.txtComments->text(), CommentTexts(w, g)));
}

void DblClick(MainWindow& w, Group g, int index) {
  if (!IsOption(w, g, index)) return;
  const DblClickResult r = ConditionDblClick(g, index, w.txtComments->text(), CommentTexts(w, g));
  if (!r.cleared) return;
  w.txtComments->setText(r.text);
  Options(w, g)[std::size_t(index)]->setValue(false);
}

template <std::size_t N>
void WireGroup(MainWindow& w, const std::array<OptionButton*, N>& options, void (*click)(MainWindow&, int),
               void (*dblClick)(MainWindow&, int)) {
  for (std::size_t i = 0; i < N; ++i) {
    const int index = int(i);
    options[i]->onClick = [&w, index, click] { click(w, index); };
    options[i]->onDblClick = [&w, index, dblClick] { dblClick(w, index); };
  }
}

}  // namespace

void Option3_Click(MainWindow& w, int index) { Click(w, Group::SeaConditions, index); }
void Option4_Click(MainWindow& w, int index) { Click(w, Group::DayNight, index); }
void Option5_Click(MainWindow& w, int index) { Click(w, Group::StationType, index); }
void Option3_DblClick(MainWindow& w, int index) { DblClick(w, Group::SeaConditions, index); }
void Option4_DblClick(MainWindow& w, int index) { DblClick(w, Group::DayNight, index); }
void Option5_DblClick(MainWindow& w, int index) { DblClick(w, Group::StationType, index); }

void txtComments_Change(MainWindow& w) {
  // The cleaned text is stable, so setting it raises at most one more change, which finds nothing to do.
  w.txtComments->setText(CleanComments(w.txtComments->text()));
}

void ResetConditions(MainWindow& w) {
  // Clearing an option runs no click handler, so the comments are set only once, below.
  for (auto* o : w.option3) o->setValue(false);
  for (auto* o : w.option4) o->setValue(false);
  for (auto* o : w.option5) o->setValue(false);
  w.txtComments->setText(std::string(kResetComments));
}

void WireConditions(MainWindow& w) {
  WireGroup(w, w.option3, Option3_Click, Option3_DblClick);
  WireGroup(w, w.option4, Option4_Click, Option4_DblClick);
  WireGroup(w, w.option5, Option5_Click, Option5_DblClick);
  w.txtComments->onChange = [&w] { txtComments_Change(w); };
}

}  // namespace ruvek
