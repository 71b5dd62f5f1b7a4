// The share of one core that the window thread needs while the device's
// value stream runs at its fastest rate (1600 values a second) and the ADC
// functions window shows it: the receive handler takes every frame, and the
// display tick writes the labels and adds a point to the graph, which
// repaints. Measured with getrusage(RUSAGE_THREAD) on the window thread, so
// the simulated device's own thread does not count. Run by hand; not a test.
//
//   adc_stream_bench [seconds] [display interval ms]
//
// The display interval is the program option sdcont_avg_time (default 250 ms,
// as the program starts with it); 1 ms is the finest a user can set.
#include <sys/resource.h>

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/diag/adc_functions.h"
#include "app/link/test_window.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"

namespace {

constexpr int kFastestRate = 1600;  // values a second: the highest sampling rate

double ThreadCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const int displayMs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 250;
  platform::Clock::SetScale(1.0);
  TApplication application(argc, argv);
  devsim::DeviceSimulator sim;
  devsim::DeviceModel model;
  model.streamRateHz = kFastestRate;
  model.streamValue = 0;
  model.streamStep = 997;
  sim.AddDevice(1, model);
  TForm1 link;
  Form1 = &link;
  TForm10 window;
  Form10 = &window;
  link.ComPort1->SetPort(sim.SlavePath());
  link.PortUsable = 1;
  link.Options.sdcont_avg = 0;
  link.Options.sdcont_avg_time = displayMs;
  window.Show();
  window.Button7->Click();  // "Kont. ON"
  if (link.Timer3->Enabled() == false || sim.Model(1).streamRunning == false) {
    std::fprintf(stderr, "the stream did not start\n");
    return 1;
  }

  const auto pointsBefore = window.PerformanceGraph1->Appended();
  const double cpuBefore = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = ThreadCpuSeconds() - cpuBefore;
  window.Button10->Click();  // "Kont. OFF"

  const auto frames = sim.Log().Entries(devsim::Direction::Sent).size();
  std::printf("stream frames sent:        %zu in %.1f s (%.0f a second)\n", frames, wall, frames / wall);
  std::printf("display interval:          %d ms\n", displayMs);
  std::printf("graph points added:        %zu\n", static_cast<size_t>(window.PerformanceGraph1->Appended() - pointsBefore));
  std::printf("window thread CPU:         %.3f s = %.1f %% of one core\n", cpu, 100.0 * cpu / wall);
  Form10 = nullptr;
  Form1 = nullptr;
  return 0;
}
