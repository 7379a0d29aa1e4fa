#pragma once
// The navigation inputs the program reads itself: the serial port of a GPS
// receiver and the UDP port of a navigation feed. Each face implements them
// (the desktop on the machine's devices, the headless driver from the script);
// what is common to both, the settings text and the device a port number
// names, lives here.
#include <optional>
#include <string>
#include <vector>

namespace ruvek::os {

// The line settings of a serial port.
struct SerialSettings {
  int baud = 0;
  char parity = 'n';  // n(one), e(ven), o(dd), m(ark), s(pace)
  int dataBits = 8;   // 5 to 8
  int stopBits = 1;   // 1 or 2
};

// Reads a settings text of baud rate, parity letter, data bits and stop bits
// joined by commas ("9600,n,8,1", "4800,E,7,2"). Nothing when a part is not a
// setting a serial port takes; `why` then says which part and why.
// Examples: "19200,n,8,1" -> 19200 'n' 8 1; "0,n,8,1", "96x0,n,8,1", "9600,x,8,1",
// "9600,n,9,1" and "9600,n,8" -> nothing.
std::optional<SerialSettings> ParseSerialSettings(const std::string& text, std::string* why = nullptr);
// The parts of a settings text between its commas, as they stand:
// "9600,n,8,1" -> "9600" "n" "8" "1"; "" -> one empty part.
std::vector<std::string> SettingsParts(const std::string& text);

// The device that serial port number `port` names on this computer: the
// environment variable RUVEK_COM<port> when it is set, otherwise /dev/ttyS<port-1>
// (COM<port> on Windows, \\.\COM<port> above COM9).
std::string SerialDeviceName(int port);

// How opening a serial port went.
struct PortOpened {
  enum Status { Opened, NotFound, BadSettings };
  Status status = NotFound;
  std::string why;  // the device's or the settings' complaint, for the operator
  explicit operator bool() const { return status == Opened; }
};

// The serial port of a GPS receiver. Characters that arrive while it is
// closed are lost; those that arrive while it is open wait until read.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Opens port number `port` with a settings text such as "4800,n,8,1".
  virtual PortOpened open(int port, const std::string& settings) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual std::string readAll() = 0;  // every character waiting
  virtual std::string deviceName(int port) const { return SerialDeviceName(port); }
};

// The port of a station without a GPS receiver: it never opens.
class NoSerialPort : public SerialPort {
 public:
  PortOpened open(int, const std::string&) override { return {PortOpened::NotFound, "no serial ports"}; }
  void close() override {}
  bool isOpen() const override { return false; }
  std::string readAll() override { return {}; }
};

// Listens for navigation datagrams on one UDP port. Datagrams wait until taken.
class UdpReceiver {
 public:
  virtual ~UdpReceiver() = default;
  // Starts listening on `port` (1 to 65535), after closing any earlier port.
  // False, with `why`, when the port cannot be had.
  virtual bool listen(int port, std::string& why) = 0;
  virtual void close() = 0;
  virtual bool isListening() const = 0;
  // The datagrams that arrived since the last call, oldest first.
  virtual std::vector<std::string> takeDatagrams() = 0;
};

// The receiver of a station without a network: it never listens.
class NoUdpReceiver : public UdpReceiver {
 public:
  bool listen(int, std::string& why) override {
    why = "no network";
    return false;
  }
  void close() override {}
  bool isListening() const override { return false; }
  std::vector<std::string> takeDatagrams() override { return {}; }
};

}  // namespace ruvek::os
