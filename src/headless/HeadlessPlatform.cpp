#include "headless/HeadlessPlatform.h"

#include <chrono>
#include <ctime>

#include "os/Os.h"

namespace ruvek::ui {
namespace {

DateTime RealNow() {
  const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  const std::tm tm = os::LocalTime(t);
  DateTime d;
  d.year = tm.tm_year + 1900;
  d.month = tm.tm_mon + 1;
  d.day = tm.tm_mday;
  d.hour = tm.tm_hour;
  d.minute = tm.tm_min;
  d.second = tm.tm_sec;
  return d;
}

bool AnswerFits(Answer a, Buttons b) {
  switch (b) {
    case Buttons::OK: return a == Answer::OK;
    case Buttons::YesNo: return a == Answer::Yes || a == Answer::No;
    case Buttons::YesNoCancel: return a == Answer::Yes || a == Answer::No || a == Answer::Cancel;
  }
  return false;
}

}  // namespace

std::string ShowTokens(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r')
      out += "<CR>";
    else if (c == '\n')
      out += "<LF>";
    else if (c == '\t')
      out += "<TAB>";
    else
      out += c;
  }
  return out;
}

std::string ReadTokens(const std::string& raw) {
  std::string text = raw;
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
  static const std::pair<const char*, char> kTokens[] = {
      {"<CR>", '\r'}, {"<LF>", '\n'}, {"<TAB>", '\t'}, {"<BS>", '\b'}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool matched = false;
    for (const auto& [token, ch] : kTokens) {
      const std::size_t len = std::char_traits<char>::length(token);
      if (text.compare(i, len, token) == 0) {
        out += ch;
        i += len;
        matched = true;
        break;
      }
    }
    if (!matched) out += text[i++];
  }
  return out;
}

os::PortOpened HeadlessSerialPort::open(int port, const std::string& settings) {
  std::string why;
  if (!os::ParseSerialSettings(settings, &why)) return {os::PortOpened::BadSettings, why};
  if (!ports.empty() && !ports.count(port)) return {os::PortOpened::NotFound, "no such port"};
  open_ = true;
  pending_.clear();
  return {os::PortOpened::Opened, {}};
}

HeadlessPlatform::HeadlessPlatform(os::FileSystem files, std::ostream& out, std::ostream& err)
    : Platform(std::move(files)), out_(out), err_(err), clockMs_(RealNow().toMillis()) {}

Answer HeadlessPlatform::messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) {
  out_ << "MSGBOX | " << ShowTokens(title) << " | " << ShowTokens(text) << " | " << ButtonsName(buttons) << " | "
       << IconName(icon) << " | ";
  if (buttons == Buttons::OK) {
    out_ << "OK\n";
    return Answer::OK;
  }
  if (answers_.empty() || !AnswerFits(answers_.front(), buttons)) {
    out_ << "NONE\n";
    out_.flush();
    err_ << "ERROR unanswered message box\n";
    throw ScriptExit{3};
  }
  const Answer a = answers_.front();
  answers_.pop_front();
  out_ << AnswerName(a) << "\n";
  return a;
}

std::optional<std::string> HeadlessPlatform::fileDialog(const std::string& initialFolder) {
  std::optional<std::string> result;
  if (!files_.empty()) {
    result = files_.front();
    files_.pop_front();
  }
  out_ << "FILEDIALOG | " << ShowTokens(initialFolder) << " | " << (result ? ShowTokens(*result) : "cancel") << "\n";
  return result;
}

bool HeadlessPlatform::startEditor(const std::string& file) {
  const auto program = EditorProgram();
  if (!program) return false;
  out_ << "EDITOR | " << ShowTokens(*program) << " | " << ShowTokens(file) << "\n";
  return true;
}

void HeadlessPlatform::timerReset(Timer& timer) {
  order_.emplace(&timer, int(order_.size()));
  if (timer.isEnabled())
    due_[&timer] = clockMs_ + timer.interval();
  else
    due_.erase(&timer);
}

void HeadlessPlatform::advance(std::int64_t ms) {
  const std::int64_t target = clockMs_ + (ms > 0 ? ms : 0);
  while (true) {
    Timer* next = nullptr;
    std::int64_t when = 0;
    for (const auto& [timer, due] : due_) {
      if (due > target) continue;
      if (!next || due < when || (due == when && order_[timer] < order_[next])) {
        next = timer;
        when = due;
      }
    }
    if (!next) break;
    if (when > clockMs_) clockMs_ = when;
    if (next->onTimer) next->onTimer();
    // A handler that reset the timer has set its own next due time.
    auto it = due_.find(next);
    if (it != due_.end() && it->second == when) {
      std::int64_t following = when + next->interval();
      while (following <= clockMs_) following += next->interval();
      it->second = following;
    }
  }
  if (clockMs_ < target) clockMs_ = target;
}

}  // namespace ruvek::ui
