#pragma once
// The part classes of the catalogue, one per part type, and the variant
// classes that an RS-232 protocol installs once it has read the boot-loader
// version of MCU05, MCU06 or MCU07.
#include "flashcore/core/device.h"

class CdeviceMcu24 : public Cdevice {
 public:
  CdeviceMcu24();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu21 : public Cdevice {
 public:
  CdeviceMcu21();
  ProtocolKind protocolFor(int hardwareCode) const override;
  void onProgrammed() override;
  int computeCrc() override;
};

class CdeviceMcu02 : public Cdevice {
 public:
  CdeviceMcu02();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu03 : public Cdevice {
 public:
  CdeviceMcu03();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu04 : public Cdevice {
 public:
  CdeviceMcu04();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu26 : public Cdevice {
 public:
  CdeviceMcu26();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu25 : public Cdevice {
 public:
  CdeviceMcu25();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu08 : public Cdevice {
 public:
  CdeviceMcu08();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu09 : public Cdevice {
 public:
  CdeviceMcu09();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu11 : public Cdevice {
 public:
  CdeviceMcu11();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu12 : public Cdevice {
 public:
  CdeviceMcu12();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu14 : public Cdevice {
 public:
  CdeviceMcu14();
  ProtocolKind protocolFor(int hardwareCode) const override;
  ProtocolKind alternativeProtocolFor(int hardwareCode, int variant) const override;
};

class CdeviceMcu22 : public Cdevice {
 public:
  CdeviceMcu22();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu16 : public Cdevice {
 public:
  CdeviceMcu16();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu18 : public Cdevice {
 public:
  CdeviceMcu18();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu01 : public Cdevice {
 public:
  CdeviceMcu01();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu20 : public Cdevice {
 public:
  CdeviceMcu20();
  ProtocolKind protocolFor(int hardwareCode) const override;
  void onProgrammed() override;
  int computeCrc() override;
};

class CdeviceMcu05 : public Cdevice {
 public:
  CdeviceMcu05();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu06 : public Cdevice {
 public:
  CdeviceMcu06();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu07 : public Cdevice {
 public:
  CdeviceMcu07();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu23 : public Cdevice {
 public:
  CdeviceMcu23();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu19 : public Cdevice {
 public:
  CdeviceMcu19();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu27 : public Cdevice {
 public:
  CdeviceMcu27();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceOcd : public Cdevice {
 public:
  CdeviceOcd();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu05v12 : public Cdevice {
 public:
  CdeviceMcu05v12();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu05v50 : public Cdevice {
 public:
  CdeviceMcu05v50();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu06v12 : public Cdevice {
 public:
  CdeviceMcu06v12();
  ProtocolKind protocolFor(int hardwareCode) const override;
};

class CdeviceMcu07v12 : public Cdevice {
 public:
  CdeviceMcu07v12();
  ProtocolKind protocolFor(int hardwareCode) const override;
};
