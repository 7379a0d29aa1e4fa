#pragma once
// The machine as an operator script sees it: a virtual clock that moves only
// through waits and `advance`, message-box answers and file-dialog results
// queued by the script, and every box, dialog and editor start printed as
// one line.
#include <cstdint>
#include <deque>
#include <map>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "ui/Platform.h"

namespace ruvek::ui {

// Ends the script run with an exit code (3: an unanswered message box).
struct ScriptExit {
  int code;
};

// The serial port of a script: `serial TEXT` puts characters on it.
class HeadlessSerialPort : public os::SerialPort {
 public:
  os::PortOpened open(int port, const std::string& settings) override;
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  std::string readAll() override {
    std::string out;
    out.swap(pending_);
    return out;
  }
  // Characters arriving; a closed port loses them.
  void arrive(const std::string& text) {
    if (open_) pending_ += text;
  }
  // The port numbers that exist; empty means every number opens.
  std::set<int> ports;

 private:
  bool open_ = false;
  std::string pending_;
};

// The UDP receiver of a script: `udp TEXT` is a datagram arriving.
class HeadlessUdpReceiver : public os::UdpReceiver {
 public:
  bool listen(int, std::string&) override {
    listening_ = true;
    return true;
  }
  void close() override {
    listening_ = false;
    pending_.clear();
  }
  bool isListening() const override { return listening_; }
  std::vector<std::string> takeDatagrams() override { return std::exchange(pending_, {}); }
  // A datagram arriving; nobody takes it while nothing listens.
  void arrive(const std::string& text) {
    if (listening_) pending_.push_back(text);
  }

 private:
  bool listening_ = false;
  std::vector<std::string> pending_;
};

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform(os::FileSystem files, std::ostream& out, std::ostream& err);

  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override;
  std::optional<std::string> fileDialog(const std::string& initialFolder) override;
  void wait(int ms) override { clockMs_ += ms; }
  DateTime now() override { return DateTime::fromMillis(clockMs_); }
  bool startEditor(const std::string& file) override;
  os::SerialPort& serial() override { return serial_; }
  os::UdpReceiver& udp() override { return udp_; }
  void timerReset(Timer& timer) override;
  void timerRemoved(Timer& timer) override {
    due_.erase(&timer);
    order_.erase(&timer);
  }

  void setClock(const DateTime& t) { clockMs_ = t.toMillis(); }
  std::int64_t clockMs() const { return clockMs_; }
  void queueAnswer(Answer a) { answers_.push_back(a); }
  void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
  HeadlessSerialPort& port() { return serial_; }
  HeadlessUdpReceiver& udpReceiver() { return udp_; }

  // Moves the clock `ms` forward, firing in time order every tick that comes
  // due of every enabled timer. Ticks never fire inside another handler.
  void advance(std::int64_t ms);

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::int64_t clockMs_;
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> files_;
  HeadlessSerialPort serial_;
  HeadlessUdpReceiver udp_;
  std::map<Timer*, std::int64_t> due_;  // next due time of each enabled timer
  std::map<Timer*, int> order_;         // first-seen order, to break ties
};

// Printed texts show CR, LF and TAB as <CR>, <LF> and <TAB>.
std::string ShowTokens(const std::string& text);
// Script texts: surrounding quotes removed, <CR> <LF> <TAB> <BS> turned into characters.
std::string ReadTokens(const std::string& raw);

}  // namespace ruvek::ui
