// Ending the program while the service window polls: the end does not wait
// for the user, the device's cyclic output is held before the link is
// flushed, and nothing polls afterwards.
#include "tests/app/program/program_fixture.h"

namespace {

class EndWhilePolling : public ProgramTest {};

TEST_F(EndWhilePolling, BeendenEndsThePollingAndHoldsTheDeviceOutput) {
  Start();
  service().Button1Click(nullptr);
  ASSERT_EQ(ServiceConnected, 1);
  ASSERT_EQ(PollingActive, 1);
  ASSERT_TRUE(PumpUntil([&] { return service().Label11->Caption() == "1 :      12.50"; }));
  // A changed channel field: the end asks, and the answer No ends at once.
  SetupModified = 1;
  dialogs_.Answer(IDNO);
  sim_.Log().Clear();

  service().Button2Click(nullptr);
  EXPECT_FALSE(service().Visible());
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(PollingActive, 0);
  EXPECT_FALSE(service().Polling->RunOpen());
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Änderungen im Gerät speichern?");

  const auto requests = ReceivedRequests();
  // The hold reaches the device (a request that is only queued would be dropped by the next flush).
  const auto hold = std::find(requests.begin(), requests.end(), std::vector<uint8_t>{CMD_HOLD_CYCLIC, 0});
  ASSERT_NE(hold, requests.end());
  for (auto it = hold; it != requests.end(); ++it) EXPECT_NE((*it)[0], CMD_READ_WEIGHT);
  EXPECT_EQ(requests.back(), (std::vector<uint8_t>{CMD_VALUE_STREAM, 1, 2}));
  // Later events poll nothing.
  const size_t count = Received().size();
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }));
  TestApplication().ProcessMessages();
  EXPECT_EQ(Received().size(), count);
}

}  // namespace
