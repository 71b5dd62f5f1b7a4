// Time per CMD_READ_WEIGHT transaction against the simulated device with the
// program clock at its real speed, beside the floor that the protocol sets:
// the queue tick after a request is queued and the pause after each send.
// The pseudo-terminal carries the bytes without line time; what a real line
// at the port's baud rate would add is printed apart.
//
//   link_bench [transactions]   (default 200)
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/link/test_window.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"

namespace {

constexpr int kQueueTickMs = 100;  // Timer1's interval once a request is queued

double LineMs(size_t bytes, int baud) { return static_cast<double>(bytes) * 10.0 * 1000.0 / baud; }

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  platform::Clock::SetScale(1.0);
  TApplication application(argc, argv);
  devsim::DeviceSimulator sim;
  sim.AddDevice(1);
  TForm1 link;
  Form1 = &link;
  link.ComPort1->SetPort(sim.SlavePath());
  link.PortUsable = 1;
  const uint8_t weight[] = {0x00, 0x01};

  auto transact = [&] {
    if (!link.QueueRequest(1, CMD_READ_WEIGHT, weight, 2, 0, 1) || !link.WaitUntilIdle() || link.TransferFailed)
      return false;
    return link.WeightTextReady == 1;
  };
  if (!transact()) {  // the port's first opening is not timed
    std::fprintf(stderr, "no answer from the simulated device\n");
    return 1;
  }
  sim.Log().Clear();
  int failed = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i)
    if (!transact()) ++failed;
  const double totalMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const auto received = sim.Log().Entries(devsim::Direction::Received);
  const auto sent = sim.Log().Entries(devsim::Direction::Sent);
  const size_t requestBytes = received.empty() ? 0 : received.front().bytes.size();
  const size_t replyBytes = sent.empty() ? 0 : sent.front().bytes.size();
  const int baud = link.ComPort1->BaudRate();
  const double lineMs = LineMs(requestBytes, baud) + LineMs(replyBytes, baud);
  const double floorMs = kQueueTickMs + SEND_PAUSE_MS;
  const double perMs = totalMs / count;

  std::printf("transactions:            %d (%d failed)\n", count, failed);
  std::printf("request / reply bytes:   %zu / %zu\n", requestBytes, replyBytes);
  std::printf("time per transaction:    %.2f ms\n", perMs);
  std::printf("floor per transaction:   %.2f ms (queue tick %d + pause after the send %d)\n", floorMs, kQueueTickMs,
              SEND_PAUSE_MS);
  std::printf("overhead above floor:    %.2f ms\n", perMs - floorMs);
  std::printf("line time at %d baud:  %.2f ms a transaction on a real line, not on the pseudo-terminal\n", baud,
              lineMs);
  Form1 = nullptr;
  return failed == 0 ? 0 : 1;
}
