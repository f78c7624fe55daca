#include "mouse/Frmmousepolling.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/Kytmodelconfig.h"
#include "config/Kytspec.h"
#include "locale/Resstring.h"
#include "locale/Themectrl.h"
#include "platform/Platform.h"
#include "sys/Mainevent.h"
#include "sys/Debugconsole.h"
#include "ui/Fmmsgbox.h"
#include "ui/Fmstatusbox.h"
#include "ui/Skin.h"
#include "ui/toolkit/Application.h"

const std::array<const char*, 15> TMousePollingFrame::kBrandedLine = {
    "Trivexal",     "Vanta",        "QX-570 STEEL", "QX-570 PRO",   "QX-670 STEEL",
    "QX-670 ACE",   "QX-770 STEEL", "QX-770 HERO",  "ZX-690 FORGE", "ZX-690 APEX",
    "ZX-790 FORGE", "ZX-790 APEX",  "BX-460 STORM", "BX-560 STORM", "HX-890 TITAN"};

namespace {
// Track bar positions 0..5 and the intervals Apply writes for them.
constexpr int kIntervals[] = {32, 16, 8, 4, 2, 1};

void Log(const std::string& name, const std::string& value, uint16_t colour) {
    GetDebugConsole(false).WriteTagged(name, value, colour);
}
void Pause(uint32_t ms) { GetPlatform().Clock->Sleep(ms); }
}  // namespace

TMousePollingFrame::TMousePollingFrame(TContainer* owner) : TBaseFrame(owner) {
    const std::string model = GetSpec().ModelName();
    for (const char* text : kBrandedLine) {
        if (model.find(text) != std::string::npos) m_Branded = true;
    }
    Image1.SetSize(1000, 369);
    Image1.SetAlign(TAlign::Bottom);
    Image1.Picture.LoadFromResource("POLLINGPAGE");
    Image2.SetBounds(22, 9, 634, 360);
    struct TLabelDesign {
        TImgBtn* Label;
        int X, Y;
        const char* Caption;
    };
    const TLabelDesign labels[] = {
        {&lblPollingRateCaption, 663, 14, "Polling Rate"}, {&lblPollingRateValue, 744, 14, "Default"},
        {&lblCurrentRateCaption, 663, 67, "Current Rate"}, {&lblCurrentRateValue, 744, 67, "0 HZ"},
        {&lblPeakRateCaption, 663, 96, "Peak Rate"},       {&lblPeakRateValue, 744, 96, "0 HZ"}};
    for (const TLabelDesign& design : labels) {
        design.Label->SetPosition(design.X, design.Y);
        StyleLabel(*design.Label, "Neo Sans", 11, 0x393939);
        design.Label->SetAutoSize(true);
        design.Label->SetCaption(design.Caption);
    }
    // A caption longer than the design's (French: "Taux d'interrogation") pushes the values
    // right, all three in one column, instead of running under them.
    for (TImgBtn* caption : {&lblPollingRateCaption, &lblCurrentRateCaption, &lblPeakRateCaption}) {
        caption->OnResize = [this](TImgBtn&) { LayOutRateValues(); };
    }
    lblPollingRateCaption.Name = "lblPollingRateCaption";
    lblPollingRateValue.Name = "lblPollingRateValue";
    lblCurrentRateCaption.Name = "lblCurrentRateCaption";
    lblPeakRateCaption.Name = "lblPeakRateCaption";
    // The statistics card below the rates: two figure lines, the verdict (it may take two
    // lines) and the plot.
    lblMedianInterval.SetPosition(663, 142);
    lblIntervalSpread.SetPosition(663, 162);
    for (TImgBtn* line : {&lblMedianInterval, &lblIntervalSpread}) {
        StyleLabel(*line, "Neo Sans", 11, 0x393939);
        line->SetAutoSize(true);
    }
    lblRateVerdict.SetBounds(663, 184, 313, 36);
    StyleLabel(lblRateVerdict, "Neo Sans", 11, 0x393939);
    lblMedianInterval.Name = "lblMedianInterval";
    lblIntervalSpread.Name = "lblIntervalSpread";
    lblRateVerdict.Name = "lblRateVerdict";
    IntervalPlot.SetBounds(663, 224, 313, 66);
    btnReplug.Name = "btnReplug";
    btnReplug.SetPosition(663, 238);
    StyleCommandButton(btnReplug, 119);
    btnReplug.SetCaption("Replug for me");
    btnReplug.SetVisible(false);
    btnReplug.OnClick = [this](TControl&) { btnReplugClick(); };
    PollingRateTrackBar.SetBounds(661, 33, 317, 24);
    PollingRateTrackBar.SetMax(5);
    PollingRateTrackBar.SetPosition(5);
    PollingRateTrackBar.OnChange = [this](TTrackBar&) { PollingRateTrackBarChange(); };
    FetchDataTimer.SetInterval(1000);
    FetchDataTimer.OnTimer = [this] { FetchDataTimerTimer(); };
    PollingRateTimer.SetInterval(50);
    PollingRateTimer.OnTimer = [this] { PollingRateTimerTimer(); };
    ApplyWatchTimer.SetInterval(50);
    ApplyWatchTimer.OnTimer = [this] { ApplyWatchTimerTimer(); };

    ApplyPanel.SetVisible(true);
    ApplyPanel.BringToFront();
    ApplyBtn.SetCaption(GetResString().GetString("STR_BASE_APPLY", "Apply"));
    CancelBtn.SetCaption(GetResString().GetString("STR_GLIDEPOST_DEFAULT", "Default"));
    ApplyBtn.OnClick = [this](TControl&) { btnApplyClick(); };
    CancelBtn.OnClick = [this](TControl&) { btnDefaultClick(); };

    const bool configured = LoadPortConfig();
    SetVisible(configured);
    SetEnabled(configured);
}

TMousePollingFrame::~TMousePollingFrame() {
    PollingRateTimer.SetEnabled(false);
    FetchDataTimer.SetEnabled(false);
    ApplyWatchTimer.SetEnabled(false);
    // An apply in progress is let finish: stopping it halfway could leave the mouse unbound.
    if (m_ApplyWorker.joinable()) m_ApplyWorker.join();
    m_Sampler.reset();
    m_Mouse.reset();
}

bool TMousePollingFrame::LoadPortConfig() {
    TKytModelConfig& config = GetModelConfig();
    m_PortNo = static_cast<uint32_t>(config.GetPortNo());
    m_HcdNo = static_cast<uint32_t>(config.GetHcdNo());
    m_HostController = config.GetHostController();
    if (m_PortNo == 0) return false;
    m_RateList = {"31 HZ", "62 HZ", "125 HZ", "250 HZ", "500 HZ", "1000 HZ"};
    Image2.SetVisible(false);
    PollingRateTrackBar.SetMin(2);
    PollingRateTrackBar.SetMax(static_cast<int>(m_RateList.size()) - 1);
    m_Mouse = std::make_unique<TUsbMouse>();
    FetchDataTimer.SetEnabled(false);
    m_Sampler.reset();
    return true;
}

void TMousePollingFrame::ActivatePage() {
    ShowStoredInterval();
    // Another program (Glidepost /RATE=) may have applied a rate meanwhile.
    if (m_Found) GetModelConfig().SetInterval(m_Interval);
    SetMeasuring(true);
}

void TMousePollingFrame::DeactivatePage() { SetMeasuring(false); }

void TMousePollingFrame::ApplyTheme(int themeId) {
    TBaseFrame::ApplyTheme(themeId);
    TThemeCtrl::CopyTrackBarPictures(splTrackBar, PollingRateTrackBar);
    // The pad's two pictures are decoded once a theme: the pointer's every entry and exit only
    // swaps them (decoding one is a burst of work just when the measurement starts).
    const std::string folder = GetThemeCtrl().GetThemeFolder(themeId);
    TThemeCtrl::LoadThemePicture(m_Pad, folder + "MouseTestPad.png");
    TThemeCtrl::LoadThemePicture(m_PadLit, folder + "MouseTestPad_2.png");
    // The pad shows the theme's picture before the pointer first comes over it.
    if (!m_Pad.Empty()) Image2.Picture.Assign(m_Pad);
    if (const TThemeItem* theme = GetThemeCtrl().FindTheme(themeId)) IntervalPlot.SetColors(theme->Accent, 0xA0A2A6);
}

void TMousePollingFrame::ApplyLanguage() {
    TResString& strings = GetResString();
    strings.ApplyToButton("STR_GLIDEPOST_POLLING_RATE", lblPollingRateCaption);
    strings.ApplyToButton("STR_GLIDEPOST_DEFAULT", lblPollingRateValue);
    strings.ApplyToButton("STR_GLIDEPOST_CURRENT_RATE", lblCurrentRateCaption);
    strings.ApplyToButton("STR_GLIDEPOST_PEAK_RATE", lblPeakRateCaption);
    // For their fonts; the texts are composed with the figures.
    strings.ApplyToButton("STR_GLIDEPOST_MEDIAN_INTERVAL", lblMedianInterval);
    strings.ApplyToButton("STR_GLIDEPOST_INTERVAL_SPREAD", lblIntervalSpread);
    strings.ApplyToButton("STR_GLIDEPOST_RATE_DIFFERS", lblRateVerdict);
    strings.ApplyToButton("STR_GLIDEPOST_REPLUG", btnReplug);
    ShowStatisticTexts(m_Stats);
    // The description says the same in the new language at once, not at the next detection pass.
    if (m_DescribedFound) Describe(*m_DescribedFound);
}

void TMousePollingFrame::SetMeasuring(bool on) {
    FetchDataTimer.SetEnabled(on);
    PollingRateTimer.SetEnabled(on);
    m_Measuring = on;
    if (on) {
        if (!m_Sampler) m_Sampler = std::make_unique<TKytMouseRateThread>(false);
        m_Sampler->SetAppliedRate(AppliedRate());
        if (!Image2.OnMouseMove) Image2.OnMouseMove = [this](TControl&, int, int) { Image2MouseMove(); };
        Pause(100);
        if (!Image2.OnMouseEnter) Image2.OnMouseEnter = [this](TControl&) { Image2MouseEnter(); };
        Pause(100);
        if (!Image2.OnMouseLeave) Image2.OnMouseLeave = [this](TControl&) { Image2MouseLeave(); };
        Pause(100);
    } else {
        Image2.OnMouseMove = nullptr;
        Pause(100);
        Image2.OnMouseEnter = nullptr;
        Pause(100);
        Image2.OnMouseLeave = nullptr;
        Pause(100);
        m_Sampler.reset();
    }
}

void TMousePollingFrame::FetchDataTimerTimer() {
    // A device change during an apply (the mouse's own restart) is looked at once it ended.
    if (ApplyRunning()) return;
    m_Measuring = false;
    DetectMouse();
    GetDebugConsole(false).WriteTagged("", "Timer..", kColorWhite);
    FetchDataTimer.SetEnabled(false);
}

bool TMousePollingFrame::LocateOnPort(TUsbMouse& mouse) {
    return mouse.LocateMouse(-1, m_HostController, static_cast<int32_t>(m_HcdNo), static_cast<int32_t>(m_PortNo));
}

void TMousePollingFrame::ReportApplyResult(TApplyResult result) {
    if (result != TApplyResult::RolledBack && result != TApplyResult::RebootNeeded) return;
    const bool rolledBack = result == TApplyResult::RolledBack;
    const std::string text =
        rolledBack ? GetResString().GetString("STR_GLIDEPOST_ROLLED_BACK",
                                              "The mouse did not come back after the new polling rate was applied, so "
                                              "Glidepost put it back as it was. Please replug the mouse and try again.")
                   : GetResString().GetString("STR_GLIDEPOST_REBOOT_NEEDED",
                                              "Windows has to restart the computer before the new polling rate takes "
                                              "effect. Until then the mouse keeps its current rate.");
    const std::string ok = GetResString().GetString("STR_BASE_OK", "OK");
    if (auto* box = GetApplication().FindForm<TMsgBoxForm>()) {
        box->Execute(rolledBack ? TMsgBoxForm::TKind::Warning : TMsgBoxForm::TKind::Information, text, ok);
    } else {
        GetPlatform().Windows->ShowMessageBox(
            "Glidepost", text, rolledBack ? IWindowSystem::TBoxIcon::Warning : IWindowSystem::TBoxIcon::Information,
            false);
    }
}

bool TMousePollingFrame::AtDesignatedPort(const TUsbMouse& mouse) const {
    return static_cast<uint32_t>(mouse.FirstHubLevel()) == m_HcdNo && mouse.MatchedPort() == m_PortNo;
}

void TMousePollingFrame::Describe(bool found) {
    static const char* const kKeys[] = {"DES_GLIDEPOST_MSG1", "DES_GLIDEPOST_MSG2", "DES_GLIDEPOST_MSG3",
                                        "DES_GLIDEPOST_MSG4"};
    static const char* const kTexts[] = {
        "You are installing the mouse into Trivexal Glidepost.\nAfter applying your mouse polling rate, move your "
        "mouse to feel it!",
        "You are installing the mouse into Gaming Glidepost.\nAfter applying your mouse polling rate, move your mouse "
        "to feel it!",
        "Your mouse isn't connected to the Trivexal Glidepost.\nIf you want to enjoy Trivexal Mouse Polling, please "
        "connect your mouse to the Trivexal glidepost.",
        "Your mouse isn't connected to the Gaming Glidepost.\nIf you want to enjoy Gaming Mouse Polling, please "
        "connect your mouse to the Gaming glidepost."};
    m_DescribedFound = found;
    const int which = (found ? 0 : 2) + (m_Branded ? 0 : 1);
    Description = GetResString().GetString(kKeys[which], kTexts[which]);
    if (found && m_FilterMissing) {
        Description = GetResString().GetString(
            "DES_GLIDEPOST_NOFILTER",
            "The filter driver that sets the polling rate is not installed, so the rate cannot be changed.\nPlease "
            "reinstall the filter driver package, then replug the mouse or restart Glidepost.");
    }
    if (IMainEvent* main = GetMainEvent()) main->SetDescription(Description);
}

void TMousePollingFrame::ShowPortControls(bool show) {
    for (TControl* control : std::initializer_list<TControl*>{
             &lblPollingRateCaption, &lblPollingRateValue, &PollingRateTrackBar, &ApplyBtn, &CancelBtn,
             &lblCurrentRateCaption, &lblCurrentRateValue, &lblPeakRateCaption, &lblPeakRateValue}) {
        control->SetVisible(show);
    }
    PollingRateTimer.SetEnabled(show);
    Image2.SetVisible(show);
}

void TMousePollingFrame::DetectMouse() {
    m_Found = LocateOnPort(*m_Mouse);
    Log("USB Mouse Found", m_Found ? "True" : "False", kColorYellow);
    Log("Stratification_L1", std::to_string(m_Mouse->FirstHubLevel()), kColorYellow);
    Log("Stratification_L2", std::to_string(m_Mouse->MatchedPort()), kColorYellow);

    if (m_Found && AtDesignatedPort(*m_Mouse)) {
        m_FilterMissing = !FilterDriverReady();
        Describe(true);
        Log("USB Mouse Found",
            "HCD = " + std::to_string(m_Mouse->FoundHostIndex()) + " Port = " + std::to_string(m_Mouse->CurrentPort()),
            kColorYellow);
        ShowPortControls(true);
        if (!m_PreviouslyFound) ShowStoredInterval();

        std::string hardwareId;
        m_Mouse->MatchVidPid("VID_E0FF&PID_0002", hardwareId);
        TKytModelConfig& config = GetModelConfig();
        const std::string stored = config.GetVidPid();
        m_PreviouslyFound = true;
        m_Mouse->ReleaseDeviceList();
        if (stored != hardwareId && !m_FilterMissing) {
            // Another mouse (or the first run): it gets the default interval. It is recorded
            // once that took; without the filter it stays new until the filter is there. The
            // rest of the pass waits for the apply: nothing here touches the devices meanwhile.
            Log("MouseChange", hardwareId, kColorYellow);
            StartApply(2, [this, hardwareId](TApplyResult result) {
                if (result == TApplyResult::Applied || result == TApplyResult::RebootNeeded) {
                    m_Interval = 2;
                    GetModelConfig().SetVidPid(hardwareId);
                    GetModelConfig().SetInterval(m_Interval);
                }
                ShowStoredInterval();
                StartMeasuringFoundMouse();
            });
            return;
        }
        StartMeasuringFoundMouse();
    } else {
        m_Found = false;
        Describe(false);
        ShowPortControls(false);
        m_PreviouslyFound = false;
        m_Mouse->ReleaseDeviceList();
    }
}

void TMousePollingFrame::StartMeasuringFoundMouse() {
    GetDebugConsole(false).WriteTagged("UsbMouseFound", m_FilterMissing ? "Filter Missing" : "Enable Button",
                                       kColorYellow);
    EnableApplyControls(!m_FilterMissing);
    if (m_Sampler) {
        m_Sampler->ClearResults();
        m_Sampler.reset();
        Pause(30);
        ShowStoredInterval();
    }
    m_Sampler = std::make_unique<TKytMouseRateThread>(true);
    m_Sampler->SetAppliedRate(AppliedRate());
    m_Sampler->ClearResults();
    m_Sampler->ResumeSampling();
}

void TMousePollingFrame::ShowStoredInterval() {
    if (!m_Found) return;
    uint32_t interval = static_cast<uint32_t>(m_Interval);
    if (m_Mouse && m_Mouse->ReadInterval(interval)) m_Interval = static_cast<int>(interval);
    Log("MouseRateInterval", std::to_string(m_Interval), kColorRed);
    const int last = static_cast<int>(m_RateList.size()) - 1;
    for (int i = 0; i < 6; ++i) {
        if (m_Interval == (1 << i)) {
            lblPollingRateValue.SetCaption(m_RateList[static_cast<size_t>(last - i)]);
            PollingRateTrackBar.SetPosition(last - i);
        }
    }
    ResetRateDisplay();
}

void TMousePollingFrame::ResetRateDisplay() {
    m_CurrentRate = 0;
    m_PeakRate = 0;
    lblCurrentRateValue.SetCaption("0 HZ");
    lblPeakRateValue.SetCaption("0 HZ");
    m_Stats = {};
    m_LoggedVerdict = 0;
    ShowStatisticTexts(m_Stats);
    IntervalPlot.Show(nullptr, 0, 0);
}

void TMousePollingFrame::PollingRateTrackBarChange() {
    const int position = PollingRateTrackBar.Position();
    if (position >= 0 && position < static_cast<int>(m_RateList.size())) {
        lblPollingRateValue.SetCaption(m_RateList[static_cast<size_t>(position)]);
    }
}

void TMousePollingFrame::EnableApplyControls(bool enable) {
    ApplyBtn.SetEnabled(enable);
    CancelBtn.SetEnabled(enable);
    PollingRateTrackBar.SetEnabled(enable);
}

void TMousePollingFrame::StartDeviceJob(const std::string& status, std::function<void()> job,
                                        std::function<void()> done) {
    m_ApplyDone = false;
    m_JobFinished = std::move(done);
    EnableApplyControls(false);
    btnReplug.SetEnabled(false);
    if (auto* box = GetApplication().FindForm<TStatusBoxForm>()) {
        // Closed when the job ends; its countdown only guards against a box left behind.
        box->Start(status, 30);
    }
    // A restart or a port cycle and the wait for the mouse take seconds: on a worker of their
    // own, the window keeps painting and the pad keeps measuring meanwhile.
    m_ApplyWorker = std::thread([this, job = std::move(job)] {
        job();
        m_ApplyDone.store(true, std::memory_order_release);
    });
    ApplyWatchTimer.SetEnabled(true);
}

void TMousePollingFrame::StartApply(uint32_t interval, std::function<void(TApplyResult)> done) {
    StartDeviceJob(
        GetResString().GetString("STR_GLIDEPOST_APPLYING", "Applying the polling rate..."),
        [this, port = Port(), interval] { m_ApplyResult = ApplyIntervalToMouse(port, interval); },
        [this, done = std::move(done)] {
            const TApplyResult result = m_ApplyResult;
            if (result == TApplyResult::RebootNeeded) m_RebootPending = true;
            done(result);
            ReportApplyResult(result);
        });
}

void TMousePollingFrame::ApplyWatchTimerTimer() {
    if (!m_ApplyDone.load(std::memory_order_acquire)) return;
    ApplyWatchTimer.SetEnabled(false);
    m_ApplyWorker.join();
    if (auto* box = GetApplication().FindForm<TStatusBoxForm>()) box->Close();
    EnableApplyControls(!m_FilterMissing);
    btnReplug.SetEnabled(true);
    if (auto done = std::move(m_JobFinished)) done();
}

void TMousePollingFrame::btnReplugClick() {
    if (ApplyRunning() || !m_Found) return;
    ResetRateDisplay();
    StartDeviceJob(GetResString().GetString("STR_GLIDEPOST_REPLUGGING", "Replugging the mouse..."),
                   [this, port = Port()] { m_CycleResult = CycleMousePort(port); },
                   [this] {
                       // The mouse is judged again on what it reports from now on; after a
                       // failed cycle it goes on as it was, and the card says so.
                       if (m_CycleResult == TCycleResult::Cycled) RestartSampler();
                       m_CycleFailed = m_CycleResult != TCycleResult::Cycled;
                       ShowStatisticTexts(m_Stats);
                   });
}

void TMousePollingFrame::RestartSampler(bool freshMeasurement) {
    m_Sampler.reset();
    m_Sampler = std::make_unique<TKytMouseRateThread>(true);
    m_Sampler->SetAppliedRate(AppliedRate());
    if (freshMeasurement) m_Sampler->RestartMeasurement();
}

void TMousePollingFrame::ApplyInterval(uint32_t interval, bool isDefault) {
    if (ApplyRunning()) return;
    ResetRateDisplay();
    FetchDataTimer.SetEnabled(false);
    StartApply(interval, [this, interval, isDefault](TApplyResult result) {
        if (result == TApplyResult::Applied || result == TApplyResult::RebootNeeded) {
            m_Interval = static_cast<int>(interval);
            if (isDefault) PollingRateTrackBar.SetPosition(4);
            GetModelConfig().SetInterval(m_Interval);
        }
        FetchDataTimer.SetEnabled(true);
        if (m_Sampler) RestartSampler(!isDefault);
        if (result == TApplyResult::RolledBack) ShowStoredInterval();
    });
}

void TMousePollingFrame::btnApplyClick() {
    const int position = PollingRateTrackBar.Position();
    const int interval = position >= 0 && position < 6 ? kIntervals[position] : m_Interval;
    ApplyInterval(static_cast<uint32_t>(interval), false);
}

void TMousePollingFrame::btnDefaultClick() { ApplyInterval(2, true); }

void TMousePollingFrame::PollingRateTimerTimer() {
    if (!m_Sampler || FetchDataTimer.Enabled() || m_Sampler->Unmapped() || !m_Measuring) return;
    RateRecord record{};
    if (!m_Sampler->TryReadRecord(record)) return;
    // The smoothed rate of the recent reports: the rate of the latest wake alone scatters on a
    // busy machine, and a reader that looks now and then sees its high values for longer (the
    // short gap after a late wake stands until the next wake), so it reads several percent high.
    m_CurrentRate = record.OutputRate;
    m_PeakRate = static_cast<int>(record.PeakRate);

    int selected = 1000;
    const std::string& caption = lblPollingRateValue.Caption();
    const size_t hz = caption.find(" HZ");
    if (hz != std::string::npos) {
        try {
            size_t used = 0;
            selected = std::stoi(caption.substr(0, hz), &used);
        } catch (...) {
            selected = 1000;
        }
    }
    const double cap = selected * 1.2;
    lblCurrentRateValue.SetCaption(
        (m_CurrentRate < cap ? std::to_string(m_CurrentRate) : std::to_string(static_cast<int>(cap))) + " HZ");
    if (m_Sampler->DisplayTicks > 14) {
        m_Sampler->DisplayTicks = 15;
        lblPeakRateValue.SetCaption(std::to_string(m_PeakRate) + " HZ");
    } else {
        ++m_Sampler->DisplayTicks;
    }
    ShowStatistics();
}

void TMousePollingFrame::LayOutRateValues() {
    constexpr int kDesignX = 744;
    constexpr int kGap = 8;
    int x = kDesignX;
    for (const TImgBtn* caption : {&lblPollingRateCaption, &lblCurrentRateCaption, &lblPeakRateCaption}) {
        x = std::max(x, caption->Left() + caption->Width() + kGap);
    }
    for (TImgBtn* value : {&lblPollingRateValue, &lblCurrentRateValue, &lblPeakRateValue}) {
        value->SetPosition(x, value->Top());
    }
}

uint32_t TMousePollingFrame::AppliedRate() const {
    // Until the reboot the mouse runs at a rate nobody stored: no verdict on it.
    return m_Found && !m_FilterMissing && !m_RebootPending && m_Interval > 0 ? static_cast<uint32_t>(1000 / m_Interval)
                                                                             : 0;
}

void TMousePollingFrame::ShowStatistics() {
    m_Sampler->SetAppliedRate(AppliedRate());
    RateStatsRecord stats{};
    const bool read = m_Sampler->ReadStats(stats) && stats.Version == kRateStatsVersion;
    // The figures change with every publication; twice a second is as often as they can be
    // read, and a verdict that changes shows at once.
    if (read && (++m_StatsTicks >= 10 || stats.Verdict != m_Stats.Verdict)) {
        m_StatsTicks = 0;
        ShowStatisticTexts(stats);
    }
    // The plot moves every other tick: ten pictures a second read as motion, and each costs a
    // repaint of its whole area (about 2 ms under Wine's GDI+).
    if (m_StatsTicks % 2 != 0) return;
    const size_t bars = m_Sampler->TryCopyRecentIntervals(m_PlotIntervals.data(), IntervalPlot.Bars());
    const double reference = stats.AppliedHz ? 1000.0 / stats.AppliedHz : stats.MedianMs;
    if (bars) IntervalPlot.Show(m_PlotIntervals.data(), bars, reference);
}

void TMousePollingFrame::ShowStatisticTexts(const RateStatsRecord& stats) {
    m_Stats = stats;
    TResString& strings = GetResString();
    const auto ms = [](double value) {
        char text[32];
        std::snprintf(text, sizeof(text), "%.3f", value);
        return std::string(text);
    };
    const bool figures = stats.MedianMs > 0;
    lblMedianInterval.SetCaption(strings.GetString("STR_GLIDEPOST_MEDIAN_INTERVAL", "Median interval") + "  " +
                                 (figures ? ms(stats.MedianMs) + " ms" : std::string("-")));
    lblIntervalSpread.SetCaption(strings.GetString("STR_GLIDEPOST_INTERVAL_SPREAD", "1st to 99th percentile") + "  " +
                                 (figures ? ms(stats.P1Ms) + " - " + ms(stats.P99Ms) + " ms" : std::string("-")));
    const auto fill = [&](std::string text) {
        const auto put = [&](const std::string& field, uint32_t value) {
            const size_t at = text.find(field);
            if (at != std::string::npos) text.replace(at, field.size(), std::to_string(value));
        };
        put("{applied}", stats.AppliedHz);
        put("{measured}", static_cast<uint32_t>(std::lround(stats.RateHz)));
        return text;
    };
    // The verdict waits while another program's window is in front: Windows may hold back
    // the input of a window in the background, and the user's hand is elsewhere anyway.
    const bool front = GetPlatform().Windows->ForegroundIsOurs();
    std::string verdict;
    if (m_CycleFailed) {
        verdict = strings.GetString("STR_GLIDEPOST_REPLUG_FAILED",
                                    "The port could not be power-cycled: please replug the mouse by hand");
    } else if (!front) {
        verdict = strings.GetString("STR_GLIDEPOST_CLICK_WINDOW", "Click the window, then move over the pad");
    } else if (stats.Verdict == static_cast<int32_t>(TRateVerdict::Confirmed)) {
        verdict = fill(strings.GetString("STR_GLIDEPOST_RATE_CONFIRMED", "{applied} Hz confirmed"));
    } else if (stats.Verdict == static_cast<int32_t>(TRateVerdict::Differs)) {
        verdict = fill(
            strings.GetString("STR_GLIDEPOST_RATE_DIFFERS",
                              "Measured {measured} Hz, not {applied} Hz: replug the mouse, then press Apply again"));
    } else if (stats.Verdict == static_cast<int32_t>(TRateVerdict::MoveFaster)) {
        verdict = strings.GetString("STR_GLIDEPOST_MOVE_FASTER", "Move the mouse faster over the pad");
    }
    lblRateVerdict.SetCaption(verdict);
    // A rate that did not take: the card offers the replug in the plot's place.
    const bool offerReplug = front && stats.Verdict == static_cast<int32_t>(TRateVerdict::Differs) && m_Found &&
                             !m_FilterMissing;
    btnReplug.SetVisible(offerReplug);
    IntervalPlot.SetVisible(!offerReplug);
    if (front && stats.Verdict != 0 && stats.Verdict != m_LoggedVerdict) {
        static const char* const kVerdicts[] = {"", "confirmed", "differs", "move faster"};
        m_LoggedVerdict = stats.Verdict;
        Log("RateVerdict", stats.Verdict >= 1 && stats.Verdict <= 3 ? kVerdicts[stats.Verdict] : "?",
            stats.Verdict == 1 ? kColorGreen : kColorRed);
    }
}

void TMousePollingFrame::ShowTestPad(bool lit) {
    // A missing pad picture leaves the pad as it is.
    const TPicture& picture = lit ? m_PadLit : m_Pad;
    if (!picture.Empty()) Image2.Picture.Assign(picture);
}

void TMousePollingFrame::Image2MouseEnter() {
    ShowTestPad(true);
    m_CycleFailed = false;  // the user measures again
    PollingRateTimer.SetEnabled(true);
    Pause(5);
    if (m_Sampler && m_Sampler->Suspended()) m_Sampler->ResumeSampling();
    Pause(5);
    m_Measuring = true;
}

void TMousePollingFrame::Image2MouseLeave() {
    ShowTestPad(false);
    PollingRateTimer.SetEnabled(false);
    Pause(5);
    if (m_Sampler && !m_Sampler->Suspended()) m_Sampler->SuspendSampling();
    Pause(5);
    m_Measuring = false;
}

void TMousePollingFrame::Image2MouseMove() {
    if (m_Sampler && m_Sampler->Suspended()) m_Sampler->ResumeSampling();
    m_Measuring = true;
    if (!PollingRateTimer.Enabled()) PollingRateTimer.SetEnabled(true);
}
