// The subscription to the link's reports: who hears a report, in which
// order, and what becomes of subscribers and links that go away.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/link/link_events.h"

namespace {

// Writes each PortStateChanged it hears into a shared journal, with its name.
class Journal : public LinkListener {
 public:
  Journal(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  void PortStateChanged(bool open) override {
    log_.push_back(name_ + (open ? " open" : " closed"));
    if (onReport) onReport();
  }
  std::function<void()> onReport;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

void ReportOpen(const LinkEvents& events) {
  events.Notify([](LinkListener& l) { l.PortStateChanged(true); });
}

TEST(LinkEvents, EverySubscriberHearsEachReportOnceInTheOrderOfSubscription) {
  std::vector<std::string> log;
  LinkEvents events;
  Journal a("a", log), b("b", log), silent("silent", log);
  events.Subscribe(&b);
  events.Subscribe(&a);
  events.Subscribe(&b);  // already subscribed: still heard once
  events.Subscribe(nullptr);
  ReportOpen(events);
  EXPECT_EQ(log, (std::vector<std::string>{"b open", "a open"}));
}

TEST(LinkEvents, ASubscriberHearsOnlyTheLinkItSubscribedToLast) {
  std::vector<std::string> log;
  LinkEvents first, second;
  Journal a("a", log);
  first.Subscribe(&a);
  second.Subscribe(&a);
  EXPECT_FALSE(first.Subscribed(&a));
  ReportOpen(first);
  EXPECT_TRUE(log.empty());
  ReportOpen(second);
  EXPECT_EQ(log, (std::vector<std::string>{"a open"}));
  // Unsubscribing from a link it has left changes nothing.
  first.Unsubscribe(&a);
  EXPECT_TRUE(second.Subscribed(&a));
}

TEST(LinkEvents, ASubscriberThatGoesAwayLeavesItsLinkAndALinkThatGoesAwayLetsItsSubscribersGo) {
  std::vector<std::string> log;
  auto events = std::make_unique<LinkEvents>();
  Journal stays("stays", log);
  {
    Journal leaves("leaves", log);
    events->Subscribe(&leaves);
    events->Subscribe(&stays);
  }
  ReportOpen(*events);
  EXPECT_EQ(log, (std::vector<std::string>{"stays open"}));
  // The link goes first: the subscriber that outlives it must not reach it.
  events.reset();
  LinkEvents next;
  next.Subscribe(&stays);
  ReportOpen(next);
  EXPECT_EQ(log, (std::vector<std::string>{"stays open", "stays open"}));
}

TEST(LinkEvents, ASubscriberThatAnEarlierOneRemovesDuringAReportHearsNoMore) {
  std::vector<std::string> log;
  LinkEvents events;
  Journal closer("closer", log);
  auto closed = std::make_unique<Journal>("closed", log);
  Journal after("after", log);
  events.Subscribe(&closer);
  events.Subscribe(closed.get());
  events.Subscribe(&after);
  // The first subscriber's handler destroys the second (a window closed by another's report).
  closer.onReport = [&] { closed.reset(); };
  ReportOpen(events);
  EXPECT_EQ(log, (std::vector<std::string>{"closer open", "after open"}));
}

}  // namespace
