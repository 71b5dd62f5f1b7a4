#include "app/service/image_fields.h"

uint8_t& ImageByte(SetupImageBytes& image, SetupSection section, std::string_view field) {
  return SectionBytes(image, section)[static_cast<size_t>(FieldOf(section, field).offset)];
}

int DeviceAddressOf(SetupSection section, std::string_view field, uint16_t base) {
  return base + Info(section).copy_offset + FieldOf(section, field).offset;
}
