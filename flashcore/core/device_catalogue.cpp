#include "flashcore/core/device_catalogue.h"

#include "flashcore/core/device_parts.h"
#include "flashcore/core/status.h"

namespace {

std::vector<CdeviceCreator*>& registry() {
  static std::vector<CdeviceCreator*> creators;
  return creators;
}

std::vector<std::string>& names() {
  static std::vector<std::string> list;
  return list;
}

// The creator of one part type: claims its own device code and makes an
// object of the part's class (MCU10, MCU13 and MCU15 use another part's class).
template <class Part>
class CpartCreator final : public CdeviceCreator {
 public:
  CpartCreator(int deviceCode, const char* partName) : deviceCode_(deviceCode) { names().emplace_back(partName); }
  std::unique_ptr<Cdevice> create(int deviceCode) override {
    return deviceCode == deviceCode_ ? std::make_unique<Part>() : nullptr;
  }

 private:
  int deviceCode_;
};

}  // namespace

using CdeviceCreatorMcu24 = CpartCreator<CdeviceMcu24>;
using CdeviceCreatorMcu21 = CpartCreator<CdeviceMcu21>;
using CdeviceCreatorMcu02 = CpartCreator<CdeviceMcu02>;
using CdeviceCreatorMcu03 = CpartCreator<CdeviceMcu03>;
using CdeviceCreatorMcu04 = CpartCreator<CdeviceMcu04>;
using CdeviceCreatorMcu26 = CpartCreator<CdeviceMcu26>;
using CdeviceCreatorMcu25 = CpartCreator<CdeviceMcu25>;
using CdeviceCreatorMcu08 = CpartCreator<CdeviceMcu08>;
using CdeviceCreatorMcu09 = CpartCreator<CdeviceMcu09>;
using CdeviceCreatorMcu11 = CpartCreator<CdeviceMcu11>;
using CdeviceCreatorMcu12 = CpartCreator<CdeviceMcu12>;
using CdeviceCreatorMcu14 = CpartCreator<CdeviceMcu14>;
using CdeviceCreatorMcu22 = CpartCreator<CdeviceMcu22>;
using CdeviceCreatorMcu16 = CpartCreator<CdeviceMcu16>;
using CdeviceCreatorMcu18 = CpartCreator<CdeviceMcu18>;
using CdeviceCreatorMcu01 = CpartCreator<CdeviceMcu01>;
using CdeviceCreatorMcu20 = CpartCreator<CdeviceMcu20>;
using CdeviceCreatorMcu05 = CpartCreator<CdeviceMcu05>;
using CdeviceCreatorMcu06 = CpartCreator<CdeviceMcu06>;
using CdeviceCreatorMcu07 = CpartCreator<CdeviceMcu07>;
using CdeviceCreatorMcu10 = CpartCreator<CdeviceMcu09>;
using CdeviceCreatorMcu13 = CpartCreator<CdeviceMcu12>;
using CdeviceCreatorMcu15 = CpartCreator<CdeviceMcu14>;
using CdeviceCreatorMcu23 = CpartCreator<CdeviceMcu23>;
using CdeviceCreatorMcu19 = CpartCreator<CdeviceMcu19>;
using CdeviceCreatorMcu27 = CpartCreator<CdeviceMcu27>;
using CdeviceCreatorOcd = CpartCreator<CdeviceOcd>;

// Defined in catalogue order in this one unit, so they register in that order
// when the library is loaded.
namespace {
CdeviceCreatorMcu24 creatorMcu24(1, "MCU24");
CdeviceCreatorMcu21 creatorMcu21(2, "MCU21");
CdeviceCreatorMcu02 creatorMcu02(3, "MCU02");
CdeviceCreatorMcu03 creatorMcu03(4, "MCU03");
CdeviceCreatorMcu04 creatorMcu04(5, "MCU04");
CdeviceCreatorMcu26 creatorMcu26(6, "MCU26");
CdeviceCreatorMcu25 creatorMcu25(7, "MCU25");
CdeviceCreatorMcu08 creatorMcu08(8, "MCU08");
CdeviceCreatorMcu09 creatorMcu09(9, "MCU09");
CdeviceCreatorMcu11 creatorMcu11(10, "MCU11");
CdeviceCreatorMcu12 creatorMcu12(11, "MCU12");
CdeviceCreatorMcu14 creatorMcu14(12, "MCU14");
CdeviceCreatorMcu22 creatorMcu22(13, "MCU22");
CdeviceCreatorMcu16 creatorMcu16(14, "MCU16");
CdeviceCreatorMcu18 creatorMcu18(15, "MCU18");
CdeviceCreatorMcu01 creatorMcu01(16, "MCU01");
CdeviceCreatorMcu20 creatorMcu20(17, "MCU20");
CdeviceCreatorMcu05 creatorMcu05(18, "MCU05");
CdeviceCreatorMcu06 creatorMcu06(19, "MCU06");
CdeviceCreatorMcu07 creatorMcu07(20, "MCU07");
CdeviceCreatorMcu10 creatorMcu10(21, "MCU10");
CdeviceCreatorMcu13 creatorMcu13(22, "MCU13");
CdeviceCreatorMcu15 creatorMcu15(23, "MCU15");
CdeviceCreatorMcu23 creatorMcu23(24, "MCU23");
CdeviceCreatorMcu19 creatorMcu19(25, "MCU19");
CdeviceCreatorMcu27 creatorMcu27(26, "MCU27");
CdeviceCreatorOcd creatorOcd(27, "MCU_OCD");
}  // namespace

CdeviceCreator::CdeviceCreator() { registry().push_back(this); }
CdeviceCreator::~CdeviceCreator() = default;

const std::vector<CdeviceCreator*>& deviceCreatorRegistry() { return registry(); }
const std::vector<std::string>& deviceNameList() { return names(); }

std::unique_ptr<Cdevice> createDevice(int deviceCode) {
  for (CdeviceCreator* creator : registry())
    if (std::unique_ptr<Cdevice> device = creator->create(deviceCode)) return device;
  throw STATUS_DEVICE_DOES_NOT_EXIST;
}

int deviceIndexOf(const std::string& name) {
  const std::vector<std::string>& list = names();
  for (size_t position = 0; position < list.size(); ++position)
    if (list[position] == name) return static_cast<int>(position);
  return static_cast<int>(list.size());
}
