#include "filters/CascadeDocumentParams.h"

#include "document/CKymoDoc.h"

CascadeParams CascadeParamsFromDocument(const CKymoDoc& doc) {
    CascadeParams p;
    p.shape = doc.m_nFilterShape;
    p.kind = doc.m_nCascadeKind;
    p.order = doc.m_nIirOrder;
    p.cutLow = doc.m_fCutLow;
    p.cutHigh = doc.m_fCutHigh;
    p.ripple = doc.m_fRipple;
    p.stopLevel = doc.m_fStopLevel;
    return p;
}

void StoreCascadeParams(const CascadeParams& p, CKymoDoc& doc) {
    doc.m_nFilterShape = p.shape;
    doc.m_nCascadeKind = p.kind;
    doc.m_nIirOrder = p.order;
    doc.m_fCutLow = static_cast<float>(p.cutLow);
    doc.m_fCutHigh = static_cast<float>(p.cutHigh);
    doc.m_fRipple = static_cast<float>(p.ripple);
    doc.m_fStopLevel = static_cast<float>(p.stopLevel);
}
