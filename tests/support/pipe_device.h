#pragma once
// A device that gives bytes as a pipe does: once, front to back, without seeking.
#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>

class PipeDevice : public QIODevice {
public:
    explicit PipeDevice(const QByteArray& bytes)
        : m_bytes(bytes)
    {
        open(ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_bytes.size() - m_at + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 most) override
    {
        const qint64 n = std::min(most, m_bytes.size() - m_at);
        std::memcpy(data, m_bytes.constData() + m_at, std::size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
};
