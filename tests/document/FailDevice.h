#pragma once

#include <QBuffer>

/**
 * A buffer that accepts limit bytes and then fails every write, like a disk
 * that fills up in the middle of a save.
 */
class FailDevice : public QBuffer
{
public:
    explicit FailDevice(qint64 limit) : m_limit(limit) {}

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 room = m_limit - size();
        if (room <= 0)
            return -1;
        return QBuffer::writeData(data, qMin(length, room));
    }

private:
    qint64 m_limit;
};
