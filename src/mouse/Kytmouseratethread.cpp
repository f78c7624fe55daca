#include "mouse/Kytmouseratethread.h"

#include <cstring>

#include "mouse/Kytmouserate.h"
#include "platform/Platform.h"
#include "sys/Singletons.h"

namespace {
// Holds the block's mapping open for the rest of the process, so that every sampler (and
// every reader in another process) sees the same block, also between two samplers.
struct TRateBlockKeeper {
    TRateBlockKeeper() {
        ShareMem.OpenMapping(kRateBlockName, 0, kRateBlockSize, true);
        StatsMem.OpenMapping(kRateStatsBlockName, 0, kRateStatsBlockSize, true);
    }
    TKytShareMem ShareMem;
    TKytShareMem StatsMem;
};

// The statistics are published this often while reports come (ms of the performance counter).
constexpr int64_t kStatsEveryMs = 100;
}  // namespace

TKytMouseRateThread::TKytMouseRateThread(bool createSuspended) {
    TPlatform& platform = GetPlatform();
    if (!MouseRateExists()) GetMouseRate().OpenMouse();
    SingletonOf<TRateBlockKeeper>();
    m_ShareMem.OpenMapping(kRateBlockName, 0, kRateBlockSize, true);
    m_ShareMem.MapView();
    m_StatsMem.OpenMapping(kRateStatsBlockName, 0, kRateStatsBlockSize, true);
    m_StatsMem.MapView();
    m_SuspendCount = createSuspended ? 1 : 0;
    m_Pauses = m_SuspendCount;

    m_Stop = false;
    m_StopSignal = platform.Mouse->CreateStop();
    m_Worker = std::thread(&TKytMouseRateThread::SamplingLoop, this);
    platform.Clock->Sleep(100);
}

TKytMouseRateThread::~TKytMouseRateThread() {
    if (m_Worker.joinable()) {
        // Wake the worker wherever it waits, for a report or for a resume, and let it finish:
        // this never waits for the mouse.
        {
            std::lock_guard<std::mutex> guard(m_StateMutex);
            m_Stop = true;
        }
        m_StateChanged.notify_all();
        GetPlatform().Mouse->RaiseStop(m_StopSignal);
        m_Worker.join();
    }
    GetPlatform().Mouse->CloseStop(m_StopSignal);
}

void TKytMouseRateThread::SamplingLoop() {
    TPlatform& platform = GetPlatform();
    platform.Threads->RaiseCurrentPriority();
    TKytShareMem view;
    view.OpenMapping(kRateBlockName, 0, kRateBlockSize, false);
    view.MapView();
    TKytMouseRate& rate = GetMouseRate();

    int pausesSeen = 0;
    for (;;) {
        bool paused = false;
        {
            // A suspended worker waits; it never spins. A pause counts also when it ended before
            // the worker came to look (it was busy with a report meanwhile).
            std::unique_lock<std::mutex> state(m_StateMutex);
            m_StateChanged.wait(state, [&] { return m_Stop || m_SuspendCount == 0; });
            if (m_Stop) break;
            paused = m_Pauses != pausesSeen;
            pausesSeen = m_Pauses;
        }
        if (paused) {
            // What the device buffered while nobody measured came from anywhere on the desktop:
            // dropped, and the first report after it only starts the clock.
            platform.Mouse->Discard();
            rate.StartAfterPause();
        }
        RateRecord record;
        record.OutputRate = rate.Sample(m_StopSignal);
        if (record.OutputRate == TKytMouseRate::kStopped) break;
        record.InstantRate = static_cast<int32_t>(rate.InstantRate());
        record.PeakRate = rate.PeakRate();
        record.MaxWindowRate = rate.MaxWindowRate();
        {
            std::lock_guard<std::mutex> state(m_StateMutex);
            // A report that arrived after a suspension is not published.
            if (m_Stop) break;
            if (m_SuspendCount != 0 || m_Pauses != pausesSeen) continue;
        }
        std::lock_guard<std::mutex> guard(m_Lock);
        KeepIntervals(rate);
        if (!view.Unmapped()) StoreRateRecord(view.View(), record);
    }
}

void TKytMouseRateThread::KeepIntervals(const TKytMouseRate& rate) {
    const TKytMouseRate::TWake wake = rate.LastWake();
    const int64_t frequency = rate.Frequency();
    if (frequency <= 0 || wake.Reports == 0) return;
    m_Intervals.Add(static_cast<double>(wake.GapTicks) * 1000.0 / static_cast<double>(frequency), wake.Reports);
    if (wake.Counter < m_StatsDue) return;
    m_StatsDue = wake.Counter + frequency * kStatsEveryMs / 1000;
    PublishStats();
}

void TKytMouseRateThread::PublishStats() {
    if (m_StatsMem.Unmapped()) return;
    RateStatsRecord record{};
    record.Version = kRateStatsVersion;
    record.AppliedHz = m_AppliedHz;
    const TIntervalStats stats = m_Intervals.Stats(record.AppliedHz);
    record.Reports = stats.Reports;
    record.MedianMs = stats.MedianMs;
    record.P1Ms = stats.P1Ms;
    record.P99Ms = stats.P99Ms;
    record.RateHz = stats.RateHz;
    record.Verdict = static_cast<int32_t>(stats.Verdict);
    StoreRateStats(m_StatsMem.View(), record);
}

void TKytMouseRateThread::SetAppliedRate(uint32_t hz) {
    if (m_AppliedHz.exchange(hz) == hz) return;
    std::lock_guard<std::mutex> guard(m_Lock);
    PublishStats();
}

bool TKytMouseRateThread::ReadStats(RateStatsRecord& record) const {
    return !m_StatsMem.Unmapped() && LoadRateStats(m_StatsMem.View(), record);
}

size_t TKytMouseRateThread::TryCopyRecentIntervals(double* out, size_t room) {
    std::unique_lock<std::mutex> guard(m_Lock, std::try_to_lock);
    return guard.owns_lock() ? m_Intervals.CopyRecent(out, room) : 0;
}

int TKytMouseRateThread::ResumeSampling() {
    if (!m_Worker.joinable()) return -1;
    int previous;
    {
        std::lock_guard<std::mutex> guard(m_StateMutex);
        previous = m_SuspendCount;
        if (m_SuspendCount > 0) --m_SuspendCount;
    }
    m_StateChanged.notify_all();
    return previous;
}

int TKytMouseRateThread::SuspendSampling() {
    GetPlatform().Clock->Sleep(10);
    if (!m_Worker.joinable()) return -1;
    std::lock_guard<std::mutex> guard(m_StateMutex);
    ++m_Pauses;
    return m_SuspendCount++;
}

void TKytMouseRateThread::ZeroBlock() {
    std::lock_guard<std::mutex> guard(m_Lock);
    // A new measurement: the intervals of the one before say nothing about it.
    m_Intervals.Clear();
    m_StatsDue = 0;
    PublishStats();
    if (!m_ShareMem.Unmapped()) std::memset(m_ShareMem.View(), 0, kRateBlockSize);
}

void TKytMouseRateThread::RestartMeasurement() {
    GetMouseRate().ResetCounters();
    ZeroBlock();
}

void TKytMouseRateThread::ClearResults() {
    ZeroBlock();
    DisplayTicks = 0;
}

bool TKytMouseRateThread::TryReadRecord(RateRecord& record) {
    if (m_ShareMem.Unmapped()) return false;
    std::unique_lock<std::mutex> guard(m_Lock, std::try_to_lock);
    if (!guard.owns_lock()) return false;
    record = LoadRateRecord(m_ShareMem.View());
    return true;
}

bool TKytMouseRateThread::Suspended() {
    std::lock_guard<std::mutex> guard(m_StateMutex);
    return m_SuspendCount > 0;
}
