#include "desktop/QtPorts.h"

#include <QNetworkDatagram>

namespace ruvek::ui {
namespace {

// Reads of what is waiting at one time, so a port that never falls silent
// cannot hold the reader.
constexpr int kReadRounds = 64;
// Datagrams taken at one time; more wait for the next time.
constexpr int kDatagramsAtOnce = 1000;

QSerialPort::Parity ParityOf(char letter) {
  switch (letter) {
    case 'e': return QSerialPort::EvenParity;
    case 'o': return QSerialPort::OddParity;
    case 'm': return QSerialPort::MarkParity;
    case 's': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
  }
}

}  // namespace

os::PortOpened QtSerialPort::open(int port, const std::string& settings) {
  std::string why;
  const auto line = os::ParseSerialSettings(settings, &why);
  if (!line) return {os::PortOpened::BadSettings, why};
  port_.close();
  port_.setPortName(QString::fromStdString(deviceName(port)));
  // A device that is missing, busy or not ours to open is "not found".
  if (!port_.open(QIODevice::ReadOnly)) return {os::PortOpened::NotFound, port_.errorString().toStdString()};
  const bool taken = port_.setBaudRate(line->baud) && port_.setParity(ParityOf(line->parity)) &&
                     port_.setDataBits(QSerialPort::DataBits(line->dataBits)) &&
                     port_.setStopBits(line->stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
                     port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!taken) {
    why = port_.errorString().toStdString();
    port_.close();
    return {os::PortOpened::BadSettings, "the device " + deviceName(port) + " does not take them (" + why + ")"};
  }
  port_.clear(QSerialPort::Input);
  return {os::PortOpened::Opened, {}};
}

std::string QtSerialPort::readAll() {
  if (!port_.isOpen()) return {};
  // What the device holds now is read without waiting for the event loop.
  for (int round = 0; round < kReadRounds && port_.waitForReadyRead(0); ++round) {
  }
  return port_.readAll().toStdString();
}

bool QtUdpReceiver::listen(int port, std::string& why) {
  socket_.close();
  if (port < 1 || port > 65535) {
    why = "no such port";
    return false;
  }
  if (!socket_.bind(QHostAddress::AnyIPv4, quint16(port))) {
    why = socket_.errorString().toStdString();
    return false;
  }
  return true;
}

std::vector<std::string> QtUdpReceiver::takeDatagrams() {
  std::vector<std::string> out;
  while (int(out.size()) < kDatagramsAtOnce && socket_.hasPendingDatagrams()) {
    const QNetworkDatagram datagram = socket_.receiveDatagram();
    if (!datagram.isValid()) break;
    out.push_back(datagram.data().toStdString());
  }
  return out;
}

}  // namespace ruvek::ui
