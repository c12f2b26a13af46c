#pragma once

#include "filters/FirSettings.h"

class CKymoDoc;

// Document operations of the "ﾌｨﾙﾀｰ処理(&F)" commands. Each takes the values its dialog
// collected, checks them like the dialog (a failure is shown and nothing changes), stores the
// settings, designs and runs RunFileFilter. They return 1 when a filtered result was kept and
// 0 otherwise. Nothing happens unless CanRunFileFilter holds.

// Dialog values from the document: the second cut-off is 0 for low-pass and high-pass.
FirWindowSettings LoadFirWindowSettings(const CKymoDoc& doc);
// Stores shape, taps and first cut-off; the second only for band-pass and band-stop.
void StoreFirWindowSettings(CKymoDoc& doc, const FirWindowSettings& s);
KaiserSettings LoadKaiserSettings(const CKymoDoc& doc);
void StoreKaiserSettings(CKymoDoc& doc, const KaiserSettings& s);

// Window-method design (window code 0-4 = FIR kind code) for the wave's sampling frequency.
int OnFilterWindowFir(CKymoDoc& doc, int window, const FirWindowSettings& s);
// Kaiser design; the caller has had any design above kKaiserNoticeTaps confirmed.
int OnFilterKaiserFir(CKymoDoc& doc, KaiserSettings s);
// FIR taps from a coefficient file chosen in the open dialog.
int OnFilterFirCoefFile(CKymoDoc& doc);
// Cascade of sections from a coefficient file chosen in the open dialog.
int OnFilterIirCoefFile(CKymoDoc& doc);

// "*.csvｲﾝﾊﾟﾙｽ係数保存(&I)": the inverse transform of the current result, delayed by N/2, written
// as an FIR coefficient file "Inp_Resp". 1 when written.
int OnSaveImpulseCoef(CKymoDoc& doc);
