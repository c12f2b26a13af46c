#pragma once

#include <QDialog>
#include <QImage>

// "FIRﾌｨﾙﾀｰの特徴": a picture comparing the windows' characteristics and a short note.
class CFirHelpDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFirHelpDlg(QWidget* parent = nullptr);
    // The picture: magnitude responses of one low-pass design with each window.
    static QImage WindowComparison(int width, int height);
};
