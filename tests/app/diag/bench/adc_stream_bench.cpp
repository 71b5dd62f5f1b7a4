// The share of one core that the window thread needs while the device's
// value stream runs at its fastest rate (1600 values a second) and the ADC
// functions window shows it: the receive handler takes every frame, and the
// display tick writes the labels and adds a point to the graph, which
// repaints. Measured with getrusage(RUSAGE_THREAD) on the window thread, so
// the simulated device's own thread does not count. Beside it, the same
// measure of a timer alone that ticks as the display tick does and does
// nothing: what the window thread pays on this machine, at its present
// load, only to wake that often. Then the values
// that reached the stream ring against the frames the device sent: every
// stored value is checked against its predecessor, so a value lost or
// reordered between the first and the last one stored is counted. Run by
// hand; not a test.
//
//   adc_stream_bench [seconds] [display interval ms ...]
//
// The display interval is the program option sdcont_avg_time; without one
// the intervals 1, 20, 100 and 250 ms are measured in turn (250 ms is the
// program's default, 1 ms the finest a user can set). The display shows the
// newest value at each tick (sdcont_avg 0), so that the ring's write index
// counts every value; the test window's reply field shows each received
// frame, as the program's start-up leaves it.
#include <sys/resource.h>

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/diag/adc_functions.h"
#include "app/link/test_window.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/support/qt_test_env.h"

namespace {

constexpr int kFastestRate = 1600;  // values a second: the highest sampling rate
constexpr int32_t kStep = 997;      // the simulated device's value rises by this with every frame
constexpr int kCheckMs = 200;       // how often the ring is walked: far less than a lap of it

double ThreadCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Walks the stream ring behind its write index: each new value must be its
// predecessor plus the device's step.
class RingCheck {
 public:
  explicit RingCheck(const TForm1& link) : link_(link) {}

  void Walk() {
    const int index = link_.StreamIndex;
    while (seen_ != index) {
      const int32_t value = link_.StreamRing[static_cast<size_t>(seen_)];
      if (stored_ == 0) {
        first_ = value;
      } else if (value != static_cast<int32_t>(static_cast<uint32_t>(last_) + static_cast<uint32_t>(kStep))) {
        ++broken_;
      }
      last_ = value;
      ++stored_;
      seen_ = (seen_ + 1) % STREAM_RING_SIZE;
    }
  }

  long stored_ = 0;  // values taken into the ring
  long broken_ = 0;  // values that do not follow their predecessor
  int32_t first_ = 0;
  int32_t last_ = 0;

 private:
  const TForm1& link_;
  int seen_ = 0;
};

// Runs the event loop for the given seconds: the wall time and the window thread's CPU time.
struct Span {
  double wall = 0;
  double cpu = 0;
};
Span RunEventLoop(int seconds) {
  const double cpuBefore = ThreadCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
  loop.exec();
  return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
          ThreadCpuSeconds() - cpuBefore};
}

// The window thread's share of a core while only a timer ticks at the interval.
double TimerAloneShare(int seconds, int intervalMs) {
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [] {});
  timer.start(intervalMs);
  const Span span = RunEventLoop(seconds);
  return span.cpu / span.wall;
}

struct Figures {
  int displayMs = 0;
  int tickMs = 0;  // the display tick's interval as it runs
  double wall = 0;
  double cpu = 0;
  double timerAlone = 0;
  size_t sent = 0;
  unsigned long long points = 0;
  long stored = 0;
  long broken = 0;
  long before = 0;  // frames sent before the reception took the stream
  long after = 0;   // frames sent after the stop
  bool stopped = false;
};

bool Measure(int seconds, int displayMs, Figures& f) {
  devsim::DeviceSimulator sim;
  devsim::DeviceModel model;
  model.streamRateHz = kFastestRate;
  model.streamValue = 0;
  model.streamStep = kStep;
  sim.AddDevice(1, model);
  TForm1 link;
  Form1 = &link;
  TForm10 window;
  Form10 = &window;
  struct Release {
    ~Release() {
      Form10 = nullptr;
      Form1 = nullptr;
    }
  } release;
  link.ComPort1->SetPort(sim.SlavePath());
  link.PortUsable = 1;
  link.RS232Daten1->SetChecked(true);
  link.Options.sdcont_avg = 0;
  link.Options.sdcont_avg_time = displayMs;
  window.Show();
  window.Button7->Click();  // "Kont. ON"
  if (!link.Timer3->Enabled() || !sim.Model(1).streamRunning) {
    std::fprintf(stderr, "the stream did not start\n");
    return false;
  }

  f.tickMs = link.Timer3->Interval();
  RingCheck ring(link);
  QTimer walker;
  QObject::connect(&walker, &QTimer::timeout, [&] { ring.Walk(); });
  walker.start(kCheckMs);
  const auto pointsBefore = window.PerformanceGraph1->Appended();
  const Span span = RunEventLoop(seconds);
  f.wall = span.wall;
  f.cpu = span.cpu;
  f.points = window.PerformanceGraph1->Appended() - pointsBefore;
  window.Button10->Click();  // "Kont. OFF"
  // The frames still on their way are taken before the count is made.
  f.stopped = PumpUntil([&] { return !sim.Model(1).streamRunning; }, std::chrono::seconds(5));
  PumpUntil([&] { return link.ComPort1->InputCount() == 0 && link.PendingCount == 0; }, std::chrono::seconds(5));
  walker.stop();
  f.displayMs = displayMs;
  for (const auto& entry : sim.Log().Entries(devsim::Direction::Sent))
    if (entry.bytes.size() == 6) ++f.sent;  // stream frames; replies are longer
  f.stored = ring.stored_;
  f.broken = ring.broken_;
  if (f.stored > 0) {
    f.before = ring.first_ / kStep;
    f.after = static_cast<long>(f.sent) - 1 - ring.last_ / kStep;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::vector<int> intervals;
  for (int i = 2; i < argc; ++i) intervals.push_back(std::max(1, std::atoi(argv[i])));
  if (intervals.empty()) intervals = {1, 20, 100, 250};
  platform::Clock::SetScale(1.0);
  TApplication application(argc, argv);

  std::printf("%d values a second for %d s per display interval; window thread CPU from getrusage(RUSAGE_THREAD)\n",
              kFastestRate, seconds);
  std::printf("%9s %12s %12s %9s %9s %9s %8s %8s %9s\n", "interval", "window CPU", "timer alone", "points", "sent",
              "stored", "before", "after", "lost/out");
  int status = 0;
  for (int displayMs : intervals) {
    Figures f;
    if (!Measure(seconds, displayMs, f)) return 1;
    f.timerAlone = TimerAloneShare(seconds, f.tickMs);
    std::printf("%6d ms %10.2f %% %10.2f %% %9llu %9zu %9ld %8ld %8ld %9ld\n", f.displayMs, 100.0 * f.cpu / f.wall,
                100.0 * f.timerAlone, f.points, f.sent, f.stored, f.before, f.after, f.broken);
    std::fflush(stdout);
    if (!f.stopped) std::printf("          the device's stream went on after \"Kont. OFF\"\n");
    if (f.broken != 0 || !f.stopped) status = 1;
  }
  std::printf("timer alone: a timer at the display tick's interval and nothing else, on the same thread; stored: values in\n"
              "the stream ring; before / after: frames sent before the reception took the stream and after\n"
              "the stop, which are not values; lost/out: stored values that do not follow their predecessor\n");
  return status;
}
