// The settings text of a serial port and the device a port number names.
#include <gtest/gtest.h>

#include <cstdlib>

#include "os/Os.h"
#include "os/Ports.h"

namespace ruvek::os {
namespace {

TEST(SerialSettingsText, TakesWhatAPortTakesAndSaysWhyNot) {
  struct Case {
    const char* text;
    int baud;  // 0: refused
    char parity;
    int dataBits, stopBits;
    const char* why;
  };
  const Case cases[] = {
      {"9600,n,8,1", 9600, 'n', 8, 1, ""},
      {"4800,E,7,2", 4800, 'e', 7, 2, ""},
      {" 19200 , o , 5 , 1 ", 19200, 'o', 5, 1, ""},
      {"0,n,8,1", 0, 0, 0, 0, "the baud rate \"0\" is not a whole number from 1 to 4000000"},
      {"96x0,n,8,1", 0, 0, 0, 0, "the baud rate \"96x0\" is not a whole number from 1 to 4000000"},
      {"-9600,n,8,1", 0, 0, 0, 0, "the baud rate \"-9600\" is not a whole number from 1 to 4000000"},
      {"9600,x,8,1", 0, 0, 0, 0, "the parity \"x\" is not one of n, e, o, m, s"},
      {"9600,n,9,1", 0, 0, 0, 0, "the data bits \"9\" are not 5, 6, 7 or 8"},
      {"9600,n,8,1.5", 0, 0, 0, 0, "the stop bits \"1.5\" are not 1 or 2"},
      {"9600,n,8", 0, 0, 0, 0, "a settings text has four parts: baud rate, parity, data bits, stop bits"},
  };
  for (const auto& c : cases) {
    std::string why;
    const auto s = ParseSerialSettings(c.text, &why);
    ASSERT_EQ(c.baud > 0, s.has_value()) << c.text;
    EXPECT_EQ(c.why, why) << c.text;
    if (!s) continue;
    EXPECT_EQ(c.baud, s->baud);
    EXPECT_EQ(c.parity, s->parity);
    EXPECT_EQ(c.dataBits, s->dataBits);
    EXPECT_EQ(c.stopBits, s->stopBits);
  }
}

TEST(SerialDevice, TheEnvironmentNamesItOrTheSystemsSerialLine) {
  os::SetEnvironment("RUVEK_COM3", "/dev/ttyUSB0");
  os::SetEnvironment("RUVEK_COM4", "");
  EXPECT_EQ("/dev/ttyUSB0", SerialDeviceName(3));
#ifdef _WIN32
  const std::pair<int, const char*> defaults[] = {{1, "COM1"}, {4, "COM4"}, {9, "COM9"}, {12, "\\\\.\\COM12"}};
#else
  const std::pair<int, const char*> defaults[] = {{1, "/dev/ttyS0"}, {4, "/dev/ttyS3"}, {12, "/dev/ttyS11"}};
#endif
  for (const auto& [port, device] : defaults) EXPECT_EQ(SerialDeviceName(port), device) << port;
  os::SetEnvironment("RUVEK_COM3", "");
}

}  // namespace
}  // namespace ruvek::os
