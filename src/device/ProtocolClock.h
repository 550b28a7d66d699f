#pragma once
// The pauses of the protocol. Real in production; tests of the retry
// discipline install a VirtualClock so that long timeouts cost nothing.

#include <atomic>
#include <cstdint>

class ProtocolClock
{
public:
    virtual ~ProtocolClock() = default;
    // Microseconds since an arbitrary start.
    virtual int64_t nowUs() const = 0;
    virtual void sleepMs(int milliseconds) = 0;
    // True when time only moves through sleepMs()/advanceUs() (no real waiting).
    virtual bool isVirtual() const = 0;
};

class RealClock : public ProtocolClock
{
public:
    int64_t nowUs() const override;
    void sleepMs(int milliseconds) override;
    bool isVirtual() const override { return false; }
};

class VirtualClock : public ProtocolClock
{
public:
    int64_t nowUs() const override { return m_now.load(); }
    void sleepMs(int milliseconds) override;
    bool isVirtual() const override { return true; }
    void advanceUs(int64_t us);
    // Moves time forward to t (never backwards).
    void advanceTo(int64_t t);

private:
    std::atomic<int64_t> m_now{0};
};

// The clock in use (a RealClock unless one was set).
ProtocolClock *protocolClock();
// Installs clock (not owned); nullptr restores the real clock.
void setProtocolClock(ProtocolClock *clock);
