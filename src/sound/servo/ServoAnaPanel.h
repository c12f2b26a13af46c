#pragma once

#include "sound/servo/ServoDuplex.h"
#include "sound/spectrum/SpecAnaPanel.h"

#include <cstdint>
#include <optional>
#include <string>

// The servo analyzer's control panel "ｻｰﾎﾞｱﾅﾗｲｻﾞｰ" without its widgets: the spectrum analyzer's
// panel with the excitation combo. Its engine plays the excitation and aligns each block to it;
// the document computes H = X2 / X1 (request code 5). Opened after
// CKymoDoc::BeginServoAnalyzer; after Close the owner calls CKymoDoc::FinishServoAnalyzer.
class CServoAnaPanel : public CSpecAnaPanel {
public:
    CServoAnaPanel(CKymoDoc& doc, ISoundCard& card);

    // "ON": builds the excitation (random ones seeded from the clock) and starts.
    bool OnStart() override;
    // Combo 1398: stores the choice; a running engine is stopped and started again with it (a
    // new device session: nothing recorded with the old excitation is analysed).
    void OnExcitation(int excitation);
    int Excitation() const;
    static const char* ExcitationText(int excitation);
    // Tests fix the random excitations' seed.
    void SetSeed(std::uint32_t seed) { m_seed = seed; }
    CServoDuplex& ServoEngine() { return m_servo; }

protected:
    int EngineLength() const override;

private:
    CServoAnaPanel(CKymoDoc& doc, std::unique_ptr<CServoDuplex> engine);
    CServoDuplex& m_servo;
    std::optional<std::uint32_t> m_seed;
};
