#pragma once

#include "transfer/SerialLine.h"

#include <memory>

class QSerialPort;

// The serial line of the coefficient transfer on QSerialPort: 8N1 without flow control, DTR and
// RTS off; a write waits up to 2 s for its byte to leave, a read up to 500 ms for a byte to come.
// Blocking calls that need no event loop, so the command line uses it as the desktop does.
class CQSerialLine : public ISerialLine {
public:
    CQSerialLine();
    ~CQSerialLine() override;

    bool Open(const std::string& device, int baud) override;
    bool WriteByte(std::uint8_t byte) override;
    Read ReadByte(std::uint8_t& byte) override;
    void Close() override;

    // The port's last error text (empty when none).
    std::string LastError() const { return m_error; }

private:
    std::unique_ptr<QSerialPort> m_port;
    std::string m_error;
};
