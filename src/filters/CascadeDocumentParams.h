#pragma once

#include "filters/CascadeIirDesign.h"

class CKymoDoc;

// The cascade design fields of the document as design parameters, and back. The tool-local
// values (rate choice, reference R and C) are left at their defaults / not stored.
CascadeParams CascadeParamsFromDocument(const CKymoDoc& doc);
void StoreCascadeParams(const CascadeParams& p, CKymoDoc& doc);
