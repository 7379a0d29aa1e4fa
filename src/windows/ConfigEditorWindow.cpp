#include "windows/ConfigEditorWindow.h"

namespace ruvek {
namespace {

constexpr int kRowHeight = 24;
constexpr int kLabelLeft = 8, kLabelWidth = 196;
constexpr int kFieldLeft = 208, kFieldWidth = 260;
constexpr int kWarningLeft = 474, kWarningWidth = 110;

const char* kCaptions[kConfigRowsWritten + 1] = {"",
                                                 "Project:",
                                                 "Study:",
                                                 "Data Directory:",
                                                 "Nav Directory:",
                                                 "Event File:",
                                                 "Personnel Initials:",
                                                 "EventNumber File:",
                                                 "GPS Current Position:",
                                                 "Sampling Rate (ms):",
                                                 "Network or Local:",
                                                 "GPS Source/Format:",
                                                 "Com port:",
                                                 "Com port settings:",
                                                 "GPS Primary String:",
                                                 "GPS 2nd/Date String:",
                                                 "Line.Sta Method:",
                                                 "Load Previous Events:",
                                                 "Comment Options File:",
                                                 "Event Number Scheme:",
                                                 "Julian format | Events Select:",
                                                 "PC Time PST/PDT/UTC:"};

struct Tip {
  int row;
  const char* label;
  const char* field;
};
const Tip kTips[] = {
    {11, "GPS, UDP, KNORR, MET, JD, SCS, Network", ""},
    {14, "Primary GPS information usually $GPGGA or $GPRMC", ""},
    {15, "If primary GPS string does not contain Date/Time, use this string's Date/Time", ""},
    {16, "STANDARD is standard line.sta; CALC is calculated line.sta; SELECT is manual selection of Line.Sta", ""},
    {18, "", "File that fills in the Comment Options"},
    {20, "",
     "Use to select MULTI-checkbox or SINGLE-option event mode (OR long or short numeric julian day event numbering "
     "mode)"},
    {21, "Not in Service at this time ;-)",
     "Set to whatever the computer running Ruvek is running - normally PST, but RV Orvane's CTD PC is UTC"},
};

int RowTop(int row) { return 8 + kRowHeight * (row - 1); }

const KeywordField* KeywordFieldOf(int row) {
  for (const KeywordField& k : KeywordFields())
    if (k.row == row) return &k;
  return nullptr;
}

ui::EditableText& AddField(ui::Form& form, int row) {
  const ui::Geometry geo{kFieldLeft, RowTop(row), kFieldWidth, 22};
  if (const KeywordField* k = KeywordFieldOf(row)) {
    auto& combo = form.add<ui::ComboBox>(ui::IndexedName("Combo1", k->index));
    combo.items = k->keywords;
    combo.geo = geo;
    return combo;
  }
  auto& box = form.add<ui::TextBox>(ui::IndexedName("Text1", row));
  box.geo = geo;
  return box;
}

ui::Button& AddButton(ui::Form& form, int i, const char* caption) {
  auto& button = form.add<ui::Button>(ui::IndexedName("Command1", i));
  button.caption = caption;
  button.geo = {kFieldLeft + 136 * i, RowTop(kConfigRowsWritten + 1) + 8, 128, 28};
  return button;
}

using Fields = std::array<ui::EditableText*, kConfigRowsWritten + 1>;
using Labels = std::array<ui::Label*, kConfigRowsWritten + 1>;

// Every row's label, field and warning, top to bottom, with their tooltips;
// returns the Study field.
ui::TextBox& AddRows(ui::Form& form, Fields& fields, Labels& labels, Labels& warnings) {
  for (int row = 1; row <= kConfigRowsWritten; ++row) {
    auto& label = form.add<ui::Label>(ui::IndexedName("Label1", row));
    label.caption = kCaptions[row];
    label.geo = {kLabelLeft, RowTop(row) + 3, kLabelWidth, 18};
    labels[std::size_t(row)] = &label;
    fields[std::size_t(row)] = &AddField(form, row);
    auto& warning = form.add<ui::Label>(ui::IndexedName("lblWarn", row));
    warning.geo = {kWarningLeft, RowTop(row) + 3, kWarningWidth, 18};
    warning.visible = false;
    warnings[std::size_t(row)] = &warning;
  }
  for (const Tip& tip : kTips) {
    labels[std::size_t(tip.row)]->tooltip = tip.label;
    fields[std::size_t(tip.row)]->tooltip = tip.field;
  }
  return static_cast<ui::TextBox&>(*fields[2]);
}

ui::TextBox& Box(const Fields& fields, int row) { return static_cast<ui::TextBox&>(*fields[std::size_t(row)]); }

}  // namespace

const std::vector<KeywordField>& KeywordFields() {
  static const std::vector<KeywordField> kFields = {
      {10, 0, {"LOCAL", "NETWORK"}},
      {11, 1, {"NETWORK", "GPS", "MET", "SCS", "UDP", "KNORR", "JD"}},
      {16, 2, {"STANDARD", "CALCULATE", "SELECT"}},
      {17, 3, {"CURRENTSTA", "LASTEVENT", "ALLEVENTS", "LASTSTA"}},
      {19, 4, {"JULIAN", "NUMERIC"}},
      {20, 5, {"MULTI", "SINGLE", "LONG", "SHORT"}},
  };
  return kFields;
}

ConfigEditorWindow::ConfigEditorWindow()
    : study(AddRows(form, fields, labels, warnings)),
      dataDir(Box(fields, 3)),
      navDir(Box(fields, 4)),
      save(AddButton(form, 0, "Update/Save")),
      close(AddButton(form, 1, "Close Window")) {
  form.caption = std::string(kConfigPath) + " Current Settings";
  form.geo = {0, 0, kWarningLeft + kWarningWidth + 8, RowTop(kConfigRowsWritten + 1) + 44};
}

}  // namespace ruvek
