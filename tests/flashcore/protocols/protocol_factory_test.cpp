// Which protocol object each part makes for each hardware code, and the
// named-command map every protocol carries.
#include <gtest/gtest.h>

#include <cxxabi.h>

#include <memory>
#include <string>
#include <typeinfo>

#include "flashcore/core/device_catalogue.h"
#include "flashcore/core/library_context.h"
#include "flashcore/protocols/protocol.h"

namespace {

std::string className(const Cprotocol& protocol) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(protocol).name(), nullptr, nullptr, &status),
                                             std::free);
  return status == 0 ? name.get() : typeid(protocol).name();
}

TEST(ProtocolFactory, EveryPartMakesTheProtocolOfItsHardware) {
  ClibraryContext& context = libraryContext();
  context.initialise();
  for (int deviceCode = 1; deviceCode <= 27; ++deviceCode) {
    for (int hardwareCode = 0; hardwareCode <= 12; ++hardwareCode) {
      SCOPED_TRACE("device " + std::to_string(deviceCode) + ", hardware " + std::to_string(hardwareCode));
      context.deleteProtocol();
      std::unique_ptr<Cdevice> part = createDevice(deviceCode);
      const ProtocolKind kind = part->protocolFor(hardwareCode);
      if (kind == ProtocolKind::None) {
        EXPECT_FALSE(part->createProtocol(hardwareCode));
        EXPECT_EQ(context.protocol(), nullptr);
      } else {
        ASSERT_TRUE(part->createProtocol(hardwareCode));
        ASSERT_NE(context.protocol(), nullptr);
        EXPECT_EQ(className(*context.protocol()), protocolClassName(kind));
      }
    }
  }
  context.deleteProtocol();
}

TEST(ProtocolFactory, AlternativeProtocolOfMcu14) {
  ClibraryContext& context = libraryContext();
  context.initialise();
  std::unique_ptr<Cdevice> mcu15 = createDevice(23);
  EXPECT_FALSE(mcu15->selectProtocol(1, 3));
  EXPECT_EQ(context.protocol(), nullptr);
  ASSERT_TRUE(mcu15->selectProtocol(1, 4));
  EXPECT_EQ(className(*context.protocol()), "Crs232ProtocolMcu14b");
  context.deleteProtocol();
}

TEST(ProtocolFactory, CommandMapKeepsTheFirstTextOfAName) {
  ClibraryContext& context = libraryContext();
  context.initialise();
  std::unique_ptr<Cdevice> part = createDevice(3);
  ASSERT_TRUE(part->createProtocol(1));
  Cprotocol& protocol = *context.protocol();
  EXPECT_EQ(protocol.addCommand("sync", "U"), 0);
  EXPECT_EQ(protocol.addCommand("sync", "V"), 0);
  EXPECT_EQ(protocol.commandText("sync"), "U");
  EXPECT_EQ(protocol.commandText("Sync"), "");
  EXPECT_EQ(protocol.commandText("never added"), "");
  context.deleteProtocol();
}

}  // namespace
