// The GPS settings window in the desktop face: its widgets bound to the
// models, the real serial port layer reading the simulator's pseudo-terminal,
// and the real UDP receiver taking datagrams sent on the loopback.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "e2e/EventLogCheck.h"
#include "e2e/Navsim.h"
#include "gui/DesktopStation.h"

namespace ruvek {
namespace {

class GpsDesktop : public test::DesktopStation {
 protected:
  GpsWindow& gps() { return app->station()->gps; }
  // One tick of a timer, as the platform delivers it.
  void tick(ui::Timer& timer) {
    ASSERT_TRUE(platform->dispatch([&timer] { timer.tick(); }));
  }
  // Lets the event loop run for `ms`, so the devices' input arrives.
  static void pump(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
};

TEST_F(GpsDesktop, WidgetsShowTheWindowsModelsAndActOnThem) {
  open({{11, "GPS"}, {12, "7"}, {13, "4800,e,7,2"}});
  QWidget* window = view->window("frmCommCheck");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(view->mainWindow()->isVisible());
  EXPECT_EQ("GPS Settings", window->windowTitle().toStdString());
  EXPECT_EQ("GPS Port", widget<QGroupBox>("frmCommCheck.Frame1")->title().toStdString());
  EXPECT_TRUE(widget<QRadioButton>("frmCommCheck.Option1(4)")->isChecked());
  EXPECT_EQ("7", widget<QLineEdit>("frmCommCheck.Text1")->text().toStdString());
  EXPECT_TRUE(widget<QRadioButton>("frmCommCheck.Option3(1)")->isChecked());
  EXPECT_EQ("$GPGGA", widget<QLineEdit>("frmCommCheck.Text2(0)")->text().toStdString());
  auto* go = widget<QPushButton>("frmCommCheck.btnGo");
  EXPECT_EQ("Verify Serial Port Settings then single-click to start GPS input", go->toolTip().toStdString());
  EXPECT_EQ(0u, widget<QRadioButton>("frmCommCheck.Option1(0)")->toolTip().toStdString().rfind("Com1 opens ", 0));
  auto* display = widget<QPlainTextEdit>("frmCommCheck.txtDisplay");
  EXPECT_TRUE(display->isReadOnly());
  EXPECT_EQ("Click [GO] to initiate GPS serial input\nWait for GPS text to display\nthen click [Hide GPS]\n",
            display->toPlainText().toStdString());

  widget<QRadioButton>("frmCommCheck.Option2(2)")->click();
  EXPECT_TRUE(gps().bauds[2]->value());
  EXPECT_FALSE(widget<QRadioButton>("frmCommCheck.Option2(1)")->isChecked());
  platform->dispatch([this] { gps().display.setText(std::string(40, 'x') + "\r\n$GPGGA,last\r\n"); });
  EXPECT_EQ(std::string(40, 'x') + "\n$GPGGA,last\n", display->toPlainText().toStdString());
  EXPECT_TRUE(display->textCursor().atEnd());

  // Closing the window hides it as Hide GPS does, and the main window comes back.
  QCloseEvent close;
  QApplication::sendEvent(window, &close);
  EXPECT_FALSE(gps().form.visible);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(view->mainWindow()->isVisible());
  EXPECT_FALSE(platform->ended());
}

TEST_F(GpsDesktop, ThePortLayerReadsTheSimulatorsPseudoTerminal) {
  ASSERT_NE(test::kNavsim, nullptr);
  const int probe = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (probe < 0)
    GTEST_SKIP() << "no pseudo-terminals on this machine (posix_openpt: " << std::strerror(errno)
                 << "): the serial port layer is not tested against the simulator here";
  ::close(probe);
  test::Simulator sim({"--pty", "--baud", "9600", "--interval", "250", "--speed", "0", "--quiet"});
  const std::string device = sim.firstLine();
  ASSERT_EQ(0u, device.rfind("/dev/", 0)) << "printed: " << device;
  ::setenv("RUVEK_COM1", device.c_str(), 1);
  ::setenv("RUVEK_COM2", "/dev/ruvek-no-such-device", 1);
  open({{11, "GPS"}, {12, "1"}, {13, "9600,n,8,1"}});

  widget<QRadioButton>("frmCommCheck.Option1(1)")->click();
  widget<QPushButton>("frmCommCheck.btnGo")->click();
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ("Com port2 not found.  Check your com port setting and try again.", asked.back());
  EXPECT_EQ("Go", widget<QPushButton>("frmCommCheck.btnGo")->text().toStdString());

  widget<QRadioButton>("frmCommCheck.Option1(0)")->click();
  widget<QPushButton>("frmCommCheck.btnGo")->click();
  EXPECT_EQ("Stop", widget<QPushButton>("frmCommCheck.btnGo")->text().toStdString()) << asked.back();
  std::string written;
  for (int round = 0; round < 20; ++round) {
    pump(500);
    tick(gps().timer);
    if (st.exists("C:\\DATA\\CurrPos.txt")) written = st.read("C:\\DATA\\CurrPos.txt");
    if (written.find("\"$GPRMC") != std::string::npos) break;
  }
  ::unsetenv("RUVEK_COM1");
  ::unsetenv("RUVEK_COM2");
  const auto records = test::CrLfLines(written);
  ASSERT_EQ(2u, records.size()) << written;
  EXPECT_EQ(0u, records[0].rfind("\"$GPGGA,", 0)) << written;
  EXPECT_EQ(0u, records[1].rfind("\"$GPRMC,", 0)) << written;
  EXPECT_EQ('"', records[0].back());
  EXPECT_NE(widget<QPlainTextEdit>("frmCommCheck.txtDisplay")->toPlainText().indexOf("$GPGGA,"), -1);

  tick(model().pollTimer);
  EXPECT_EQ("32.90000", model().boxes.lat.text());
  EXPECT_EQ("-117.40000", model().boxes.lon.text());
  EXPECT_EQ("32.90000", widget<QLineEdit>("Text1(3)")->text().toStdString());
  EXPECT_FALSE(app->station()->state.poll.nav.stndLine.empty());
  widget<QPushButton>("frmCommCheck.btnGo")->click();
  EXPECT_FALSE(platform->serial().isOpen());
}

TEST_F(GpsDesktop, TheUdpReceiverTakesDatagramsSentOnTheLoopback) {
  const int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  // A free port: the one the system gives a socket bound to port 0.
  if (sender < 0 || ::bind(sender, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(sender, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (sender >= 0) ::close(sender);
    GTEST_SKIP() << "no loopback network on this machine (" << std::strerror(errno)
                 << "): the UDP receiver is not tested here";
  }
  const int port = ntohs(address.sin_port);
  ::close(sender);
  open({{11, "UDP"}, {12, std::to_string(port)}});
  ASSERT_TRUE(platform->udp().isListening()) << (asked.empty() ? "" : asked.back());

  const int out = ::socket(AF_INET, SOCK_DGRAM, 0);
  for (const std::string text :
       {"UDP,07-Jun-2018,10:30:11,32.800000,-117.300000,\r\n", "UDP,07-Jun-2018,10:30:12,32.900000,-117.400000,\r\n"})
    ::sendto(out, text.data(), text.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::close(out);
  pump(200);
  tick(gps().timer);
  const std::string shown = widget<QPlainTextEdit>("frmCommCheck.txtDisplay")->toPlainText().toStdString();
  EXPECT_NE(shown.find("10:30:11,32.800000,-117.300000,\nUDP,07-Jun-2018,10:30:12"), std::string::npos) << shown;
  tick(model().pollTimer);
  EXPECT_EQ("07-Jun-2018", model().boxes.date.text());
  EXPECT_EQ("10:30:12", model().boxes.time.text());
  EXPECT_EQ("32.90000", widget<QLineEdit>("Text1(3)")->text().toStdString());
  EXPECT_EQ("-117.40000", widget<QLineEdit>("Text1(4)")->text().toStdString());
}

}  // namespace
}  // namespace ruvek
