// The setup and data texts of a USB request as the transport reads them.
#include "usblink/usb_request.h"

#include <gtest/gtest.h>

namespace {

TEST(UsbRequest, SetupTextIsThePacketWithItsFieldsLowByteFirst) {
  struct Case {
    const char* text;
    UsbSetupPacket packet;
  } cases[] = {
      {"2101FFFF04000600", {0x21, 0x01, 0xFFFF, 0x0004, 6}},
      {"A102FEFF04000004", {0xA1, 0x02, 0xFFFE, 0x0004, 1024}},
      {"a103000004000600", {0xA1, 0x03, 0x0000, 0x0004, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<UsbSetupPacket> packet = parseSetupText(c.text);
    ASSERT_TRUE(packet);
    EXPECT_EQ(packet->requestType, c.packet.requestType);
    EXPECT_EQ(packet->request, c.packet.request);
    EXPECT_EQ(packet->value, c.packet.value);
    EXPECT_EQ(packet->index, c.packet.index);
    EXPECT_EQ(packet->length, c.packet.length);
  }
  EXPECT_TRUE(parseSetupText("A103000004000600")->deviceToHost());
  EXPECT_FALSE(parseSetupText("2101FFFF04000600")->deviceToHost());
}

TEST(UsbRequest, MalformedTextsAreRefused) {
  for (const char* text : {"", "2101FFFF040006", "2101FFFF0400060000", "2101FFFF0400060G", "2101 FFFF0400060"})
    EXPECT_FALSE(parseSetupText(text)) << text;
  for (const char* text : {"0", "05000", "05 000", "0x"}) EXPECT_FALSE(parseDataText(text)) << text;
  EXPECT_EQ(parseDataText(""), std::vector<std::uint8_t>{});
  EXPECT_EQ(parseDataText("0500fF"), (std::vector<std::uint8_t>{0x05, 0x00, 0xFF}));
}

}  // namespace
