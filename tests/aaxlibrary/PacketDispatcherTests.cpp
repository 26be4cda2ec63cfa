// Packet dispatcher: dirty marking, posting order and results, and the
// re-entrant mutex.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "AAX_CPacketDispatcher.h"
#include "ModelFakes.h"

namespace
{
using aaxmodel_test::FakeController;

// Fills packets with a 4-byte counter and records for which identifier.
struct Worker
{
    int32_t next = 100;
    std::vector<std::string> filled;

    AAX_Result Fill (const char* identifier, AAX_CPacket& packet)
    {
        filled.push_back (identifier);
        *packet.GetPtr<int32_t>() = next++;
        return AAX_SUCCESS;
    }
    AAX_Result FillWithoutId (AAX_CPacket& packet)
    {
        filled.push_back ("(packet)");
        *packet.GetPtr<int32_t>() = next++;
        return AAX_SUCCESS;
    }
    AAX_Result Fail (const char* identifier, AAX_CPacket&)
    {
        filled.push_back (std::string ("fail:") + identifier);
        return -1;
    }
    AAX_Result Throw (const char*, AAX_CPacket&) { throw std::runtime_error ("handler failure"); }
};

int32_t Int32Of (const FakeController::Post& post)
{
    int32_t v = 0;
    EXPECT_EQ (4u, post.bytes.size());
    std::memcpy (&v, post.bytes.data(), sizeof (v));
    return v;
}

struct Dispatcher : ::testing::Test
{
    FakeController controller;
    Worker worker;
    AAX_CPacketDispatcher dispatcher;
    AAX_CPacketHandler<Worker> fill { &worker, &Worker::Fill };
    AAX_CPacketHandler<Worker> fail { &worker, &Worker::Fail };

    void SetUp() override { dispatcher.Initialize (&controller, nullptr); }
};

TEST_F (Dispatcher, NewPacketsAreDirtyAndPostedOnce)
{
    EXPECT_EQ (AAX_SUCCESS, dispatcher.RegisterPacket ("MasterBypassID", 3, &fill));
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
    ASSERT_EQ (1u, controller.posts.size());
    EXPECT_EQ (3, controller.posts[0].port);
    EXPECT_EQ (100, Int32Of (controller.posts[0]));

    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch()); // nothing changed: nothing posted
    EXPECT_EQ (1u, controller.posts.size());

    EXPECT_EQ (AAX_SUCCESS, dispatcher.SetDirty ("MasterBypassID", true));
    dispatcher.Dispatch();
    ASSERT_EQ (2u, controller.posts.size());
    EXPECT_EQ (101, Int32Of (controller.posts[1]));

    dispatcher.SetDirty ("MasterBypassID", true);
    dispatcher.SetDirty ("MasterBypassID", false); // cleared again
    dispatcher.Dispatch();
    EXPECT_EQ (2u, controller.posts.size());
}

TEST_F (Dispatcher, UnknownIdentifierChangesNothing)
{
    dispatcher.RegisterPacket ("a", 1, &fill);
    dispatcher.Dispatch();
    EXPECT_EQ (AAX_SUCCESS, dispatcher.SetDirty ("never", true));
    EXPECT_EQ (AAX_SUCCESS, dispatcher.SetDirty (nullptr, true));
    dispatcher.Dispatch();
    EXPECT_EQ (1u, controller.posts.size());
}

TEST_F (Dispatcher, IdentifiersOnOnePortShareOnePacket)
{
    dispatcher.RegisterPacket ("zeta", 2, &fill);
    dispatcher.RegisterPacket ("alpha", 2, &fill);
    dispatcher.Dispatch();
    ASSERT_EQ (1u, controller.posts.size());
    EXPECT_EQ (std::vector<std::string> ({ "alpha" }), worker.filled); // sorts first

    worker.filled.clear();
    dispatcher.SetDirty ("zeta", true);
    dispatcher.SetDirty ("alpha", true);
    dispatcher.Dispatch();
    EXPECT_EQ (2u, controller.posts.size());
    EXPECT_EQ (std::vector<std::string> ({ "alpha" }), worker.filled);

    worker.filled.clear();
    dispatcher.SetDirty ("zeta", true); // marks the shared packet
    dispatcher.Dispatch();
    EXPECT_EQ (std::vector<std::string> ({ "alpha" }), worker.filled);
}

TEST_F (Dispatcher, OneIdentifierOnTwoPortsPostsBothInRegistrationOrder)
{
    AAX_CPacketHandler<Worker> byPacket (&worker, &Worker::FillWithoutId);
    dispatcher.RegisterPacket ("x", 7, &fill);
    dispatcher.RegisterPacket ("x", 4, &byPacket);
    dispatcher.Dispatch();
    controller.posts.clear();
    worker.filled.clear();

    dispatcher.SetDirty ("x", true);
    dispatcher.Dispatch();
    ASSERT_EQ (2u, controller.posts.size());
    EXPECT_EQ (7, controller.posts[0].port);
    EXPECT_EQ (4, controller.posts[1].port);
    EXPECT_EQ (std::vector<std::string> ({ "x", "(packet)" }), worker.filled);
}

TEST_F (Dispatcher, HandlerFailureNeitherPostsNorChangesTheResult)
{
    dispatcher.RegisterPacket ("a", 1, &fill);
    dispatcher.RegisterPacket ("b", 2, &fail);
    controller.postResult = kErrMissingObject; // the controller's host is missing
    EXPECT_EQ (kErrMissingObject, dispatcher.Dispatch()); // the last post's result
    ASSERT_EQ (1u, controller.posts.size());
    EXPECT_EQ (1, controller.posts[0].port);
    EXPECT_EQ (std::vector<std::string> ({ "a", "fail:b" }), worker.filled);

    worker.filled.clear();
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch()); // both packets are clean now
    EXPECT_TRUE (worker.filled.empty());

    dispatcher.SetDirty ("b", true);
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch()); // failure only: 0
}

TEST_F (Dispatcher, ThrowingHandlerCountsAsFailure)
{
    AAX_CPacketHandler<Worker> thrower (&worker, &Worker::Throw);
    dispatcher.RegisterPacket ("t", 5, &thrower);
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
    EXPECT_TRUE (controller.posts.empty());
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
}

TEST_F (Dispatcher, BadRegistrationsAreRefusedOrSkipped)
{
    EXPECT_EQ (kErrMissingObject, dispatcher.RegisterPacket (nullptr, 1, &fill));
    EXPECT_EQ (kErrMissingObject, dispatcher.RegisterPacket ("a", 1, nullptr));
    EXPECT_EQ (AAX_SUCCESS, dispatcher.RegisterPacket ("neg", -1, &fill)); // no packet
    EXPECT_EQ (AAX_SUCCESS, dispatcher.SetDirty ("neg", true));
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
    EXPECT_TRUE (controller.posts.empty());
    EXPECT_TRUE (worker.filled.empty());

    // A handler that names no member answers kErrMissingObject.
    AAX_CPacketHandler<Worker> empty (&worker, static_cast<AAX_CPacketHandler<Worker>::IdPacketMember> (nullptr));
    AAX_CPacket packet (0);
    EXPECT_EQ (kErrMissingObject, empty.Call ("a", packet));
    std::unique_ptr<AAX_IPacketHandler> clone (fill.Clone());
    EXPECT_EQ (AAX_SUCCESS, clone->Call ("c", packet));
    EXPECT_EQ (4u, packet.GetDataSize());
}

TEST_F (Dispatcher, WithoutControllerNothingIsPosted)
{
    AAX_CPacketDispatcher lonely;
    lonely.RegisterPacket ("a", 1, &fill);
    EXPECT_EQ (kErrMissingObject, lonely.Dispatch());
}

TEST (AaxPacket, BufferSizes)
{
    AAX_CPacket packet (3);
    EXPECT_TRUE (packet.IsDirty());
    EXPECT_EQ (0u, packet.GetDataSize());
    *packet.GetPtr<double>() = 1.5;
    EXPECT_EQ (8u, packet.GetDataSize());
    AAX_CPacket::SPacketData data;
    EXPECT_EQ (8u, data.Size());
    EXPECT_NE (nullptr, data.Get (1));
    EXPECT_EQ (1u, data.Size());
    EXPECT_THROW (data.Get (0), std::out_of_range);
}

TEST (AaxMutex, ReentryAndForeignUnlock)
{
    AAX_CMutex mutex;
    EXPECT_TRUE (mutex.Lock());
    EXPECT_FALSE (mutex.Lock()); // already held by this thread

    std::atomic<bool> otherLocked { false };
    std::thread foreign ([&] {
        mutex.Unlock(); // not the holder: nothing
    });
    foreign.join();

    std::thread waiter ([&] {
        EXPECT_TRUE (mutex.Lock()); // waits until released below
        otherLocked = true;
        mutex.Unlock();
    });
    std::this_thread::sleep_for (std::chrono::milliseconds (20));
    EXPECT_FALSE (otherLocked.load()); // still held: the foreign unlock did nothing
    mutex.Unlock(); // one unlock releases
    waiter.join();
    EXPECT_TRUE (otherLocked.load());

    {
        AAX_StLock_Guard outer (mutex);
        {
            AAX_StLock_Guard inner (mutex); // nested: leaves the lock held
        }
        EXPECT_FALSE (mutex.Lock());
    }
    EXPECT_TRUE (mutex.Lock()); // the outer guard released it
    mutex.Unlock();
}

// A host thread marks a packet dirty while another is inside its dispatch:
// the mark waits for the dispatch to end instead of being wiped by it, so
// the next dispatch posts the packet again.
TEST (AaxMutex, DispatcherUnderConcurrentMarking)
{
    struct SlowWorker
    {
        std::atomic<bool> inHandler { false };
        std::atomic<int> calls { 0 };
        AAX_Result Fill (const char*, AAX_CPacket& packet)
        {
            *packet.GetPtr<int32_t>() = ++calls;
            if (calls == 1)
            {
                inHandler = true;
                std::this_thread::sleep_for (std::chrono::milliseconds (100));
            }
            return AAX_SUCCESS;
        }
    };
    FakeController controller;
    SlowWorker worker;
    AAX_CPacketDispatcher dispatcher;
    dispatcher.Initialize (&controller, nullptr);
    AAX_CPacketHandler<SlowWorker> fill (&worker, &SlowWorker::Fill);
    dispatcher.RegisterPacket ("a", 1, &fill);
    dispatcher.RegisterPacket ("b", 2, &fill);

    std::thread marker ([&] {
        while (! worker.inHandler)
            std::this_thread::yield();
        dispatcher.SetDirty ("a", true);
    });
    dispatcher.Dispatch(); // the first handler call waits while the marker marks
    marker.join();
    EXPECT_EQ (2u, controller.posts.size());
    EXPECT_EQ (AAX_SUCCESS, dispatcher.Dispatch());
    ASSERT_EQ (3u, controller.posts.size()); // the mark was kept
    EXPECT_EQ (1, controller.posts[2].port);

    // Every post carries the value its handler call wrote, in call order.
    for (size_t i = 0; i < controller.posts.size(); ++i)
        EXPECT_EQ (static_cast<int32_t> (i + 1), Int32Of (controller.posts[i]));
}

} // namespace
