// The configuration editor and the event list editor, driven headless by
// operator scripts on a temporary station; the files they write are checked
// byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"
#include "harness/Command.h"

namespace ruvek::test {
namespace {

const char* kCfg = "C:\\RuvekGPS\\RuvekGPS.cfg";
const char* kList = "C:\\RuvekGPS\\CruiseEvents.txt";
const std::string kStart = "clock 2026-06-08 03:00:00\nanswer Yes\nstart\n";
const std::string kReady = "Ready to Start? Y/N | Press YES";
const std::string kRestartBox =
    "MSGBOX | Restart Program? | You have to restart the program to load the changes. Restart now? Y/N | YesNo | "
    "question | ";
const std::string kNewCruiseBox =
    "MSGBOX | Reset for new cruise? | New cruise number entered, setup for a new cruise? Y/N | YesNoCancel | none";

// The parts of a script's output between the lines the script echoes as "==".
std::vector<std::string> Parts(const std::string& out) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = out.find("==\n", start)) != std::string::npos; start = at + 3)
    parts.push_back(out.substr(start, at - start));
  parts.push_back(out.substr(start));
  return parts;
}

// The shell set-up under which renames onto a file whose name ends in
// `suffix` fail: all of them, or the first `times`.
std::string FailRenames(const std::string& suffix, int times = -1) {
  std::string env = std::string("export LD_PRELOAD='") + RUVEK_FAIL_RENAME_LIB + "' RUVEK_FAIL_RENAME='" + suffix + "'";
  if (times >= 0) env += " RUVEK_FAIL_TIMES=" + std::to_string(times);
  return env + " ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0\"";
}

// The file names left in a folder of the station.
std::vector<std::string> Listing(const Station& st, const std::string& winFolder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(st.host(winFolder)))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ConfigEditor : public ::testing::Test {
 protected:
  Station st;
  void SetUp() override { st.seed(); }
  // Runs each of `steps` in turn in the open editor, then saves without a
  // restart; the output of each step.
  std::vector<std::string> runSteps(const std::vector<std::string>& steps) {
    std::string script = kStart + "click mnuEditCfg\n";
    for (const auto& step : steps) script += "echo ==\n" + step;
    const auto r = st.run(script + "echo ==\nanswer No\nclick FrmEditCFG.Command1(0)\n");
    EXPECT_EQ(0, r.code) << r.err;
    auto parts = Parts(r.out);
    if (parts.size() != steps.size() + 2) {
      ADD_FAILURE() << r.out;
      return std::vector<std::string>(steps.size());
    }
    return {parts.begin() + 1, parts.end() - 1};
  }
  // The configuration file's lines as seeded, with `rows` changed.
  std::vector<std::string> seededRows(const std::map<int, std::string>& rows = {}) {
    auto lines = CrLfLines(st.read(kCfg));
    lines.resize(21);
    for (const auto& [n, v] : rows) lines[std::size_t(n - 1)] = v;
    return lines;
  }
};

TEST_F(ConfigEditor, UpdateSaveWithoutChangesWritesTheRowsInMemory) {
  // Rows the menus changed since the start are saved with the others; lines
  // after row 21 are not written.
  st.write(kCfg, st.read(kCfg) + "extra 22\r\nextra 23\r\n");
  const auto expected = seededRows({{16, "CALCULATE"}, {17, "ALLEVENTS"}});
  const auto r = st.run(kStart +
                        "click mnuCalcLine\nclick mnuAllEvents\nclick mnuEditCfg\nget FrmEditCFG.Combo1(2)\n"
                        "answer No\nclick FrmEditCFG.Command1(0)\nget FrmEditCFG.visible\nget frmActivity.caption\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(expected, CrLfLines(st.read(kCfg)));
  EXPECT_EQ("CALCULATE", Got(r.out, "FrmEditCFG.Combo1(2)"));
  EXPECT_EQ(1u, Count(r.out, kRestartBox + "No")) << r.out;
  EXPECT_EQ("true", Got(r.out, "FrmEditCFG.visible"));
}

TEST_F(ConfigEditor, NoToTheRestartKeepsTheOldSettingsAndTheNextStartUsesTheFile) {
  const auto r = st.run(kStart +
                        "click mnuEditCfg\ntype FrmEditCFG.Text1(1) Newproj\nchoose FrmEditCFG.Combo1(2) SELECT\n"
                        "answer No\nclick FrmEditCFG.Command1(0)\nget frmActivity.caption\nget CruiseConfig(16)\n"
                        "get mnuStndLine.checked\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(seededRows({{1, "Newproj"}, {16, "SELECT"}}), CrLfLines(st.read(kCfg)));
  EXPECT_EQ("Tesmora 0708SR Ruvek Event Log", Got(r.out, "frmActivity.caption"));
  EXPECT_EQ("STANDARD", Got(r.out, "CruiseConfig(16)"));
  EXPECT_EQ("true", Got(r.out, "mnuStndLine.checked"));

  const auto next = st.run(kStart + "get frmActivity.caption\nget mnuSelectLine.checked\n");
  EXPECT_EQ("Newproj 0708SR Ruvek Event Log", Got(next.out, "frmActivity.caption"));
  EXPECT_EQ("true", Got(next.out, "mnuSelectLine.checked"));
}

TEST_F(ConfigEditor, YesToTheRestartLoadsTheMainWindowAgainFromTheFile) {
  // Check-box mode and the typed comment are the old window's state for this
  // run only; the emptied row 1 reaches the new window empty.
  const auto r = st.run(kStart +
                        "click mnuMulti\ntype txtComments Comments: rough\nclick mnuEditCfg\n"
                        "type FrmEditCFG.Text1(1) \"\"\nchoose FrmEditCFG.Combo1(2) CALCULATE\nanswer Yes Yes\n"
                        "click FrmEditCFG.Command1(0)\nget frmActivity.caption\nget CruiseConfig(1)\nget multiMode\n"
                        "get mnuMulti.checked\nget mnuCalcLine.checked\nget txtComments\nget FrmEditCFG.visible\n"
                        "get frmCommCheck.visible\nget Command1(0)\nget Timer1.enabled\n"
                        "click mnuEditCfg\nget FrmEditCFG.Combo1(2)\nget FrmEditCFG.Text1(2)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, kRestartBox + "Yes")) << r.out;
  EXPECT_EQ(2u, Count(r.out, kReady)) << r.out;  // the start sequence ran again, its questions too
  EXPECT_EQ(" 0708SR Ruvek Event Log", Got(r.out, "frmActivity.caption"));
  EXPECT_EQ("", Got(r.out, "CruiseConfig(1)"));
  EXPECT_EQ("false", Got(r.out, "multiMode"));
  EXPECT_EQ("false", Got(r.out, "mnuMulti.checked"));
  EXPECT_EQ("true", Got(r.out, "mnuCalcLine.checked"));
  EXPECT_EQ("Comments:", Got(r.out, "txtComments"));
  EXPECT_EQ("false", Got(r.out, "FrmEditCFG.visible"));
  EXPECT_EQ("false", Got(r.out, "frmCommCheck.visible"));
  EXPECT_EQ("Record Event", Got(r.out, "Command1(0)"));
  EXPECT_EQ("CALCULATE", Got(r.out, "FrmEditCFG.Combo1(2)"));  // the new window's editor, on the new rows
  EXPECT_EQ("0708SR", Got(r.out, "FrmEditCFG.Text1(2)"));
  EXPECT_EQ(seededRows({{1, ""}, {16, "CALCULATE"}}), CrLfLines(st.read(kCfg)));
}

TEST_F(ConfigEditor, RestartClosesTheReadingGpsWindowAndOpensTheNewSource) {
  st.seed({{11, "GPS"}});
  const auto r = st.run(kStart +
                        "click frmCommCheck.btnGo\nget frmCommCheck.btnGo\nget frmCommCheck.Timer1.enabled\n"
                        "click mnuEditCfg\nchoose FrmEditCFG.Combo1(1) NETWORK\nanswer Yes Yes\n"
                        "click FrmEditCFG.Command1(0)\necho ==\nget frmCommCheck.visible\nget frmActivity.visible\n"
                        "get frmCommCheck.btnGo\nget frmCommCheck.Timer1.enabled\nget gpsSource\n");
  ASSERT_EQ(0, r.code) << r.err;
  const auto parts = Parts(r.out);
  ASSERT_EQ(2u, parts.size()) << r.out;
  EXPECT_NE(Got(parts[0], "frmCommCheck.btnGo"), "GO");
  EXPECT_EQ("true", Got(parts[0], "frmCommCheck.Timer1.enabled"));
  EXPECT_EQ("false", Got(parts[1], "frmCommCheck.visible"));
  EXPECT_EQ("true", Got(parts[1], "frmActivity.visible"));
  EXPECT_EQ("GO", Got(parts[1], "frmCommCheck.btnGo"));
  EXPECT_EQ("false", Got(parts[1], "frmCommCheck.Timer1.enabled"));
  EXPECT_EQ("NETWORK", Got(parts[1], "gpsSource"));
}

TEST_F(ConfigEditor, NewCruiseSetUpRebuildsBothDirectoriesFromTheStudy) {
  struct Case {
    const char* dataDir;
    const char* study;  // nullptr: the field is passed through without typing
    const char* answer;
    const char* expected;  // both directory fields afterwards
    const char* message;   // the box that says why nothing changed, or ""
  } cases[] = {
      {"C:\\CODES\\2007\\0701\\Events\\", nullptr, "", "C:\\CODES\\2007\\0701\\Events\\", ""},
      {"C:\\CODES\\2007\\0701\\Events\\", "0708SR", "Yes", "C:\\CODES\\2007\\0708\\Events\\", ""},
      {"C:\\CODES\\2007\\0701\\Events\\", "0801SR", "Yes", "C:\\CODES\\2008\\0801\\Events\\", ""},
      {"C:\\CODES\\2007\\0701\\", "0708SR", "Yes", "C:\\CODES\\2007\\0708\\Events\\", ""},
      {"C:\\CODES\\2007\\0701\\", "070", "Yes", "C:\\CODES\\2007\\070\\Events\\", ""},
      {"C:\\CODES\\2007\\0701\\", "0801SR", "No", "C:\\CODES\\2007\\0701\\", ""},
      {"C:\\CODES\\2007\\0701\\", "0801SR", "Cancel", "C:\\CODES\\2007\\0701\\", ""},
      {"C:\\CODES\\2007\\0701\\", "8", "Yes", "C:\\CODES\\2007\\0701\\",
       "The Study 8 does not begin with the two digits of the year (for example 0708SR) - set the Data and Nav "
       "Directories by hand"},
      {"C:\\CODES\\2007\\0701\\Events\\", "ABCD", "Yes", "C:\\CODES\\2007\\0701\\Events\\",
       "The Study ABCD does not begin with the two digits of the year (for example 0708SR) - set the Data and Nav "
       "Directories by hand"},
      {"C:\\DATA\\", "0801SR", "Yes", "C:\\DATA\\",
       "The year folder 2008 was not found in the Data Directory C:\\DATA\\ - set the Data and Nav Directories by "
       "hand"},
  };
  // One run: each case types both fields into the open editor and leaves the Study field.
  std::vector<std::string> steps;
  for (const auto& c : cases) {
    std::string step =
        std::string("type FrmEditCFG.Text1(3) ") + c.dataDir + "\ntype FrmEditCFG.Text1(4) " + c.dataDir + "\n";
    if (c.study) step += std::string("type FrmEditCFG.Text1(2) ") + c.study + "\nanswer " + c.answer + "\n";
    steps.push_back(step + "blur FrmEditCFG.Text1(2)\nget FrmEditCFG.Text1(3)\nget FrmEditCFG.Text1(4)\n");
  }
  const auto parts = runSteps(steps);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string& part = parts[i];
    SCOPED_TRACE(std::string(c.dataDir) + " " + (c.study ? c.study : "(passed through)"));
    EXPECT_EQ(c.study ? 1u : 0u, Count(part, kNewCruiseBox)) << part;
    EXPECT_EQ(c.expected, Got(part, "FrmEditCFG.Text1(3)"));
    EXPECT_EQ(c.expected, Got(part, "FrmEditCFG.Text1(4)"));
    if (*c.message) {
      EXPECT_EQ(1u, Count(part, std::string("MSGBOX | Reset for new cruise? | ") + c.message + " | OK | exclamation"))
          << part;
    } else {
      EXPECT_EQ(0u, Count(part, "| OK |")) << part;
    }
  }
  // The last case is saved: the file keeps the directories the operator set.
  EXPECT_EQ(seededRows({{2, "0801SR"}}), CrLfLines(st.read(kCfg)));
}

TEST_F(ConfigEditor, StudyEditedSurvivesAClosingWithoutSaveAndEndsWithASave) {
  const auto r = st.run(kStart +
                        "click mnuEditCfg\ntype FrmEditCFG.Text1(2) 0801SR\nanswer No\nblur FrmEditCFG.Text1(2)\n"
                        "answer No\nclick FrmEditCFG.Command1(1)\nget FrmEditCFG.visible\necho ==\n"
                        "click mnuEditCfg\nget FrmEditCFG.Text1(2)\nanswer Cancel\nblur FrmEditCFG.Text1(2)\necho ==\n"
                        "answer No\nclick FrmEditCFG.Command1(0)\nblur FrmEditCFG.Text1(2)\n");
  ASSERT_EQ(0, r.code) << r.err;
  const auto parts = Parts(r.out);
  ASSERT_EQ(3u, parts.size());
  EXPECT_EQ(1u, Count(parts[0], kNewCruiseBox));
  EXPECT_EQ("false", Got(parts[0], "FrmEditCFG.visible"));
  EXPECT_EQ("0708SR", CrLfLines(st.read(kCfg))[1]);  // closing saved nothing
  EXPECT_EQ("0708SR", Got(parts[1], "FrmEditCFG.Text1(2)"));
  EXPECT_EQ(1u, Count(parts[1], kNewCruiseBox));  // asked again without a key typed
  EXPECT_EQ(0u, Count(parts[2], kNewCruiseBox));  // the save cleared it
}

TEST_F(ConfigEditor, CaptionNamesTheFileCloseAsksToSaveAndAMissingEditorIsExplained) {
  const std::string saveBox = std::string("MSGBOX | Save Changes? | The settings were changed. Save them to ") + kCfg +
                              " before closing? | YesNoCancel | question | ";
  const std::string typed = "type FrmEditCFG.Text1(1) Typed\n";
  const struct {
    std::string steps, shellSetup;
    std::string box;  // the one box the steps show, or "" when Close Window asks nothing
    const char* visible;
    std::map<int, std::string> rows;  // the file's rows that change
  } cases[] = {
      {typed + "answer Cancel\n", "", saveBox + "Cancel", "true", {}},
      {typed + "answer No\n", "", saveBox + "No", "false", {}},
      {typed + "answer Yes No\n", "", saveBox + "Yes", "false", {{1, "Typed"}}},
      {"", "", "", "false", {}},
      {typed + "answer No\nclick FrmEditCFG.Command1(0)\n", "", "", "false", {{1, "Typed"}}},
      {"file C:\\RuvekGPS\\Line93.txt\nclick mnuLineFileEdit\n",
       "unset VISUAL EDITOR; export PATH=/nonexistent",
       "MSGBOX | Edit Line or Sta Files | No text editor is set to open C:\\RuvekGPS\\Line93.txt. Set VISUAL or "
       "EDITOR to the command of a text editor (for example VISUAL=gedit) before starting Ruvek Event Log, or install "
       "xdg-open. | OK | information | OK",
       "false",
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps);
    // Windows always has its own editor (notepad).
    if (!c.shellSetup.empty() && ExePrefixed()) continue;
    st.seed();
    const auto expected = seededRows(c.rows);
    const auto r = st.run(kStart + "click mnuEditCfg\nget FrmEditCFG.caption\n" + c.steps +
                              "click FrmEditCFG.Command1(1)\nget FrmEditCFG.visible\n",
                          c.shellSetup);
    ASSERT_EQ(0, r.code) << r.err << r.out;
    EXPECT_EQ(std::string(kCfg) + " Current Settings", Got(r.out, "FrmEditCFG.caption"));
    EXPECT_EQ(Count(r.out, c.box.empty() ? "MSGBOX | Save Changes?" : c.box), c.box.empty() ? 0u : 1u) << r.out;
    EXPECT_EQ(c.visible, Got(r.out, "FrmEditCFG.visible"));
    EXPECT_EQ(expected, CrLfLines(st.read(kCfg)));
  }
}

TEST_F(ConfigEditor, FailedSaveLeavesTheFileWholeAndOffersNoRestart) {
  if (ExePrefixed())
    GTEST_SKIP() << "renames are failed by a preloaded library, which the Windows program under Wine does not load";
  const std::string before = st.read(kCfg);
  const auto r = st.run(kStart +
                            "click mnuEditCfg\ntype FrmEditCFG.Text1(1) Newproj\nclick FrmEditCFG.Command1(0)\n"
                            "get FrmEditCFG.visible\nget frmActivity.caption\n",
                        FailRenames("RuvekGPS.cfg"));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out,
                      "MSGBOX |  | Unable to write C:\\RuvekGPS\\RuvekGPS.cfg - the settings were not saved | OK "
                      "| error | OK"))
      << r.out;
  EXPECT_EQ(0u, Count(r.out, "Restart Program?"));
  EXPECT_EQ(before, st.read(kCfg));
  EXPECT_EQ("true", Got(r.out, "FrmEditCFG.visible"));
  EXPECT_EQ("Tesmora 0708SR Ruvek Event Log", Got(r.out, "frmActivity.caption"));
  EXPECT_EQ((std::vector<std::string>{"CommentOpt.txt", "CruiseEvents.txt", "Line90.txt", "Line93.txt", "Lines.txt",
                                      "RuvekGPS.cfg", "Watch.txt"}),
            Listing(st, "C:\\RuvekGPS"));
}

TEST_F(ConfigEditor, FieldsNamingMissingPlacesOrABadRateAreMarkedAndStillSaved) {
  struct Case {
    const char* field;
    const char* text;
    int row;
    const char* why;                // "" when the field is not marked
    const char* caption = nullptr;  // the mark's caption, when checked
  } cases[] = {
      {"Text1(3)", "C:\\DATA\\", 3, ""},
      {"Text1(7)", "EventNumber.txt", 7, ""},
      {"Text1(8)", "CurrPos.txt", 8, "C:\\DATA\\CurrPos.txt does not exist"},
      {"Text1(3)", "C:\\NOPE\\", 3, "C:\\NOPE\\ does not exist"},
      {"Text1(3)", "C:\\NOPE\\", 7, "C:\\NOPE\\EventNumber.txt does not exist"},
      {"Text1(4)", "", 4, "No directory given"},
      {"Text1(5)", "LabEvents.txt", 5, "C:\\RuvekGPS\\LabEvents.txt does not exist"},
      {"Text1(18)", " CommentOpt.txt ", 18, ""},
      {"Text1(5)", "D:\\Lists\\LabEvents.txt", 5, "D:\\Lists\\LabEvents.txt does not exist"},
      // The sampling rate is marked where a start polls otherwise than it reads.
      {"Text1(9)", "2500.6", 9, "A start reads 2500.6 as 2501 ms"},
      {"Text1(9)", "0", 9, "0 is no positive number: a start polls first after 15000 ms, then every 20000 ms",
       "<- read as 15000"},
      {"Text1(9)", "fast", 9, "fast is not a number: a start polls first after 15000 ms, then every 20000 ms",
       "<- not a number"},
      {"Text1(9)", "100000", 9, "100000 ms is beyond the timer's 65535 ms: a start polls every 65535 ms"},
      {"Text1(9)", "15000ms", 9, "A start reads 15000ms as 15000 ms"},
  };
  auto warning = [](const Case& c) { return "FrmEditCFG.lblWarn(" + std::to_string(c.row) + ")"; };
  std::vector<std::string> steps;
  for (const auto& c : cases)
    steps.push_back(std::string("type FrmEditCFG.") + c.field + " \"" + c.text + "\"\nget " + warning(c) +
                    ".visible\nget " + warning(c) + ".tooltip\nget " + warning(c) + ".caption\n");
  const auto parts = runSteps(steps);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string(c.field) + " " + c.text);
    EXPECT_EQ(*c.why ? "true" : "false", Got(parts[i], warning(c) + ".visible"));
    EXPECT_EQ(c.why, Got(parts[i], warning(c) + ".tooltip"));
    if (c.caption) {
      EXPECT_EQ(c.caption, Got(parts[i], warning(c) + ".caption"));
    }
  }
  EXPECT_EQ(seededRows({{3, "C:\\NOPE\\"},
                        {4, ""},
                        {5, "D:\\Lists\\LabEvents.txt"},
                        {8, "CurrPos.txt"},
                        {9, "15000ms"},
                        {18, " CommentOpt.txt "}}),
            CrLfLines(st.read(kCfg)));
}

TEST_F(ConfigEditor, EachRowWriterKeepsTheRowsTheEditorSaved) {
  // Saved in the editor with No to the restart, then row 17 changed by its
  // menu: a writer of one or two rows adds its own and row 17 to the file as
  // it stands. A file gone is written from memory (row 1 as the run has it),
  // one that cannot be read is left alone; each says so.
  const std::string edited =
      "click mnuEditCfg\ntype FrmEditCFG.Text1(1) Newproj\nanswer No\n"
      "click FrmEditCFG.Command1(0)\nclick mnuAllEvents\n";
  const std::string bridge = "answer Yes Yes\nclick mnuBridge\n", cfg = "\"$RUVEK_ROOT/C/RuvekGPS/RuvekGPS.cfg\"";
  struct Case {
    std::string script;
    std::map<int, std::string> rows;  // besides rows 1 and 17 as saved; none: the file is left as it was
    const char* message;
  } cases[] = {
      {bridge, {{5, "BridgeEvents.txt"}}, ""},
      {"click mnuMakeEvFile\nfile C:\\RuvekGPS\\LabEvents.txt\nanswer Yes\nclick frmEventEdit.Command1(1)\n",
       {{5, "LabEvents.txt"}},
       ""},
      {"click mnuComSet\nclick frmCommCheck.Option1(2)\nclick frmCommCheck.Command1\n", {{12, "3"}}, ""},
      {"sh rm " + cfg + "\n" + bridge,
       {{1, "Tesmora"}, {5, "BridgeEvents.txt"}},
       "RuvekGPS.cfg was missing or empty: it has been written again from the settings in use | OK | exclamation"},
      {"sh rm " + cfg + "; mkdir " + cfg + "\n" + bridge,
       {},
       "Unable to save C:\\RuvekGPS\\RuvekGPS.cfg - the event list is in use for this run only"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    st.seed();
    st.write("C:\\RuvekGPS\\BridgeEvents.txt", CrLf({"Bongo"}));
    auto rows = c.rows;
    rows.insert({{1, "Newproj"}, {17, "ALLEVENTS"}});
    const auto expected = seededRows(rows);
    const auto r = st.run(kStart + edited + c.script + "get CruiseConfig(1)\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ("Tesmora", Got(r.out, "CruiseConfig(1)"));  // the rows in memory still govern the run
    if (*c.message) {
      EXPECT_EQ(1u, Count(r.out, c.message)) << r.out;
    }
    if (c.rows.empty())
      EXPECT_TRUE(std::filesystem::is_directory(st.host(kCfg)));
    else
      EXPECT_EQ(expected, CrLfLines(st.read(kCfg)));
  }
}

TEST_F(ConfigEditor, SaveWritesWhatTheEditorWouldShowAlsoWhenNeverOpened) {
  const std::pair<const char*, std::map<int, std::string>> cases[] = {
      {"click mnuCalcLine\n", {{16, "CALCULATE"}}},
      {"click mnuEditCfg\ntype FrmEditCFG.Text1(1) Dropped\nanswer No\nclick FrmEditCFG.Command1(1)\nclick "
       "mnuAllEvents\n",
       {{17, "ALLEVENTS"}}},
      {"click mnuCalcLine\ntype FrmEditCFG.Text1(1) Typed\n", {{1, "Typed"}, {16, "CALCULATE"}}},
  };
  for (const auto& [script, rows] : cases) {
    SCOPED_TRACE(script);
    st.seed();
    const auto expected = seededRows(rows);
    ASSERT_EQ(0, st.run(kStart + script + "answer No\nclick FrmEditCFG.Command1(0)\n").code);
    EXPECT_EQ(expected, CrLfLines(st.read(kCfg)));
  }
}

// ---- the event list editor

class ListEditor : public ::testing::Test {
 protected:
  Station st;
  RunResult run(const std::string& list, const std::string& script, const std::string& shellSetup = {},
                const std::map<int, std::string>& rows = {}) {
    st.seed(rows);
    st.write(kList, list);
    return st.run(kStart + "click mnuMakeEvFile\n" + script, shellSetup);
  }
};

// Makes the grid rows Bongo, empty, MANTA from the list Bongo, Secchi: the
// second row is rubbed out, manta typed into the third (on its number, which
// types into its event name).
const std::string kBongoGapManta =
    "select frmEventEdit.EventList 2 1\nkeys frmEventEdit.EventList <BS><BS><BS><BS><BS><BS>\n"
    "select frmEventEdit.EventList 3\nkeys frmEventEdit.EventList manta\n"
    "select frmEventEdit.EventList 4 1\nkeys frmEventEdit.EventList <BS><TAB><CR>\n";

TEST_F(ListEditor, UpdateWritesTheNamedRowsAndReloadsThePickers) {
  const auto r = run(CrLf({"Bongo", "Secchi"}), kBongoGapManta +
                                                    "get frmEventEdit.EventList(2,1)\nget frmEventEdit.EventList(3,1)\n"
                                                    "get frmEventEdit.EventList(3,0)\n"
                                                    "get frmEventEdit.EventList(4,1)\nanswer Yes\n"
                                                    "click frmEventEdit.Command1(0)\nget frmEventEdit.visible\n"
                                                    "get lastPickerIndex\nget Option1(1)\nget Option1(2).visible\n"
                                                    "get Combo1.items\nget frmEventEdit.caption\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("", Got(r.out, "frmEventEdit.EventList(2,1)"));
  EXPECT_EQ("MANTA", Got(r.out, "frmEventEdit.EventList(3,1)"));
  EXPECT_EQ("3", Got(r.out, "frmEventEdit.EventList(3,0)"));
  EXPECT_EQ("", Got(r.out, "frmEventEdit.EventList(4,1)"));  // Backspace on an empty cell, Tab and CR: nothing
  EXPECT_EQ("Bongo\r\nMANTA\r\n", st.read(kList));
  EXPECT_EQ(1u, Count(r.out,
                      "MSGBOX | Update exisiting Event File? | Overwrite existing events file "
                      "C:\\RuvekGPS\\CruiseEvents.txt? Y/N | YesNo | none | Yes\n"
                      "MSGBOX |  | C:\\RuvekGPS\\CruiseEvents.txt updated with 2 events. | OK | none | OK\n"))
      << r.out;
  EXPECT_EQ("false", Got(r.out, "frmEventEdit.visible"));
  EXPECT_EQ("1", Got(r.out, "lastPickerIndex"));
  EXPECT_EQ("MANTA", Got(r.out, "Option1(1)"));
  EXPECT_EQ("false", Got(r.out, "Option1(2).visible"));
  EXPECT_EQ("Bongo|MANTA", Got(r.out, "Combo1.items"));
  EXPECT_EQ("C:\\RuvekGPS\\CruiseEvents.txt  Event List", Got(r.out, "frmEventEdit.caption"));
}

TEST_F(ListEditor, NoToTheOverwriteQuestionWritesNothingAndClosesTheWindow) {
  const std::string list = CrLf({"Bongo", "Secchi"});
  const auto r = run(list, kBongoGapManta +
                               "answer No\nclick frmEventEdit.Command1(0)\nget frmEventEdit.visible\n"
                               "get Option1(1)\nget frmEventEdit.EventList(3,1)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(st.read(kList), list);
  EXPECT_EQ(0u, Count(r.out, "updated with"));
  EXPECT_EQ("false", Got(r.out, "frmEventEdit.visible"));
  EXPECT_EQ("Secchi", Got(r.out, "Option1(1)"));
  EXPECT_EQ("MANTA", Got(r.out, "frmEventEdit.EventList(3,1)"));  // the grid keeps what was typed
}

TEST_F(ListEditor, SaveToNewEventFileLoadsItAndStoresItInRow5OnYes) {
  const auto r = run(CrLf({"Bongo", "Secchi"}),
                     kBongoGapManta +
                         "file C:\\RuvekGPS\\LabEvents.txt\nanswer Yes\nclick frmEventEdit.Command1(1)\n"
                         "get frmSelectEvent.caption\nget eventListPath\nget eventListType\n"
                         "get CruiseConfig(5)\nget frmEventEdit.caption\nget frmEventEdit.visible\n"
                         "echo ==\nclick mnuMakeEvFile\nfile cancel\nclick frmEventEdit.Command1(1)\n"
                         "get frmEventEdit.visible\n");
  ASSERT_EQ(0, r.code) << r.err;
  const auto parts = Parts(r.out);
  ASSERT_EQ(2u, parts.size());
  EXPECT_EQ("Bongo\r\nMANTA\r\n", st.read("C:\\RuvekGPS\\LabEvents.txt"));
  EXPECT_EQ(CrLf({"Bongo", "Secchi"}), st.read(kList));
  EXPECT_EQ(1u,
            Count(parts[0],
                  "MSGBOX |  | Save the event file to C:\\RuvekGPS\\xxxxxEvents.txt (xxxxx = eventlist type) | OK | "
                  "none | OK\nFILEDIALOG | C:\\RuvekGPS | C:\\RuvekGPS\\LabEvents.txt\n"
                  "MSGBOX |  | C:\\RuvekGPS\\LabEvents.txt updated with 2 events. | OK | none | OK\n"
                  "MSGBOX | Save change to cfg? | Save to RuvekGPS.cfg? Y/N | YesNo | none | Yes\n"))
      << r.out;
  EXPECT_EQ("Lab Events", Got(parts[0], "frmSelectEvent.caption"));
  EXPECT_EQ("C:\\RuvekGPS\\LabEvents.txt", Got(parts[0], "eventListPath"));
  EXPECT_EQ("Lab", Got(parts[0], "eventListType"));
  EXPECT_EQ("LabEvents.txt", Got(parts[0], "CruiseConfig(5)"));
  EXPECT_EQ("C:\\RuvekGPS\\LabEvents.txt  Event List", Got(parts[0], "frmEventEdit.caption"));
  EXPECT_EQ("false", Got(parts[0], "frmEventEdit.visible"));
  const auto cfg = CrLfLines(st.read(kCfg));
  ASSERT_EQ(21u, cfg.size());
  EXPECT_EQ("LabEvents.txt", cfg[4]);
  EXPECT_EQ("PST", cfg[20]);
  // A cancelled dialog writes nothing and asks nothing more.
  EXPECT_EQ(1u, Count(parts[1], "FILEDIALOG | C:\\RuvekGPS | cancel"));
  EXPECT_EQ(0u, Count(parts[1], "updated with"));
  EXPECT_EQ(0u, Count(parts[1], "Save change to cfg?"));
  EXPECT_EQ("true", Got(parts[1], "frmEventEdit.visible"));
}

TEST_F(ListEditor, AListSavedOutsideTheProgramDirectoryLoadsAtTheNextStart) {
  // Row 5 keeps the folder of a list outside the program directory; the list
  // logs are named after the list alone.
  const std::pair<const char*, const char*> cases[] = {
      {"D:\\Lists\\LabEvents.txt", "D:\\Lists\\LabEvents.txt"},
      {"C:\\RuvekGPS\\LabEvents.txt", "LabEvents.txt"},
  };
  for (const auto& [chosen, row5] : cases) {
    SCOPED_TRACE(chosen);
    std::filesystem::create_directories(std::filesystem::path(st.host(chosen)).parent_path());
    const auto saved = run(CrLf({"Bongo", "Secchi"}),
                           std::string("file ") + chosen + "\nanswer Yes\nclick frmEventEdit.Command1(1)\n");
    ASSERT_EQ(0, saved.code) << saved.err;
    EXPECT_EQ(CrLfLines(st.read(kCfg)).at(4), row5);
    st.write("C:\\DATA\\CurrPos.txt", "$GPGGA,030000.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,,M,,\r\n");
    const auto next =
        st.run(kStart + "advance 1000\ntick Timer1\n" + Record("Secchi") + "get eventListPath\nget Option1(1)\n");
    ASSERT_EQ(0, next.code) << next.err;
    EXPECT_EQ(Got(next.out, "eventListPath"), chosen);
    EXPECT_EQ("Secchi", Got(next.out, "Option1(1)"));
    for (const char* log : {"C:\\RuvekGPS\\0708SRLab.csv", "C:\\DATA\\0708SRLab.csv"})
      EXPECT_EQ("Secchi", Column(CrLfLines(st.read(log)).back(), 11)) << log;
  }
}

TEST_F(ListEditor, SaveThatCannotReplaceTheFileIsTriedFiveTimesAndKeepsEverything) {
  if (ExePrefixed())
    GTEST_SKIP() << "renames are failed by a preloaded library, which the Windows program under Wine does not load";
  const std::string list = CrLf({"Bongo", "Secchi"});
  struct Case {
    const char* button;
    const char* target;
    int failures;  // -1: every rename fails
    bool written;
    const char* clock;  // after four 2-second waits, or two
  } cases[] = {
      {"Command1(0)", "CruiseEvents.txt", -1, false, "2026-06-08 03:00:08"},
      {"Command1(0)", "CruiseEvents.txt", 2, true, "2026-06-08 03:00:04"},
      {"Command1(1)", "LabEvents.txt", -1, false, "2026-06-08 03:00:08"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " " + std::to_string(c.failures));
    const std::string path = std::string("C:\\RuvekGPS\\") + c.target;
    const auto r = run(list,
                       kBongoGapManta + "file " + path + "\nanswer Yes\nclick frmEventEdit." + c.button +
                           "\nget clock\nget frmEventEdit.visible\nget Option1(1)\nget frmEventEdit.EventList(3,1)\n"
                           "get eventListPath\n",
                       FailRenames(c.target, c.failures));
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(c.clock, Got(r.out, "clock"));
    if (c.written) {
      EXPECT_EQ("Bongo\r\nMANTA\r\n", st.read(path));
      EXPECT_EQ("MANTA", Got(r.out, "Option1(1)"));
      continue;
    }
    EXPECT_EQ(1u, Count(r.out, "MSGBOX |  | Unable to write " + path + " | OK | error | OK")) << r.out;
    EXPECT_EQ(0u, Count(r.out, "updated with"));
    EXPECT_EQ(0u, Count(r.out, "Save change to cfg?"));
    EXPECT_EQ(st.exists(path) ? st.read(path) : "", std::string(c.target) == "LabEvents.txt" ? "" : list);
    EXPECT_EQ("true", Got(r.out, "frmEventEdit.visible"));
    EXPECT_EQ("MANTA", Got(r.out, "frmEventEdit.EventList(3,1)"));
    EXPECT_EQ("Secchi", Got(r.out, "Option1(1)"));
    EXPECT_EQ(kList, Got(r.out, "eventListPath"));
    EXPECT_EQ((std::vector<std::string>{"CommentOpt.txt", "CruiseEvents.txt", "Line90.txt", "Line93.txt", "Lines.txt",
                                        "RuvekGPS.cfg", "Watch.txt"}),
              Listing(st, "C:\\RuvekGPS"));
  }
}

TEST_F(ListEditor, LinesBeyondThePickersAreWrittenAfterTheGridUnchanged) {
  // Check-box mode holds 26 events: lines 27 to 30 never reach the grid.
  std::string list;
  std::string expected = "EVENT 1X\r\n";
  for (int i = 1; i <= 30; ++i) {
    const std::string name = i == 28 ? " event 28, as typed " : "EVENT " + std::to_string(i);
    list += name + "\r\n" + (i == 29 ? "   \r\n" : "");
    if (i > 1) expected += name + "\r\n";
  }
  const auto r = run(list,
                     "get frmEventEdit.EventList(26,1)\nget frmEventEdit.EventList(27,1)\n"
                     "select frmEventEdit.EventList 1 1\nkeys frmEventEdit.EventList x\nanswer Yes\n"
                     "click frmEventEdit.Command1(0)\nget lastPickerIndex\nget Check1(0)\n",
                     {}, {{20, "MULTI"}});
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("EVENT 26", Got(r.out, "frmEventEdit.EventList(26,1)"));
  EXPECT_EQ("", Got(r.out, "frmEventEdit.EventList(27,1)"));
  EXPECT_EQ(expected, st.read(kList));
  EXPECT_EQ(1u, Count(r.out, "C:\\RuvekGPS\\CruiseEvents.txt updated with 30 events.")) << r.out;
  EXPECT_EQ("25", Got(r.out, "lastPickerIndex"));
  EXPECT_EQ("EVENT 1X", Got(r.out, "Check1(0)"));
}

}  // namespace
}  // namespace ruvek::test
