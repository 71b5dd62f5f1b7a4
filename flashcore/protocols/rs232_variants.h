#pragma once
// The RS-232 record protocol of each part family: record sizes, a few
// record texts, the fuses a family lacks, and the hooks that adapt the
// protocol (and for MCU05, MCU06 and MCU07 the part object) to the boot
// loader's version once it has been read.
#include "flashcore/protocols/rs232_protocol.h"

class Crs232ProtocolMcu01 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu01();
  void enableFuse0() override;
  void enableFuse1() override;
  void disableFuse0() override;
  void disableFuse1() override;
};

class Crs232ProtocolMcu02 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu02();
};

class Crs232ProtocolMcu04 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu04();
};

// Boot loaders up to version "12" have a smaller part and no extra byte or
// start records; those below "50" have no third memory.
class Crs232ProtocolMcu05 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu05();
  void onChipIdentity(std::string bootloaderVersion) override;
};

// Boot loaders up to version "12" have a smaller part; later ones take
// program records of 128 bytes.
class Crs232ProtocolMcu06 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu06();
  void onChipIdentity(std::string bootloaderVersion) override;
};

class Crs232ProtocolMcu07 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu07();
  void onChipIdentity(std::string bootloaderVersion) override;
};

class Crs232ProtocolMcu26 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu26();
};

class Crs232ProtocolMcu08 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu08();
  void enableFuse0() override;
  void disableFuse0() override;
};

class Crs232ProtocolMcu22 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu22();
  void enableFuse0() override;
  void disableFuse0() override;
};

// Boot loaders after version "11" take program records of 128 bytes.
class Crs232ProtocolMcu09 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu09();
  void onChipIdentity(std::string bootloaderVersion) override;
};

class Crs232ProtocolMcu11 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu11();
};

class Crs232ProtocolMcu12 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu12();
  void onChipIdentity(std::string bootloaderVersion) override;
};

class Crs232ProtocolMcu14 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu14();
  void onChipIdentity(std::string bootloaderVersion) override;
  void enableFuse0() override;
  void disableFuse0() override;
};

// The alternative protocol of MCU14 and MCU15: security level 2 in three
// steps, and a read request followed by "X".
class Crs232ProtocolMcu14b : public Crs232Protocol {
 public:
  Crs232ProtocolMcu14b();
  void enableFuse0() override;
  void disableFuse0() override;
  void setSecurityLevel2() override;
  void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) override;
};

class Crs232ProtocolMcu23 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu23();
};

class Crs232ProtocolMcu16 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu16();
};

class Crs232ProtocolMcu18 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu18();
};
