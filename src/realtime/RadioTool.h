#pragma once

#include "realtime/RadioEngine.h"
#include "realtime/RadioSettings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CKymoDoc;
class ISoundCard;

// The software radio without its widgets: the flags and mode list, the settings and panel
// values, "開始" (checks, both filter designs, then either the designed response or the sound),
// "Defoult", "保存" / "読出" of the settings file and "終了". The desktop dialog and the command
// line press these handlers.
class CRadioTool {
public:
    CRadioTool(CKymoDoc& doc, ISoundCard& card);
    ~CRadioTool();
    CRadioTool(const CRadioTool&) = delete;
    CRadioTool& operator=(const CRadioTool&) = delete;

    // "開始". False when the sound does not run (a failed check or design, or a response
    // display, which shows the designed response instead).
    bool OnStart();
    // "終了": stops ("DSP処理はしないのですね！" when nothing was running and `reportIdle`) and
    // settles the document. Later calls do nothing.
    void Close(bool reportIdle = true);

    // "変調" / "受信": the mode list is rebuilt and the index clamped; both off selects
    // "ｽﾙｰﾓｰﾄﾞ" and the line source and stops a running radio.
    void SetFlags(bool transmit, bool receive);
    void SetMode(int index);
    // "Defoult": the default settings of the current mode; a running radio restarts.
    void OnDefault();
    // Display list (radiodisplay::). False when refused ("開始してから選択して下さい！").
    bool SetDisplay(int display);
    void SetRateIndex(int index);
    // Any settings (the fields the file holds), taking effect at the next start.
    void SetSettings(const RadioSettings& s) { m_s = s; }
    // The panel values: the source, the generator, the output gain and the IQ phase take effect
    // at once in a running radio, the display at the next start (SetDisplay() at once).
    void SetPanel(const RadioPanel& p);
    // The IQ balance spins: amplitude step (IQ_BalSpin) and phase step, each -20 ... 20, at once.
    void SetIqBalance(int amplitude, int phase);
    void Seed(std::uint32_t seed) { m_seed = seed; }

    // "保存" (running only) and "読出" (stops first) of the settings file. 1 done.
    int OnSave(const std::string& path);
    int OnLoad(const std::string& path);

    bool IsRunning() const { return m_engine->IsRunning(); }
    int Rate() const;
    int RateIndex() const { return m_nRateIndex; }
    const RadioSettings& Settings() const { return m_s; }
    const RadioPanel& Panel() const { return m_panel; }
    std::vector<std::string> ModeNames() const { return RadioModeNames(m_s.TrmFlg, m_s.RcvFlg); }
    CRadioEngine& Engine() { return *m_engine; }

private:
    void ShowResponse();
    bool StopSound();

    CKymoDoc& m_doc;
    std::unique_ptr<CRadioEngine> m_engine;
    RadioSettings m_s;
    RadioPanel m_panel;
    int m_nRateIndex = 1;
    std::uint32_t m_seed = 1;
    bool m_bClosed = false;
};
