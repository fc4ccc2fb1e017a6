#pragma once
#include <QString>

namespace ardentix::xapi {

// What one round of sending did: the statements the store took (or already had), those still
// waiting in the outbox, and why the last one that failed did (empty when none did).
struct LrsRound {
    int sent = 0;
    int waiting = 0;
    QString error;
};

// The statements waiting in the outbox for the learning record store (target "lrs"), sent one
// at a time, the oldest first, without blocking: a round ends at the first one the store cannot
// take for a reason that would hold for the rest too (no connection, no answer in time, a server
// error, a refused key); they stay queued, with their tries counted and the reason kept, for the
// next round. The program starts a round at its start, after each scenario and on demand.
class LrsQueue {
  public:
    virtual ~LrsQueue() = default;
    // Starts a round unless sending is off; asked during a round, another round follows it. The
    // round's end is told through the event loop, never inside this call.
    virtual void SendQueued() = 0;
    virtual bool Sending() const = 0;
};

}  // namespace ardentix::xapi
