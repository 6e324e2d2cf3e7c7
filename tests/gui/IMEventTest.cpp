#include "gui/IMEvent.h"

#include <boost/bind/bind.hpp>
#include <boost/signals2/shared_connection_block.hpp>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace pestrol {
namespace {

struct Listener : IMTrackable {
    Listener(std::vector<int>* l, int i) : log(l), id(i) {}
    std::vector<int>* log;
    int id;
    long OnEvent(const IMEvent& e, int extra)
    {
        log->push_back(id * 100 + extra + static_cast<int>(e.m_code));
        return id;
    }
};

TEST(IMSignal, HandlersRunInOrderAndTheLastResultIsReturned)
{
    IMSignal<IMEvent> signal;
    std::vector<int> log;
    Listener a(&log, 1), b(&log, 2);
    signal.connect(boost::bind(&Listener::OnEvent, &a, boost::placeholders::_1, 5));
    signal.connect(boost::bind(&Listener::OnEvent, &b, boost::placeholders::_1, 7));
    EXPECT_EQ(Raise(signal, IMEvent(nullptr, 10), nullptr), 2);
    EXPECT_EQ(log, (std::vector<int>{115, 217}));
}

TEST(IMSignal, ConnectionsBlockUnblockAndDisconnect)
{
    IMSignal<IMEvent> signal;
    int calls = 0;
    IMConnection c = signal.connect([&](const IMEvent&) { ++calls; return 3L; });
    signal(IMEvent(nullptr, 0));
    {
        boost::signals2::shared_connection_block block(c);
        EXPECT_EQ(signal(IMEvent(nullptr, 0)), 0) << "a blocked handler is skipped";
    }
    signal(IMEvent(nullptr, 0));
    c.disconnect();
    EXPECT_EQ(signal(IMEvent(nullptr, 0)), 0);
    EXPECT_EQ(calls, 2);
}

TEST(IMSignal, AHandlerBoundToADestroyedTrackableIsCut)
{
    IMSignal<IMEvent> signal;
    std::vector<int> log;
    auto listener = std::make_unique<Listener>(&log, 4);
    signal.connect(boost::bind(&Listener::OnEvent, listener.get(), boost::placeholders::_1, 0));
    signal(IMEvent(nullptr, 1));
    listener.reset();
    EXPECT_EQ(signal.num_slots(), 0u);
    signal(IMEvent(nullptr, 1));
    EXPECT_EQ(log, std::vector<int>{401});
}

TEST(IMSignal, RaiseCopiesTheEventWithTheRaisingControlAsSender)
{
    IMSignal<IMMouseEvent> signal;
    auto* control = reinterpret_cast<IMControl*>(0x1000);
    const IMControl* seen = nullptr;
    std::int32_t x = 0;
    signal.connect([&](const IMMouseEvent& e) { seen = e.m_sender; x = e.m_x; return 0L; });
    const IMMouseEvent original(nullptr, msg::kMouseMove, mk::kLButton, 12, 34);
    Raise(signal, original, control);
    EXPECT_EQ(seen, control);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(original.m_sender, nullptr);
    EXPECT_TRUE(original.IsCode(msg::kMouseMove));
    EXPECT_FALSE(original.Is(msg::kLButtonDown));
}

}  // namespace
}  // namespace pestrol
