// The request queues: last in, first out, their bounds and exact removal.
#include "app/link/request_queue.h"

#include <gtest/gtest.h>

namespace {

TEST(RequestQueueSet, ServesTheRequestQueuedLastFirst) {
  RequestQueueSet q;
  const uint8_t d1[] = {1}, d2[] = {2};
  q.Add(1, 0x28, d1, 0, 1);
  q.Add(1, 0x28, d2, 0, 1);
  ASSERT_EQ(q.PendingCount, 2);
  RequestEntry* newest = q.Find(*q.Newest());
  ASSERT_NE(newest, nullptr);
  EXPECT_EQ(newest->DataByte(0), 2);
  q.Remove(*q.Newest());
  EXPECT_EQ(q.Find(*q.Newest())->DataByte(0), 1);
  EXPECT_EQ(q.Queues[1].Count, 1);
}

TEST(RequestQueueSet, RefusesANinthRequestOfOneAddressAndThe129thOfAll) {
  RequestQueueSet q;
  for (int i = 0; i < QUEUE_DEPTH; ++i) q.Add(1, 0x1E, {}, 0, 1);
  EXPECT_EQ(q.CheckRoom(1, 0), QueueRefusal::AddressQueueFull);
  EXPECT_EQ(q.CheckRoom(2, 0), QueueRefusal::None);
  for (int a = 2; q.PendingCount < MAX_PENDING; a = a % 120 + 2)
    if (q.CheckRoom(a, 0) == QueueRefusal::None) q.Add(a, 0x1E, {}, 0, 1);
  EXPECT_EQ(q.PendingCount, MAX_PENDING);
  EXPECT_EQ(q.CheckRoom(125, 0), QueueRefusal::PendingListFull);
}

TEST(RequestQueueSet, RefusesAddressesOutsideTheBusAndOverlongData) {
  RequestQueueSet q;
  EXPECT_EQ(q.CheckRoom(0, 0), QueueRefusal::BadAddress);
  EXPECT_EQ(q.CheckRoom(127, 0), QueueRefusal::BadAddress);
  EXPECT_EQ(q.CheckRoom(255, 0), QueueRefusal::BadAddress);
  EXPECT_EQ(q.CheckRoom(126, MAX_DATA_BYTES), QueueRefusal::None);
  EXPECT_EQ(q.CheckRoom(1, MAX_DATA_BYTES + 1), QueueRefusal::TooLong);
}

TEST(RequestQueueSet, DroppingAnAddressRemovesExactlyItsRequests) {
  RequestQueueSet q;
  q.Add(1, 0x01, {}, 0, 1);
  q.Add(5, 0x05, {}, 0, 1);
  q.Add(1, 0x02, {}, 0, 1);
  q.Add(7, 0x07, {}, 0, 1);
  EXPECT_EQ(q.DropAddress(1), 2);
  ASSERT_EQ(q.PendingCount, 2);
  EXPECT_EQ(q.PendingList[0].Address, 5);
  EXPECT_EQ(q.PendingList[1].Address, 7);
  EXPECT_EQ(q.Find(*q.Newest())->Command(), 0x07);
  EXPECT_EQ(q.Queues[1].Count, 0);
}

TEST(RequestQueueSet, RemovingAnOlderRequestKeepsTheNewerOnesOfItsAddress) {
  // A request queued while another of the same address is in progress.
  RequestQueueSet q;
  q.Add(1, 0x11, {}, 0, 1);
  const PendingRef running = *q.Newest();
  q.Add(1, 0x22, {}, 0, 1);
  EXPECT_TRUE(q.Remove(running));
  ASSERT_EQ(q.PendingCount, 1);
  EXPECT_EQ(q.Find(*q.Newest())->Command(), 0x22);
  EXPECT_EQ(q.NewestOf(1)->Command(), 0x22);
  EXPECT_FALSE(q.Remove(running));  // never twice
  EXPECT_EQ(q.PendingCount, 1);
}

TEST(RequestQueueSet, ClearingKeepsPresenceFlags) {
  RequestQueueSet q;
  q.Queues[3].Present = 1;
  q.Add(3, 0x28, {}, 0, 1);
  q.Clear();
  EXPECT_EQ(q.PendingCount, 0);
  EXPECT_EQ(q.Queues[3].Count, 0);
  EXPECT_EQ(q.Queues[3].Present, 1);
  EXPECT_EQ(q.Newest(), nullptr);
}

}  // namespace
