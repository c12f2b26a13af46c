#pragma once

#include "view/DocumentView.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

#include <string>

class CKymoDoc;
class QPrinter;

// The main view: draws the document's current data kind and handles the mouse (resize drag,
// cut cursor, read-out cursor), the presentation commands and printing. The drawing itself is
// DrawDocumentView; the view keeps the finished picture and draws the cursors over it.
//
// The constructor registers OnUpdate as the document's update listener (and the destructor
// removes it); a frame that installs a listener of its own must call OnUpdate from it.
//
// Mouse handlers take scroll-view coordinates (pixels, y downward, scroll offset included), as
// the window messages deliver them; tests call them directly.
class CKymoView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CKymoView(CKymoDoc& doc, QWidget* parent = nullptr);
    ~CKymoView() override;

    // The view of `doc`, if one exists (for the presentation command handlers).
    static CKymoView* ViewOf(const CKymoDoc& doc);

    // Called by the document after every change (UpdateAllViews): redraw without erasing.
    void OnUpdate();

    void OnLButtonDown(QPoint p);
    void OnMouseMove(QPoint p, bool leftHeld, bool rightHeld);
    void OnLButtonUp(QPoint p);
    void OnRButtonDown(QPoint p);
    void OnRButtonUp(QPoint p, bool ctrlHeld);
    void OnRButtonDblClk(QPoint p);

    // Presentation commands.
    void OnRealImage();
    void OnMagPhase();
    void OnLogMag(); // runs the scaling dialogs
    void OnUnsupportedPresentation();

    // Printing: draws the current kind on a page (0.01 inch per unit).
    void PrintDocument(QPrinter& printer);
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

    ViewState& State() { return m_state; }
    int CursorX() const { return m_nCursorX; }
    bool LeftDrag() const { return m_bLeftDrag; }
    bool RightDrag() const { return m_bRightDrag; }
    // The picture as the screen shows it now (document drawing and cursors).
    QImage Grab();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QPoint ScrollOffset() const;
    void RenderPicture();
    void DrawOverlays(QPainter& painter);
    void CutAt(int x);
    void ShowWarning(const DrawResult& result);
    QPrinter& Printer();

    CKymoDoc& m_doc;
    ViewState m_state;
    QImage m_picture;
    bool m_bPictureValid = false;
    std::string m_lastWarning; // warning already shown since the last document change

    int m_nCursorX = 0;
    bool m_bLeftDrag = false;
    bool m_bRightDrag = false;
    int m_savedRect[4] = {0, 0, 0, 0};
    QPoint m_bandStart, m_bandEnd;
    QPoint m_rightPos;
    QPrinter* m_pPrinter = nullptr;
};
