#pragma once

#include "sound/qt/CScopeDlg.h"

class COscilloPanel;
class ISoundCard;

// The oscilloscope's control panel "オシロスコープ": the storage-scope controls over
// COscilloPanel plus "SING" (single shot) and "OvrSamp" (fourfold interpolation).
class COscilloDlg : public CScopeDlg {
    Q_OBJECT
public:
    // The document's oscilloscope set-up must have succeeded; `card` must outlive the dialog.
    COscilloDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent = nullptr);

    COscilloPanel& Panel();
    void Refresh() override;

private:
    QPushButton* m_single;
    QCheckBox* m_over;
};
