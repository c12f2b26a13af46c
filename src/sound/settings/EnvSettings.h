#pragma once

class CKymoDoc;

// The values of the environment dialog "環境設定": 0 high (large), 1 medium, 2 low (small) for
// the five groups, and the two switches.
struct EnvSettings {
    int bufferSize = 1;
    int processPriority = 1;
    int threadPriority = 1;
    int drawSpeed = 1;
    int smoothing = 2;
    int usbCardFix = 0;
    int invertWhileMeasuring = 1;

    // The document's current values.
    static EnvSettings FromDocument(const CKymoDoc& doc);
    // "ﾃﾞﾌｫﾙﾄに戻す": buffer, priorities and drawing speed medium, smoothing low, the USB fix
    // off, inverted display on.
    void RestoreDefaults();
};

// The environment dialog closed: with OK (`accepted` given) its values go into the document;
// after OK and after Cancel alike m_nFilterFftSize and m_nFilterFftExp follow m_nBufferSize.
void CloseEnvSettings(CKymoDoc& doc, const EnvSettings* accepted);
// m_nFilterFftSize / m_nFilterFftExp from m_nBufferSize: small 512 (9), medium 1024 (10),
// large 2048 (11).
void DeriveFilterFftSize(CKymoDoc& doc);
