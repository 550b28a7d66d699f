#include "ProtocolClock.h"

#include <chrono>
#include <thread>

namespace {
RealClock g_realClock;
std::atomic<ProtocolClock *> g_clock{&g_realClock};
} // namespace

int64_t RealClock::nowUs() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void RealClock::sleepMs(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void VirtualClock::sleepMs(int milliseconds)
{
    if (milliseconds > 0)
        m_now.fetch_add(int64_t(milliseconds) * 1000);
}

void VirtualClock::advanceUs(int64_t us)
{
    if (us > 0)
        m_now.fetch_add(us);
}

void VirtualClock::advanceTo(int64_t t)
{
    int64_t cur = m_now.load();
    while (t > cur && !m_now.compare_exchange_weak(cur, t)) {
    }
}

ProtocolClock *protocolClock()
{
    return g_clock.load();
}
void setProtocolClock(ProtocolClock *clock)
{
    g_clock.store(clock ? clock : &g_realClock);
}
