#include "selection/Pickers.h"

#include <algorithm>
#include <vector>

#include "selection/CommentRules.h"

namespace ruvek {
namespace {

// Item `index` of Combo1's list, which holds one item for every filled picker.
const std::string* EventItem(MainWindow& w, int index) {
  if (index < 0 || std::size_t(index) >= w.combo1->items.size()) return nullptr;
  return &w.combo1->items[std::size_t(index)];
}

}  // namespace

void Option1_Click(MainWindow& w, int index) {
  if (index < 0 || index >= kOptionPickers || !w.option1[std::size_t(index)]->value()) return;
  if (const std::string* event = EventItem(w, index)) w.combo1->setText(*event);
}

void Check1_Click(MainWindow& w, int index) {
  if (index < 0 || index >= kCheckPickers) return;
  // Every box counts, hidden ones too: a box ticked before a reload stays ticked.
  std::vector<bool> ticked;
  for (const CheckBox* c : w.check1) ticked.push_back(c->value());
  const CheckClickResult r =
      CheckBoxClick(ticked, index, w.check1[std::size_t(index)]->caption, w.txtComments->text());
  if (const std::string* event = EventItem(w, r.eventIndex)) w.combo1->setText(*event);
  w.txtComments->setText(r.comments);
}

void Combo1_Click(MainWindow& w) {
  const int last = std::min(w.lastPickerIndex, (w.multiMode ? kCheckPickers : kOptionPickers) - 1);
  for (int i = 0; i <= last; ++i) {
    // Selecting a picker runs its click handler at once; with duplicate captions
    // each match is selected in turn.
    if (w.multiMode) {
      CheckBox& box = *w.check1[std::size_t(i)];
      if (w.combo1->text() == box.caption) box.setValue(true);
    } else {
      OptionButton& option = *w.option1[std::size_t(i)];
      if (w.combo1->text() == option.caption) option.setValue(true);
    }
  }
}

void mnuMulti_Click(MainWindow& w) {
  // The mode holds for this run only; configuration row 20 is not changed.
  w.multiMode = !w.mnuMulti->checked;
  w.mnuMulti->checked = w.multiMode;
  w.frmSelectEvent->visible = !w.multiMode;
  w.frmSelectMulti->visible = w.multiMode;
  FillPickers(w, w.settings.eventListPath);
}

void frmSelectEvent_DblClick(MainWindow& w) {
  w.eventEditForm.visible = true;
  w.platform.formShown(w.eventEditForm);
}

void WireSelection(MainWindow& w) {
  for (int i = 0; i < kOptionPickers; ++i) w.option1[std::size_t(i)]->onClick = [&w, i] { Option1_Click(w, i); };
  for (int i = 0; i < kCheckPickers; ++i) w.check1[std::size_t(i)]->onClick = [&w, i] { Check1_Click(w, i); };
  w.combo1->onClick = [&w] { Combo1_Click(w); };
  w.mnuMulti->onClick = [&w] { mnuMulti_Click(w); };
  w.frmSelectEvent->onDblClick = [&w] { frmSelectEvent_DblClick(w); };
  WireEventListMenus(w);
  WireConditions(w);
}

}  // namespace ruvek
