#include "headless/ScriptDriver.h"

#include <cstdlib>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace ruvek::ui {
namespace {

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

const char* Flag(bool b) { return b ? "true" : "false"; }

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i) out += '|';
    out += items[i];
  }
  return out;
}

bool ParseInt(const std::string& s, long long& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  out = std::strtoll(s.c_str(), &end, 10);
  return end && *end == '\0';
}

class Driver {
 public:
  Driver(std::ostream& out, std::ostream& err, Application& app, HeadlessPlatform& platform)
      : out_(out), err_(err), app_(app), platform_(platform) {}

  int run(std::istream& script) {
    std::string line;
    while (std::getline(script, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const auto first = line.find_first_not_of(" \t");
      if (first == std::string::npos || line[first] == '#') continue;
      line = line.substr(first);
      try {
        command(line);
      } catch (const ProgramEnded&) {
        out_ << "ENDED\n";
        out_.flush();
        return 0;
      } catch (const ScriptExit& e) {
        out_.flush();
        return e.code;
      } catch (const ScriptError& e) {
        out_.flush();
        err_ << "ERROR " << e.what() << "\n";
        return 2;
      }
      out_.flush();
    }
    return 0;
  }

 private:
  void command(const std::string& line) {
    const auto space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
    static const char* kBeforeStart[] = {"clock", "answer", "file", "ports", "sh", "echo", "start"};
    bool allowedBefore = false;
    for (const char* v : kBeforeStart) allowedBefore |= verb == v;
    if (!app_.started() && !allowedBefore) throw ScriptError("'" + verb + "' before start");

    if (verb == "clock") return setClock(rest);
    if (verb == "advance") return advance(rest);
    if (verb == "answer") return queueAnswers(rest);
    if (verb == "file") return platform_.queueFile(rest == "cancel" ? std::nullopt : std::optional(ReadTokens(rest)));
    if (verb == "ports") return setPorts(rest);
    if (verb == "start") return start();
    if (verb == "click") return click(control(rest));
    if (verb == "dblclick") return dblclick(control(rest));
    if (verb == "choose") return choose(rest);
    if (verb == "type") return typeInto(rest, true);
    if (verb == "keys") return typeInto(rest, false);
    if (verb == "blur") return fire(control(rest).onLostFocus);
    if (verb == "key") return key(rest);
    if (verb == "select") return select(rest);
    if (verb == "tick") return tick(rest);
    if (verb == "serial") return app_.serialArrived(ReadTokens(rest));
    if (verb == "get") return get(rest);
    if (verb == "sh") return shell(rest);
    if (verb == "echo") {
      out_ << ReadTokens(rest) << "\n";
      return;
    }
    throw ScriptError("unknown command '" + verb + "'");
  }

  static void fire(const std::function<void()>& handler) {
    if (handler) handler();
  }

  Control& control(const std::string& name) {
    Control* c = app_.find(name);
    if (!c) throw ScriptError("unknown control '" + name + "'");
    return *c;
  }

  // "NAME TEXT": the control and the text after one blank.
  std::pair<Control*, std::string> controlAndText(const std::string& rest) {
    const auto space = rest.find(' ');
    const std::string name = rest.substr(0, space);
    const std::string text = space == std::string::npos ? std::string() : ReadTokens(rest.substr(space + 1));
    return {&control(name), text};
  }

  void setClock(const std::string& rest) {
    DateTime t;
    if (!DateTime::parseIso(rest, t)) throw ScriptError("bad clock '" + rest + "'");
    platform_.setClock(t);
  }

  void advance(const std::string& rest) {
    long long ms = 0;
    if (!ParseInt(rest, ms) || ms < 0) throw ScriptError("bad advance '" + rest + "'");
    platform_.advance(ms);
  }

  void queueAnswers(const std::string& rest) {
    std::istringstream words(rest);
    std::string w;
    while (words >> w) {
      if (w == "Yes")
        platform_.queueAnswer(Answer::Yes);
      else if (w == "No")
        platform_.queueAnswer(Answer::No);
      else if (w == "Cancel")
        platform_.queueAnswer(Answer::Cancel);
      else
        throw ScriptError("bad answer '" + w + "'");
    }
  }

  void setPorts(const std::string& rest) {
    std::istringstream words(rest);
    std::string w;
    while (words >> w) {
      long long n = 0;
      if (!ParseInt(w, n)) throw ScriptError("bad port '" + w + "'");
      platform_.port().ports.insert(int(n));
    }
  }

  void start() {
    if (app_.started()) throw ScriptError("start: the window is already loaded");
    app_.start();
  }

  void click(Control& c) {
    if (!c.enabled) return;  // the operator cannot press a disabled control
    switch (c.kind()) {
      case Kind::OptionButton: static_cast<OptionButton&>(c).setValue(true); return;
      case Kind::CheckBox: {
        auto& box = static_cast<CheckBox&>(c);
        box.setValue(!box.value());
        return;
      }
      default: fire(c.onClick);
    }
  }

  void dblclick(Control& c) {
    if (!c.enabled) return;
    if (c.kind() == Kind::OptionButton) static_cast<OptionButton&>(c).setValue(true);
    fire(c.onDblClick);
  }

  void choose(const std::string& rest) {
    auto [c, text] = controlAndText(rest);
    if (c->kind() != Kind::ComboBox) throw ScriptError("choose: '" + c->name() + "' is not a drop-down");
    if (!c->enabled) return;
    if (!static_cast<ComboBox*>(c)->choose(text)) throw ScriptError("choose: '" + text + "' is not in the list");
  }

  // Typing: each key goes through the key-press handler, then changes the text.
  void typeInto(const std::string& rest, bool replace) {
    auto [c, text] = controlAndText(rest);
    if (!c->enabled) return;
    auto current = [&]() -> std::string {
      if (c->kind() == Kind::TextBox) return static_cast<TextBox*>(c)->text();
      if (c->kind() == Kind::ComboBox) return static_cast<ComboBox*>(c)->text();
      return {};
    };
    auto set = [&](const std::string& value) {
      if (c->kind() == Kind::TextBox) static_cast<TextBox*>(c)->setText(value);
      if (c->kind() == Kind::ComboBox) static_cast<ComboBox*>(c)->setText(value);
    };
    if (c->kind() == Kind::TextBox && static_cast<TextBox*>(c)->locked) return;
    if (c->kind() != Kind::TextBox && c->kind() != Kind::ComboBox && c->kind() != Kind::Grid)
      throw ScriptError("cannot type into '" + c->name() + "'");
    if (replace) set("");
    for (char ch : text) {
      char key = ch;
      if (c->onKeyPress) c->onKeyPress(key);
      if (key == 0 || c->kind() == Kind::Grid) continue;
      std::string value = current();
      if (key == '\b') {
        if (!value.empty()) value.pop_back();
      } else {
        value += key;
      }
      set(value);
    }
  }

  void key(const std::string& rest) {
    if (rest != "F9") throw ScriptError("unknown key '" + rest + "'");
    app_.keyF9();
  }

  void select(const std::string& rest) {
    std::istringstream words(rest);
    std::string name, rowText, colText;
    words >> name >> rowText >> colText;
    Control& c = control(name);
    if (c.kind() != Kind::Grid) throw ScriptError("select: '" + name + "' is not a grid");
    long long row = 0, col = 0;
    if (!ParseInt(rowText, row) || (!colText.empty() && !ParseInt(colText, col)))
      throw ScriptError("select: bad cell '" + rest + "'");
    auto& grid = static_cast<Grid&>(c);
    if (row < 0 || row >= grid.rows() || col < 0 || col >= grid.cols())
      throw ScriptError("select: no cell " + rowText + "," + (colText.empty() ? "0" : colText));
    grid.row = int(row);
    grid.col = int(col);
    fire(grid.onClick);
  }

  void tick(const std::string& name) {
    Control& c = control(name);
    if (c.kind() != Kind::Timer) throw ScriptError("tick: '" + name + "' is not a timer");
    auto& timer = static_cast<Timer&>(c);
    if (!timer.isEnabled()) {
      out_ << "TIMER " << name << " disabled\n";
      return;
    }
    fire(timer.onTimer);
  }

  void shell(const std::string& command) {
    out_.flush();
    const int rc = std::system(command.c_str());
    (void)rc;
  }

  // ---- get
  void get(const std::string& name) {
    if (name.empty()) throw ScriptError("get: no name");
    out_ << name << "=" << ShowTokens(value(name)) << "\n";
  }

  std::string value(const std::string& name) {
    if (name == "clock") return DateTime::fromMillis(platform_.clockMs()).isoText();
    if (auto state = app_.state(name)) return *state;
    if (Control* c = app_.find(name)) return defaultValue(*c);
    if (auto cell = gridCell(name)) return *cell;
    // NAME.PROPERTY: the property is the part after the last dot outside parentheses.
    int depth = 0;
    for (std::size_t i = name.size(); i-- > 0;) {
      if (name[i] == ')') ++depth;
      if (name[i] == '(') --depth;
      if (name[i] == '.' && depth == 0) {
        const std::string base = name.substr(0, i), prop = name.substr(i + 1);
        if (Control* c = app_.find(base)) return property(*c, prop);
        break;
      }
    }
    throw ScriptError("unknown control or state '" + name + "'");
  }

  std::optional<std::string> gridCell(const std::string& name) {
    static const std::regex kCell(R"(^(.*)\((-?\d+),(-?\d+)\)$)");
    std::smatch m;
    if (!std::regex_match(name, m, kCell)) return std::nullopt;
    Control* c = app_.find(m[1]);
    if (!c || c->kind() != Kind::Grid) return std::nullopt;
    auto& grid = static_cast<Grid&>(*c);
    const long long row = std::atoll(m[2].str().c_str()), col = std::atoll(m[3].str().c_str());
    if (row < 0 || row >= grid.rows() || col < 0 || col >= grid.cols()) throw ScriptError("no cell " + name);
    return grid.cell(int(row), int(col));
  }

  static std::string defaultValue(Control& c) {
    switch (c.kind()) {
      case Kind::TextBox: return static_cast<TextBox&>(c).text();
      case Kind::ComboBox: return static_cast<ComboBox&>(c).text();
      case Kind::Grid: {
        auto& g = static_cast<Grid&>(c);
        return g.cell(g.row, g.col);
      }
      case Kind::StatusBar: return static_cast<StatusBar&>(c).panel(1).text;
      case Kind::Timer: return std::to_string(static_cast<Timer&>(c).interval());
      default: return c.caption;
    }
  }

  std::string property(Control& c, const std::string& prop) {
    static const std::regex kPanel(R"(^Panels\(([1-6])\)$)");
    std::smatch m;
    if (c.kind() == Kind::StatusBar && std::regex_match(prop, m, kPanel))
      return static_cast<StatusBar&>(c).panel(std::atoi(m[1].str().c_str())).text;
    if (prop == "text") {
      if (c.kind() == Kind::TextBox || c.kind() == Kind::ComboBox || c.kind() == Kind::Grid) return defaultValue(c);
      if (c.kind() == Kind::StatusBar) return static_cast<StatusBar&>(c).panel(1).text;
    }
    if (prop == "caption" && c.kind() != Kind::TextBox && c.kind() != Kind::ComboBox) return c.caption;
    if (prop == "tooltip") return c.tooltip;
    if (prop == "enabled") return Flag(c.enabled);
    if (prop == "visible") return Flag(c.visible);
    if (prop == "left") return std::to_string(c.geo.left);
    if (prop == "top") return std::to_string(c.geo.top);
    if (prop == "width") return std::to_string(c.geo.width);
    if (prop == "height") return std::to_string(c.geo.height);
    switch (c.kind()) {
      case Kind::OptionButton:
        if (prop == "value") return Flag(static_cast<OptionButton&>(c).value());
        break;
      case Kind::CheckBox:
        if (prop == "value") return Flag(static_cast<CheckBox&>(c).value());
        break;
      case Kind::Menu:
        if (prop == "checked") return Flag(static_cast<Menu&>(c).checked);
        break;
      case Kind::TextBox:
        if (prop == "locked") return Flag(static_cast<TextBox&>(c).locked);
        break;
      case Kind::ComboBox:
        if (prop == "items") return Join(static_cast<ComboBox&>(c).items);
        break;
      case Kind::Timer:
        if (prop == "interval") return std::to_string(static_cast<Timer&>(c).interval());
        break;
      case Kind::Grid: {
        auto& g = static_cast<Grid&>(c);
        if (prop == "rows") return std::to_string(g.rows());
        if (prop == "row") return std::to_string(g.row);
        if (prop == "col") return std::to_string(g.col);
        break;
      }
      default: break;
    }
    throw ScriptError("unknown property '" + prop + "' of '" + c.name() + "'");
  }

  std::ostream& out_;
  std::ostream& err_;
  Application& app_;
  HeadlessPlatform& platform_;
};

}  // namespace

int RunScript(std::istream& script, std::ostream& out, std::ostream& err, Application& app,
              HeadlessPlatform& platform) {
  Driver driver(out, err, app, platform);
  return driver.run(script);
}

}  // namespace ruvek::ui
