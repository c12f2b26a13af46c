#include "transfer/serial/CQSerialLine.h"

#include <QSerialPort>

namespace {

constexpr int kWriteTimeoutMs = 2000;
constexpr int kReadTimeoutMs = 500;

} // namespace

CQSerialLine::CQSerialLine() = default;

CQSerialLine::~CQSerialLine() {
    Close();
}

bool CQSerialLine::Open(const std::string& device, int baud) {
    Close();
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(QString::fromStdString(device));
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_error = m_port->errorString().toStdString();
        m_port.reset();
        return false;
    }
    const bool set = m_port->setBaudRate(baud) && m_port->setDataBits(QSerialPort::Data8) &&
                     m_port->setParity(QSerialPort::NoParity) &&
                     m_port->setStopBits(QSerialPort::OneStop) &&
                     m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        m_error = m_port->errorString().toStdString();
        Close();
        return false;
    }
    // Modem lines a pseudo-terminal does not have: their failure does not matter.
    m_port->setDataTerminalReady(false);
    m_port->setRequestToSend(false);
    m_port->clearError();
    m_port->clear();
    return true;
}

bool CQSerialLine::WriteByte(std::uint8_t byte) {
    if (!m_port) return false;
    const char c = static_cast<char>(byte);
    if (m_port->write(&c, 1) != 1) return false;
    while (m_port->bytesToWrite() > 0)
        if (!m_port->waitForBytesWritten(kWriteTimeoutMs)) return false;
    return true;
}

ISerialLine::Read CQSerialLine::ReadByte(std::uint8_t& byte) {
    if (!m_port) return Read::Error;
    if (m_port->bytesAvailable() == 0 && !m_port->waitForReadyRead(kReadTimeoutMs)) {
        if (m_port->error() == QSerialPort::TimeoutError) {
            m_port->clearError();
            return Read::Timeout;
        }
        m_error = m_port->errorString().toStdString();
        return Read::Error;
    }
    char c = 0;
    if (m_port->read(&c, 1) != 1) return Read::Error;
    byte = static_cast<std::uint8_t>(c);
    return Read::Byte;
}

void CQSerialLine::Close() {
    if (m_port) m_port->close();
    m_port.reset();
}
