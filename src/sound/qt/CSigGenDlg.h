#pragma once

#include "sound/generator/SigGenSettings.h"
#include "sound/qt/CScopeDlg.h"

class CSigGenPanel;
class ISoundCard;
class QSlider;
struct SigGenBox;

// The signal generator's control panel "信号発生器": the five sources "Sin(1)" .. "Sin(3)",
// "Rect" and "Rand" (on/off, channel button, sliders and the boxes of both setting pairs), the
// group "Ch/FS/Bit設定", "Wave保存" with its seconds, and the storage-scope display of the
// output (no "SING", no "OvrSamp") over CSigGenPanel. Typed values take effect when the box is
// left; putting the focus in a box stops the output. A refused value gets the focus back with
// its text selected.
class CSigGenDlg : public CScopeDlg {
    Q_OBJECT
public:
    // The document's generator set-up must have succeeded; `card` must outlive the dialog.
    CSigGenDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);

    CSigGenPanel& Panel();
    void Refresh() override;

    // The box of a source's frequency or level (pair 0 the first, 1 the second) and of the
    // record seconds.
    QLineEdit* FreqBox(int source, int pair) { return m_freq[source][pair]; }
    QLineEdit* LevelBox(int source, int pair) { return m_level[source][pair]; }
    QLineEdit* SecondsBox() { return m_seconds; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLayout* BuildSources();
    QLayout* BuildSettings();
    // Takes the typed value of every box into the panel.
    void TakeTypedValues();
    // After a refused action: the focus and a selection on the box the check pointed at.
    void FocusRefusedBox();
    QLineEdit* Box(const SigGenBox& box);
    QLineEdit* ValueBox(const char* name);

    QToolButton* m_gen[siggen::kSources];
    QToolButton* m_chansel[siggen::kSources];
    QSlider* m_freqSlider[siggen::kSources] = {};
    QSlider* m_levelSlider[siggen::kSources];
    QLineEdit* m_freq[siggen::kSources][2] = {};
    QLineEdit* m_level[siggen::kSources][2];
    QPushButton* m_mode;
    QPushButton* m_width;
    QLineEdit* m_seconds;
    bool m_bRefreshing = false;
};
