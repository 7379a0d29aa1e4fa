#pragma once
// Placing the controls of a window: each at its place, with its tooltip, in
// its frame; option buttons joined to their group.
#include <string>

#include "ui/Controls.h"

namespace ruvek {

// A control of the window at its place, with its tooltip.
template <class T>
T& AddPlaced(ui::Form& form, const std::string& name, ui::Geometry geo, const char* tooltip = "",
             const std::string& container = {}) {
  auto& control = form.add<T>(name, container);
  control.geo = geo;
  control.tooltip = tooltip;
  return control;
}

// An option button of `group`, captioned.
inline ui::OptionButton& AddOption(ui::Form& form, const std::string& name, ui::Geometry geo,
                                   const std::string& caption, ui::OptionGroup& group,
                                   const std::string& container = {}) {
  auto& option = AddPlaced<ui::OptionButton>(form, name, geo, "", container);
  option.caption = caption;
  option.group = &group;
  group.members.push_back(&option);
  return option;
}

}  // namespace ruvek
