#pragma once

#include "HIDInterface.h"

#include <QTimer>

#include <deque>

// A transport whose mouse answers every report at once: the queries with
// their replies (memory size, sensor, DPI step, the active profile), every
// other packet with an acknowledgement, and the last packet of an upload
// with its acknowledgement, the upload's result and the notice of the
// profile it starts in. As from a real mouse, each report comes on a turn of
// the event loop of its own. What is left of an upload's time is the host's
// own.
class InstantTransport : public HIDInterface
{
    Q_OBJECT

public:
    explicit InstantTransport(int memorySize, QObject *parent = nullptr);

    int writtenPackets() const { return m_written; }

public slots:
    void subscribe() override;
    void writePacket(QVector<uint8_t> packet) override;
    void getFeature(QVector<uint8_t> &buffer) override;

private:
    void reply(const QVector<uint8_t> &packet, uint8_t code, const QVector<uint8_t> &data);
    void notice();
    void send(const QVector<uint8_t> &report);
    void deliverNext();

    int m_memorySize;
    std::deque<QVector<uint8_t>> m_outbox;
    QTimer m_delivery;
    int m_written = 0;
};
