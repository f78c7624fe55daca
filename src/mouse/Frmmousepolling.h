#pragma once
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <mutex>
#include <string>
#include <thread>

#include "mouse/Intervalplot.h"
#include "mouse/Kytmouseratethread.h"
#include "mouse/Rateapply.h"
#include "mouse/Usbmouse.h"
#include "ui/Frmbase.h"
#include "ui/toolkit/Timer.h"

// The polling-rate page: finds the mouse on the designated port, lets the user choose and
// apply a rate, and shows the measured current and peak rates while the pointer moves over
// the test pad.
class TMousePollingFrame : public TBaseFrame {
public:
    explicit TMousePollingFrame(TContainer* owner);
    ~TMousePollingFrame() override;

    void ActivatePage() override;
    void DeactivatePage() override;
    void ApplyTheme(int themeId) override;
    void ApplyLanguage() override;

    bool LoadPortConfig();
    void SetMeasuring(bool on);
    void DetectMouse();
    void ShowStoredInterval();
    void ResetRateDisplay();
    void PollingRateTrackBarChange();
    void btnApplyClick();
    void btnDefaultClick();
    // Power-cycles the mouse's port (a replug), then measures again.
    void btnReplugClick();
    void FetchDataTimerTimer();
    void PollingRateTimerTimer();
    // Ends an apply whose worker is done: buttons back, status box closed, the outcome shown.
    void ApplyWatchTimerTimer();
    bool ApplyRunning() const { return m_ApplyWorker.joinable(); }
    bool Busy() const override { return ApplyRunning(); }
    void Image2MouseEnter();
    void Image2MouseLeave();
    void Image2MouseMove();

    // The texts of the branded board line; a model name containing one gets the branded wording.
    static const std::array<const char*, 15> kBrandedLine;

    bool Branded() const { return m_Branded; }
    bool Found() const { return m_Found; }
    int Interval() const { return m_Interval; }
    TKytMouseRateThread* Sampler() const { return m_Sampler.get(); }
    bool Measuring() const { return m_Measuring; }

    TImage Image1{this};
    TImage Image2{this};
    TImgBtn lblPollingRateCaption{this};
    TImgBtn lblPollingRateValue{this};
    TTrackBar PollingRateTrackBar{this};
    TImgBtn lblCurrentRateCaption{this};
    TImgBtn lblCurrentRateValue{this};
    TImgBtn lblPeakRateCaption{this};
    TImgBtn lblPeakRateValue{this};
    // What the recent intervals say: median, spread, whether the applied rate took, and a plot.
    TImgBtn lblMedianInterval{this};
    TImgBtn lblIntervalSpread{this};
    TImgBtn lblRateVerdict{this};
    TIntervalPlot IntervalPlot{this};
    // Offered in the plot's place when the rate did not take.
    TImgBtn btnReplug{this};
    TTimer FetchDataTimer;
    TTimer PollingRateTimer;
    TTimer ApplyWatchTimer;

private:
    bool LocateOnPort(TUsbMouse& mouse);
    bool AtDesignatedPort(const TUsbMouse& mouse) const;
    TDesignatedPort Port() const { return {m_HostController, m_HcdNo, m_PortNo}; }
    // Tells the user when the mouse did not come back and was put back as it was, or when the
    // rate takes effect only after a reboot.
    void ReportApplyResult(TApplyResult result);
    // The rate the mouse should report at: the stored interval's, once one was applied.
    uint32_t AppliedRate() const;
    // The rate values stand right of the longest of their captions, at the design's x or beyond.
    void LayOutRateValues();
    void ShowStatistics();
    void ShowStatisticTexts(const RateStatsRecord& stats);
    void ShowPortControls(bool show);
    void Describe(bool found);
    void ApplyInterval(uint32_t interval, bool isDefault);
    // Applies on a worker; `done` runs on the window's thread once the worker is done.
    void StartApply(uint32_t interval, std::function<void(TApplyResult)> done);
    // Runs a job that drives the devices on a worker, the status box up and the apply controls
    // off meanwhile; `done` runs on the window's thread once the worker is done.
    void StartDeviceJob(const std::string& status, std::function<void()> job, std::function<void()> done);
    // A fresh sampler, started when the pointer comes over the pad; with `freshMeasurement` the
    // measurement starts from nothing too.
    void RestartSampler(bool freshMeasurement = true);
    void EnableApplyControls(bool enable);
    // The end of a detection pass that found the mouse: buttons, log line, a fresh sampler.
    void StartMeasuringFoundMouse();
    void ShowTestPad(bool lit);

    bool m_Branded = false;
    uint32_t m_PortNo = 0;
    uint32_t m_HcdNo = 0;
    std::string m_HostController;
    bool m_Found = false;
    bool m_PreviouslyFound = false;
    bool m_FilterMissing = false;          // no rate can be applied: the page only measures
    std::optional<bool> m_DescribedFound;  // what the description last said: a mouse found or not
    bool m_RebootPending = false;          // an applied rate waits for a reboot
    int m_Interval = 0;
    int m_CurrentRate = 0;
    int m_PeakRate = 0;
    std::array<std::string, 6> m_RateList;
    std::unique_ptr<TUsbMouse> m_Mouse;
    std::unique_ptr<TKytMouseRateThread> m_Sampler;
    bool m_Measuring = false;
    TPicture m_Pad, m_PadLit;   // the theme's test pad, and lit while the pointer is over it
    RateStatsRecord m_Stats{};  // the statistics on screen
    int32_t m_LoggedVerdict = 0;
    int m_StatsTicks = 0;
    std::thread m_ApplyWorker;  // joinable while an apply runs
    std::atomic<bool> m_ApplyDone{false};
    TApplyResult m_ApplyResult = TApplyResult::Applied;  // the worker's; read once it is done
    TCycleResult m_CycleResult = TCycleResult::Cycled;
    bool m_CycleFailed = false;  // the card says so until the next verdict
    std::function<void()> m_JobFinished;
    std::array<double, TIntervalPlot::kMaxBars> m_PlotIntervals{};
};
