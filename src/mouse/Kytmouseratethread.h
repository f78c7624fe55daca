#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "mouse/Kytsharemem.h"
#include "mouse/Raterecord.h"
#include "platform/MouseEvents.h"

// Runs the measurement on a worker of its own, which publishes the figures into the shared
// block "KytMouseRateMem" after every mouse report.
class TKytMouseRateThread {
public:
    explicit TKytMouseRateThread(bool createSuspended);
    ~TKytMouseRateThread();
    TKytMouseRateThread(const TKytMouseRateThread&) = delete;
    TKytMouseRateThread& operator=(const TKytMouseRateThread&) = delete;

    // The previous suspend count, or -1 when there is no worker.
    int ResumeSampling();
    int SuspendSampling();
    void RestartMeasurement();
    void ClearResults();

    // The page's side: a try-locked read of the block (false when the lock is held or no view
    // is mapped) and the display tick counter.
    bool TryReadRecord(RateRecord& record);
    bool Unmapped() const { return m_ShareMem.Unmapped(); }
    bool Suspended();
    int32_t DisplayTicks = 0;

private:
    void SamplingLoop();
    void ZeroBlock();

    std::thread m_Worker;
    std::mutex m_Lock;  // guards the block
    std::mutex m_StateMutex;
    std::condition_variable m_StateChanged;
    int m_SuspendCount = 0;  // the worker samples while it is 0
    bool m_Stop = true;
    IMouseEvents::TStop m_StopSignal = 0;
    TKytShareMem m_ShareMem;
};
