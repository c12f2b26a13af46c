#pragma once

#include <QWidget>

class CKymoDoc;

// The main view: draws the document's current data kind and handles the mouse.
class CKymoView : public QWidget {
    Q_OBJECT
public:
    explicit CKymoView(CKymoDoc& doc, QWidget* parent = nullptr);

    // Called by the document after every change (UpdateAllViews).
    void OnUpdate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CKymoDoc& m_doc;
};
