#pragma once

#include "link/RealClock.h"

// For end-to-end tests over a real port: receive waits are real (the bytes
// really travel), pauses only move the clock on, so an 8 s settle or the
// parameter pacing costs no real time.
class HybridClock : public RealClock
{
public:
    double now() const override { return RealClock::now() + m_skipped; }
    void pause(double seconds) override;

private:
    double m_skipped = 0.0;
};
