#include "selection/Pickers.h"

#include <algorithm>
#include <vector>

#include "selection/CommentRules.h"

namespace ruvek {
namespace {

// Item `index` of the drop-down's list, which holds one item for every filled picker.
const std::string* EventItem(const ui::ComboBox& eventCombo, int index) {
  if (index < 0 || std::size_t(index) >= eventCombo.items.size()) return nullptr;
  return &eventCombo.items[std::size_t(index)];
}

}  // namespace

void PickEvent(Pickers& pickers, ui::ComboBox& eventCombo, int index) {
  if (index < 0 || index >= kOptionPickers || !pickers.options[std::size_t(index)]->value()) return;
  if (const std::string* event = EventItem(eventCombo, index)) eventCombo.setText(*event);
}

void TickEvent(Pickers& pickers, ui::ComboBox& eventCombo, ui::TextBox& comments, int index) {
  if (index < 0 || index >= kCheckPickers) return;
  // Every box counts, hidden ones too: a box ticked before a reload stays ticked.
  std::vector<bool> ticked;
  for (const ui::CheckBox* c : pickers.checks) ticked.push_back(c->value());
  const TickOutcome r = CommentsAfterTick(ticked, index, pickers.checks[std::size_t(index)]->caption, comments.text());
  if (const std::string* event = EventItem(eventCombo, r.eventIndex)) eventCombo.setText(*event);
  comments.setText(r.comments);
}

void SelectPickersNamed(Pickers& pickers, const ui::ComboBox& eventCombo, const StationState& state) {
  const int last = std::min(state.lastPickerIndex, (state.multiMode ? kCheckPickers : kOptionPickers) - 1);
  for (int i = 0; i <= last; ++i) {
    // Selecting a picker runs its click handler at once; with duplicate captions
    // each match is selected in turn.
    if (state.multiMode) {
      ui::CheckBox& box = *pickers.checks[std::size_t(i)];
      if (eventCombo.text() == box.caption) box.setValue(true);
    } else {
      ui::OptionButton& option = *pickers.options[std::size_t(i)];
      if (eventCombo.text() == option.caption) option.setValue(true);
    }
  }
}

void ToggleCheckBoxMode(Station& s) {
  MainWindow& w = s.main;
  // The mode holds for this run only; configuration row 20 is not changed.
  s.state.multiMode = !w.menus.checkBoxMode.checked;
  w.menus.checkBoxMode.checked = s.state.multiMode;
  w.pickers.singleFrame.visible = !s.state.multiMode;
  w.pickers.multiFrame.visible = s.state.multiMode;
  FillPickers(EventListContext::of(s), s.settings.eventListPath);
}

void OpenListEditor(Station& s) { s.platform.show(s.listEditor.form); }

}  // namespace ruvek
