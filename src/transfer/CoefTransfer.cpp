#include "transfer/CoefTransfer.h"

#include "document/DocumentUi.h"
#include "filters/CoefFile.h"
#include "transfer/CoefLines.h"
#include "transfer/SerialLine.h"
#include "transfer/TransferMessages.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Printf(const char* format, int value) {
    char text[256];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Printf(const char* format, int a, int b) {
    char text[256];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Printf(const char* format, double value) {
    char text[256];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The wait cursor while a handler talks to the board.
struct WaitCursor {
    explicit WaitCursor(IDocumentUi& u) : ui(u) { ui.SetWaitCursor(true); }
    ~WaitCursor() { ui.SetWaitCursor(false); }
    IDocumentUi& ui;
};

// Closes the line when the handler returns.
struct OpenLine {
    ISerialLine& line;
    ~OpenLine() { line.Close(); }
};

} // namespace

std::string DefaultSerialDevice(int index) {
    return "/dev/ttyS" + std::to_string(index);
}

CCoefTransfer::CCoefTransfer(IDocumentUi& ui, const TransferSettings& settings)
    : m_ui(ui), m_settings(settings), m_status(xfermsg::kWelcome) {
    SetPort(settings.comPort);
    SetBaudIndex(settings.baudIndex);
    SetFormat(settings.coefFormat);
}

void CCoefTransfer::SetPort(int index, const std::string& device) {
    m_settings.comPort = std::clamp(index, 0, transferlimits::kPorts - 1);
    m_portName = "COM" + std::to_string(m_settings.comPort + 1);
    m_device = device.empty() ? DefaultSerialDevice(m_settings.comPort) : device;
    if (!device.empty()) m_portName = device;
}

void CCoefTransfer::SetBaudIndex(int index) {
    m_settings.baudIndex = std::clamp(index, 0, transferlimits::kBaudRates - 1);
}

void CCoefTransfer::SetFormat(int format) {
    m_settings.coefFormat = std::clamp(format, 0, coefformat::Count - 1);
}

std::string CCoefTransfer::BaudText() const {
    return std::to_string(BaudRateOfIndex(m_settings.baudIndex));
}

void CCoefTransfer::ShowCount(int readerCount) {
    if (m_bFirFile) {
        const int n = Count();
        m_status =
            Printf(n > transferlimits::kMaxFirTaps ? xfermsg::kFirTapsOver : xfermsg::kFirTaps, n);
    } else if (Count() > transferlimits::kMaxIirValues) {
        m_status = Printf(xfermsg::kIirSectionsOver, readerCount);
    } else {
        m_status = Printf(xfermsg::kIirSections, readerCount, Count());
    }
}

void CCoefTransfer::Preload(bool fir, const std::vector<double>& values) {
    m_bFirFile = fir;
    m_values = values;
    m_bFileLoaded = true;
    ShowCount(fir ? Count() : Count() / 3);
}

int CCoefTransfer::LoadFile(const std::string& path) {
    CoefFileHeader header;
    std::vector<double> values;
    if (!CoefFile(m_ui).ReadFirFile(path, header, values) || header.sectionType < 0) {
        m_status = xfermsg::kReadError;
        m_bFileLoaded = false;
        return 0;
    }
    m_bFirFile = header.sectionType == 1;
    // IIR: every section read goes out with its six values, also when the file's order is odd.
    m_values = std::move(values);
    m_bFileLoaded = true;
    ShowCount(m_bFirFile ? Count() : Count() / 3);
    return 1;
}

std::vector<std::string> CCoefTransfer::Lines() const {
    const double s = CoefScale(m_bFirFile, m_settings.coefFormat, m_values);
    std::vector<std::string> lines;
    for (double v : m_values) lines.push_back(CoefLine(m_settings.coefFormat, v, s));
    return lines;
}

std::string CCoefTransfer::Format(const char* text, int count, const std::string& last) const {
    // Texts without the last echo's %s ignore the surplus argument.
    char out[512];
    std::snprintf(out, sizeof out, text, m_portName.c_str(), BaudText().c_str(), count,
                  last.c_str());
    return out;
}

int CCoefTransfer::OnTx(ISerialLine& line) {
    if (!m_bFileLoaded) {
        m_ui.ShowMessage(xfermsg::kNoFile);
        return 0;
    }
    const WaitCursor cursor(m_ui);
    if (!line.Open(m_device, BaudRateOfIndex(m_settings.baudIndex))) {
        m_ui.ShowMessage(xfermsg::kCannotOpen);
        return 0;
    }
    OpenLine open{line};
    const int format = m_settings.coefFormat;
    if (format != coefformat::Float) {
        const double m = CoefPeak(m_values);
        if (m > 1.0 && m_bFirFile) m_ui.ShowMessage(Printf(xfermsg::kFirNormalised, m));
        if (m > 1.0 && !m_bFirFile && (format == coefformat::Q15 || format == coefformat::Q31))
            m_ui.ShowMessage(Printf(xfermsg::kIirTooLarge, m));
    }
    const std::vector<std::string> lines = Lines();
    std::string echo;
    int confirmed = 0;
    for (const std::string& text : lines) {
        for (std::size_t i = 0; i < text.size() && i < transferlimits::kLineBytes; ++i) {
            if (!line.WriteByte(static_cast<std::uint8_t>(text[i]))) {
                m_ui.ShowMessage(xfermsg::kCannotSend);
                return 0;
            }
            if (text[i] == '\n') break;
        }
        if (m_bEchoCheck) {
            echo.clear();
            for (int n = 0; n < transferlimits::kLineBytes; ++n) {
                std::uint8_t b = 0;
                const ISerialLine::Read r = line.ReadByte(b);
                if (r == ISerialLine::Read::Error) {
                    m_ui.ShowMessage(xfermsg::kCannotReceive);
                    return 0;
                }
                if (r == ISerialLine::Read::Timeout) {
                    m_status = Format(xfermsg::kTimeoutStatus, confirmed);
                    m_ui.ShowMessage(xfermsg::kLineFault);
                    return 0;
                }
                echo.push_back(static_cast<char>(b));
                if (b == '\n') break;
            }
            if (echo != text) break;
        }
        ++confirmed;
    }
    if (confirmed == Count()) {
        m_status = m_bEchoCheck ? Format(xfermsg::kCompleteStatus, Count(), echo)
                                : Format(xfermsg::kMaybeStatus, Count());
        m_bSent = true;
        return 1;
    }
    m_status = Format(xfermsg::kFailureStatus, confirmed);
    return 0;
}

int CCoefTransfer::OnRun(ISerialLine& line) {
    if (!m_bSent) {
        m_ui.ShowMessage(xfermsg::kNotSent);
        return 0;
    }
    m_bSent = false;
    const WaitCursor cursor(m_ui);
    if (!line.Open(m_device, BaudRateOfIndex(m_settings.baudIndex))) {
        m_ui.ShowMessage(xfermsg::kRunOpen);
        return 0;
    }
    OpenLine open{line};
    if (!line.WriteByte('\r')) {
        m_ui.ShowMessage(xfermsg::kRunWrite);
        return 0;
    }
    if (m_bEchoCheck) {
        for (int n = 0; n < transferlimits::kLineBytes; ++n) {
            std::uint8_t b = 0;
            const ISerialLine::Read r = line.ReadByte(b);
            if (r == ISerialLine::Read::Error) {
                m_ui.ShowMessage(xfermsg::kRunRead);
                return 0;
            }
            if (r == ISerialLine::Read::Timeout) {
                char text[256];
                std::snprintf(text, sizeof text, xfermsg::kRunTimeoutStatus, m_portName.c_str());
                m_status = text;
                m_ui.ShowMessage(xfermsg::kLineFault);
                return 0;
            }
            if (b == '\r') break;
        }
    }
    m_status = xfermsg::kRunStatus;
    return 1;
}
