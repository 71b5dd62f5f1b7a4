#include "platform/portname/port_name.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

namespace {

TEST(PortName, ComNumberAcceptsOnlyComFollowedByAPositiveNumber) {
  struct Case { const char* name; int number; };
  const Case cases[] = {{"COM1", 1}, {"com16", 16}, {"COM20", 20}, {"COM0", 0}, {"COM", 0},
                        {"COM1x", 0}, {"/dev/ttyUSB0", 0}, {"COM-1", 0}, {"XCOM1", 0}};
  for (const Case& c : cases) EXPECT_EQ(platform::ComPortNumber(c.name), c.number) << c.name;
}

TEST(PortName, ComNameMapsToEnvironmentOrTtyS) {
  unsetenv("SERIAL_COM3");
  EXPECT_EQ(platform::ResolvePortName("COM3"), "/dev/ttyS2");
  setenv("SERIAL_COM3", "/dev/pts/7", 1);
  EXPECT_EQ(platform::ResolvePortName("COM3"), "/dev/pts/7");
  unsetenv("SERIAL_COM3");
}

TEST(PortName, DevicePathStandsAsItIs) {
  EXPECT_EQ(platform::ResolvePortName("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

TEST(PortName, OpenErrorNamesPathAndCause) {
  EXPECT_EQ(platform::DescribeOpenError("/dev/ttyS9", ENOENT), "/dev/ttyS9: no such device");
  EXPECT_NE(platform::DescribeOpenError("/dev/ttyS0", EACCES).find("dialout"), std::string::npos);
  EXPECT_NE(platform::DescribeOpenError("/dev/ttyS0", EBUSY).find("in use"), std::string::npos);
  EXPECT_EQ(platform::DescribeOpenError("/tmp/firmware.hex", ENOTTY), "/tmp/firmware.hex: not a serial port");
}

}  // namespace
