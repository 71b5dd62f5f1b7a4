#include "app/params/protocol_values.h"

#include <cstdio>

#include "app/params/parameter_text.h"

namespace {

std::string Known(const std::string& text) { return text.empty() ? "." : text; }

std::string Percent(const std::string& number) { return number + " %"; }

}  // namespace

ProtocolValues ProtocolValuesOf(const DeviceIdentity& identity, const SetupImageBytes& image, bool setupPresent) {
  ProtocolValues v;
  v.type = Known(identity.type);
  v.serial = Known(identity.serial);
  v.firmware = Known(identity.firmware);
  if (!setupPresent) return v;

  using enum SetupSection;
  const auto wkg = SectionBytes(image, WKG0);
  const auto byte = [&](const char* name) { return GetByte(wkg, FieldOf(WKG0, name).offset); };
  v.underload = Percent(NegatedByteText(byte("nsu")));
  v.overload = Percent(ByteText(byte("nso")));
  v.zeroOnStart = byte("enull") == 1 ? "Ein" : "Aus";
  v.zeroMin = Percent(ByteText(byte("enu")));
  v.zeroMax = Percent(ByteText(byte("eno")));

  const auto adc = SectionBytes(image, ADC);
  v.points = ByteText(GetByte(adc, FieldOf(ADC, "smax_0").offset));
  const SetupField& xs = FieldOf(ADC, "xs_0");
  const SetupField& ys = FieldOf(ADC, "ys_0");
  for (int i = 0; i < 8; ++i) {
    v.xs[i] = std::to_string(GetInt32(adc, xs.offset + 4 * i));
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(GetFloat(adc, ys.offset + 4 * i)));
    v.ys[i] = text;
  }
  return v;
}
