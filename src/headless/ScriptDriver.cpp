#include "headless/ScriptDriver.h"

#include <cstdlib>
#include <functional>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "os/Os.h"

namespace ruvek::ui {
namespace {

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

bool ParseInt(const std::string& s, long long& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  out = std::strtoll(s.c_str(), &end, 10);
  return end && *end == '\0';
}

class Driver {
 public:
  Driver(std::ostream& out, std::ostream& err, Application& app, HeadlessPlatform& platform, bool allowShell)
      : out_(out), err_(err), app_(app), platform_(platform), allowShell_(allowShell) {}

  int run(std::istream& script) {
    std::string line;
    while (std::getline(script, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const auto first = line.find_first_not_of(" \t");
      if (first == std::string::npos || line[first] == '#') continue;
      line = line.substr(first);
      if (const auto code = perform([this, &line] { command(line); })) return *code;
      out_.flush();
    }
    return 0;
  }

 private:
  // Runs one action; a restart it asks for runs here, once every handler has
  // unwound. An exit code when the script run ends.
  std::optional<int> perform(const std::function<void()>& action) {
    try {
      action();
    } catch (const RestartRequested&) {
      return perform([this] { app_.restart(); });
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
    return std::nullopt;
  }

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
    if (verb == "click") return control(rest).click();
    if (verb == "dblclick") return control(rest).doubleClick();
    if (verb == "choose") return choose(rest);
    if (verb == "type") return typeInto(rest, true);
    if (verb == "keys") return typeInto(rest, false);
    if (verb == "blur") return control(rest).loseFocus();
    if (verb == "key") return key(rest);
    if (verb == "select") return select(rest);
    if (verb == "tick") return tick(rest);
    if (verb == "serial") return platform_.port().arrive(ReadTokens(rest));
    if (verb == "udp") return platform_.udpReceiver().arrive(ReadTokens(rest));
    if (verb == "get") return get(rest);
    if (verb == "sh") return shell(rest);
    if (verb == "echo") {
      out_ << ReadTokens(rest) << "\n";
      return;
    }
    throw ScriptError("unknown command '" + verb + "'");
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

  void choose(const std::string& rest) {
    auto [c, text] = controlAndText(rest);
    if (c->kind() != Kind::ComboBox) throw ScriptError("choose: '" + c->name() + "' is not a drop-down");
    if (!static_cast<ComboBox*>(c)->choose(text)) throw ScriptError("choose: '" + text + "' is not in the list");
  }

  void typeInto(const std::string& rest, bool replace) {
    auto [c, text] = controlAndText(rest);
    if (c->enabled && !c->takesTyping()) throw ScriptError("cannot type into '" + c->name() + "'");
    c->type(text, replace);
  }

  void key(const std::string& rest) {
    if (rest == "F9")
      app_.keyF9();
    else if (rest == "Escape")
      app_.keyEscape();
    else
      throw ScriptError("unknown key '" + rest + "'");
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
    grid.selectCell(int(row), int(col));
  }

  void tick(const std::string& name) {
    Control& c = control(name);
    if (c.kind() != Kind::Timer) throw ScriptError("tick: '" + name + "' is not a timer");
    if (!static_cast<Timer&>(c).tick()) out_ << "TIMER " << name << " disabled\n";
  }

  void shell(const std::string& command) {
    if (!allowShell_) return;
    out_.flush();
    (void)os::RunShell(command);
  }

  // ---- get
  void get(const std::string& name) {
    if (name.empty()) throw ScriptError("get: no name");
    out_ << name << "=" << ShowTokens(value(name)) << "\n";
  }

  std::string value(const std::string& name) {
    if (name == "clock") return DateTime::fromMillis(platform_.clockMs()).isoText();
    if (auto state = app_.state(name)) return *state;
    if (Control* c = app_.find(name)) return c->shownValue();
    if (auto cell = gridCell(name)) return *cell;
    // NAME.PROPERTY: the property is the part after the last dot outside parentheses.
    int depth = 0;
    for (std::size_t i = name.size(); i-- > 0;) {
      if (name[i] == ')') ++depth;
      if (name[i] == '(') --depth;
      if (name[i] == '.' && depth == 0) {
        const std::string base = name.substr(0, i), prop = name.substr(i + 1);
        if (Control* c = app_.find(base)) {
          if (auto value = c->property(prop)) return *value;
          throw ScriptError("unknown property '" + prop + "' of '" + c->name() + "'");
        }
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

  std::ostream& out_;
  std::ostream& err_;
  Application& app_;
  HeadlessPlatform& platform_;
  bool allowShell_;
};

}  // namespace

int RunScript(std::istream& script, std::ostream& out, std::ostream& err, Application& app, HeadlessPlatform& platform,
              bool allowShell) {
  Driver driver(out, err, app, platform, allowShell);
  return driver.run(script);
}

}  // namespace ruvek::ui
