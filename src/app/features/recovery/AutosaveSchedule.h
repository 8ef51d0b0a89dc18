#pragma once

#include <QtGlobal>

namespace quillory::app {

/**
 * When the recovery copy is due, on a clock the caller keeps (milliseconds
 * from any origin): quietMs after the last change, but no later than maxMs
 * after the first change not yet written, so that continuous typing is
 * written every maxMs all the same. Holds no timer: the window turns due()
 * into one, tests step through time by hand.
 */
class AutosaveSchedule
{
public:
    static constexpr qint64 kQuietMs = 2000;
    static constexpr qint64 kMaxMs = 5000;

    explicit AutosaveSchedule(qint64 quietMs = kQuietMs, qint64 maxMs = kMaxMs)
        : m_quietMs(quietMs), m_maxMs(maxMs)
    {}

    /** The letter changed at now. */
    void changed(qint64 now)
    {
        if (m_firstPending < 0)
            m_firstPending = now;
        m_lastChange = now;
    }

    /** Nothing is waiting to be written any more: it was, or there is no copy to keep. */
    void clear() { m_firstPending = m_lastChange = -1; }

    bool isPending() const { return m_firstPending >= 0; }

    /** When the pending changes are to be written; -1 when none are pending. */
    qint64 due() const
    {
        if (!isPending())
            return -1;
        return qMin(m_lastChange + m_quietMs, m_firstPending + m_maxMs);
    }

private:
    qint64 m_quietMs;
    qint64 m_maxMs;
    qint64 m_firstPending = -1;
    qint64 m_lastChange = -1;
};

} // namespace quillory::app
