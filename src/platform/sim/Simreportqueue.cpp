#include "platform/sim/Simreportqueue.h"

void TSimReportQueue::Deliver(uint32_t reports) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    const size_t room = m_Capacity - m_Queued;
    if (reports > room) m_Overflowed = true;
    m_Queued += reports < room ? reports : room;
}

uint32_t TSimReportQueue::Drain() {
    std::lock_guard<std::mutex> guard(m_Mutex);
    const auto taken = static_cast<uint32_t>(m_Queued);
    m_Queued = 0;
    return taken;
}

bool TSimReportQueue::TakeOverflow() {
    std::lock_guard<std::mutex> guard(m_Mutex);
    const bool overflowed = m_Overflowed;
    m_Overflowed = false;
    return overflowed;
}

size_t TSimReportQueue::Queued() const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Queued;
}

void TSimReportQueue::SetCapacity(size_t capacity) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Capacity = capacity > 0 ? capacity : 1;
    if (m_Queued > m_Capacity) m_Queued = m_Capacity;
}

IMouseEvents::TStop TSimReportQueue::CreateStop() {
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Stops.insert(m_NextStop);
    return m_NextStop++;
}

void TSimReportQueue::RaiseStop(TStop stop) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    if (m_Stops.count(stop)) m_Raised.insert(stop);
}

void TSimReportQueue::CloseStop(TStop stop) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Stops.erase(stop);
    m_Raised.erase(stop);
}

bool TSimReportQueue::Raised(TStop stop) const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Raised.count(stop) != 0;
}
