#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "mouse/Kytsharemem.h"
#include "mouse/Raterecord.h"
#include "mouse/Ratestatsblock.h"
#include "mouse/Reportintervals.h"
#include "platform/MouseEvents.h"

class TKytMouseRate;

// Runs the measurement on a worker of its own, which publishes the figures into the shared
// block "KytMouseRateMem" after every mouse report, keeps the recent report intervals and
// publishes their statistics into "KytMouseRateStats" a few times a second.
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
    // The latest statistics as any reader of "KytMouseRateStats" sees them.
    bool ReadStats(RateStatsRecord& record) const;
    // The newest intervals in ms, oldest first (none when the lock is held); how many it copied.
    size_t TryCopyRecentIntervals(double* out, size_t room);
    // The rate the mouse should report at, for the verdict; 0 when it is not known.
    // A change is published at once.
    void SetAppliedRate(uint32_t hz);
    bool Unmapped() const { return m_ShareMem.Unmapped(); }
    bool Suspended();
    int32_t DisplayTicks = 0;

private:
    void SamplingLoop();
    void ZeroBlock();
    // Under the lock: the wake's intervals into the ring, and the statistics published when
    // their time has come.
    void KeepIntervals(const TKytMouseRate& rate);
    void PublishStats();

    std::thread m_Worker;
    std::mutex m_Lock;  // guards the block
    std::mutex m_StateMutex;
    std::condition_variable m_StateChanged;
    int m_SuspendCount = 0;  // the worker samples while it is 0
    int m_Pauses = 0;        // suspensions so far: the worker drops what came during each
    bool m_Stop = true;
    IMouseEvents::TStop m_StopSignal = 0;
    TKytShareMem m_ShareMem;
    TKytShareMem m_StatsMem;
    TReportIntervals m_Intervals;  // guarded by m_Lock
    int64_t m_StatsDue = 0;        // the counter value at which the statistics are published next
    std::atomic<uint32_t> m_AppliedHz{0};
};
