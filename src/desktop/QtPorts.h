#pragma once
// The navigation inputs of the desktop: the serial port of a GPS receiver
// through QSerialPort, and the UDP receiver of a navigation feed through
// QUdpSocket.
#include <QSerialPort>
#include <QUdpSocket>

#include "os/Ports.h"

namespace ruvek::ui {

class QtSerialPort : public os::SerialPort {
 public:
  os::PortOpened open(int port, const std::string& settings) override;
  void close() override { port_.close(); }
  bool isOpen() const override { return port_.isOpen(); }
  std::string readAll() override;

 private:
  QSerialPort port_;
};

class QtUdpReceiver : public os::UdpReceiver {
 public:
  bool listen(int port, std::string& why) override;
  void close() override { socket_.close(); }
  bool isListening() const override { return socket_.state() == QAbstractSocket::BoundState; }
  std::vector<std::string> takeDatagrams() override;

 private:
  QUdpSocket socket_;
};

}  // namespace ruvek::ui
