#pragma once
// The data-arrived notification a watch thread posts to the main window:
// event type 1025 carrying the port id of the channel that received data.

#include <QEvent>

#include <cstdint>

inline constexpr QEvent::Type kDataArrivedEventType = static_cast<QEvent::Type>(1025);

class DataArrivedEvent : public QEvent {
public:
    explicit DataArrivedEvent(uint16_t portId) : QEvent(kDataArrivedEventType), m_PortId(portId) {}
    uint16_t PortId() const { return m_PortId; }

private:
    uint16_t m_PortId;
};
