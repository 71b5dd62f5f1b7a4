// The set-up editor opened while the service window polls: its set-up query
// goes through the queue after the polling's requests, none of which is
// dropped, and the editor shows the copy the device reports.
#include "tests/app/link/click_at.h"
#include "tests/app/service/service_fixture.h"

namespace {

class EditorWhilePolling : public ServiceTest {};

TEST_F(EditorWhilePolling, OpeningTheEditorAsksTheDeviceForItsSetup) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.activeSetup = 1; });
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
  const size_t queriesBefore = CountOf(CMD_SETUP_SELECT, {1});
  // The editor opens from the service window's menu while a weight read of the polling is pending.
  int pendingAtOpening = 0;
  ClickAt open([&] { return link().PendingCount != 0; },
               [&] {
                 pendingAtOpening = link().PendingCount;
                 window().Setup1->Click();  // Admin -> "Setup"
               });
  ASSERT_TRUE(PumpUntil([&] { return open.Done(); }));
  ASSERT_NE(pendingAtOpening, 0);

  EXPECT_EQ(CountOf(CMD_SETUP_SELECT, {1}), queriesBefore + 1);
  EXPECT_EQ(editor().Label133->Caption(), "SETUP 2");
  EXPECT_EQ(SetupBase, SETUP_BASE_2);
  EXPECT_EQ(PollingActive, 1) << "the polling goes on";
  EXPECT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2)) << "the polling goes on";
  editor().Close();
}

}  // namespace
