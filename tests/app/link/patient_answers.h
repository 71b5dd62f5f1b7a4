#pragma once
// The link's answer time-out in tests whose program clock runs fast (a
// 700 ms time-out is 70 ms at a scale of 0.1): a loaded machine can delay the
// simulated device's reply longer than that, and the link would take it for
// a missing one and send the request again. Requests that the device answers
// promptly get a time-out of six seconds of real time; requests that it will
// not answer (no device, a silencing fault, a device restarting) keep the
// link's own, so that tests of silence stay quick.
#include <cstdint>
#include <optional>

#include "app/link/request_queue.h"
#include "app/link/device_link.h"
#include "platform/clock/clock.h"
#include "tests/sim/device/device_simulator.h"

inline void AwaitPromptAnswersPatiently(DeviceLink& link, const devsim::DeviceSimulator& sim) {
  link.LeastAnswerTimeout = [&sim](int address, const RequestEntry& request) {
    if (request.AwaitAnswer == 0) return 0;
    const std::optional<uint8_t> firstData =
        request.DataLength() > 0 ? std::optional<uint8_t>(request.DataByte(0)) : std::nullopt;
    if (!sim.AnswersPromptly(address, request.Command(), firstData)) return 0;
    const double scale = platform::Clock::Scale();  // real ms per program ms
    return scale > 0 && scale < 1 ? static_cast<int>(6000 / scale) : 6000;
  };
}
