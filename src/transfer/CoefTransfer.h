#pragma once

#include "transfer/TransferSettings.h"

#include <string>
#include <vector>

class IDocumentUi;
class ISerialLine;

// The coefficient transfer to the dsPIC30F2012 board without its widgets: the values of an FIR
// or IIR coefficient file (or preloaded by a real-time tool), "Tx" that sends them as text lines
// in the chosen number format and compares the board's echo of every line, "Run" that sends the
// start command (CR), and the status text. Each button opens the line itself and closes it
// before it returns; messages go through the IDocumentUi.
class CCoefTransfer {
public:
    CCoefTransfer(IDocumentUi& ui, const TransferSettings& settings);

    // The port: its name in the status texts ("COM2") and the device opened.
    void SetPort(int index, const std::string& device = {});
    void SetBaudIndex(int index);
    void SetFormat(int format);
    void SetEchoCheck(bool on) { m_bEchoCheck = on; }

    // A real-time tool's coefficients: FIR taps, or six values a0, a1, a2, b0, b1, b2 per
    // section. The status shows them as a loaded file would.
    void Preload(bool fir, const std::vector<double>& values);
    // "Load": reads a coefficient file. 1 read; 0 with the status "File Read Error!!!".
    int LoadFile(const std::string& path);

    // "Tx": 1 when every value was sent (and echoed, with the echo check).
    int OnTx(ISerialLine& line);
    // "Run": 1 when the start command went out.
    int OnRun(ISerialLine& line);

    const std::string& Status() const { return m_status; }
    const std::string& PortName() const { return m_portName; }
    std::string BaudText() const;
    int Count() const { return static_cast<int>(m_values.size()); }
    bool IsFir() const { return m_bFirFile; }
    bool Loaded() const { return m_bFileLoaded; }
    bool Sent() const { return m_bSent; }
    const TransferSettings& Settings() const { return m_settings; }
    // The lines "Tx" sends for the values loaded now (without showing anything).
    std::vector<std::string> Lines() const;

private:
    void ShowCount(int readerCount);
    std::string Format(const char* text, int count, const std::string& last = {}) const;

    IDocumentUi& m_ui;
    TransferSettings m_settings;
    std::string m_portName;
    std::string m_device;
    bool m_bEchoCheck = true;
    bool m_bFirFile = true;
    std::vector<double> m_values;
    bool m_bFileLoaded = false;
    bool m_bSent = false;
    std::string m_status;
};

// The device of port index i when none was named: "/dev/ttyS<i>".
std::string DefaultSerialDevice(int index);
