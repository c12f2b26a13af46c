#pragma once

#include <cstdint>
#include <string>

// A serial port as the coefficient transfer uses it: 8 data bits, no parity, one stop bit, no
// flow control; single bytes written (given up after 2 s) and read (given up after 500 ms).
class ISerialLine {
public:
    enum class Read { Byte, Timeout, Error };

    virtual ~ISerialLine() = default;
    // Opens `device` at `baud`. False when it cannot be opened or set up.
    virtual bool Open(const std::string& device, int baud) = 0;
    // Writes one byte. False when it was not written.
    virtual bool WriteByte(std::uint8_t byte) = 0;
    // Reads one byte: Byte with `byte` set, Timeout when none came in time, Error on a failure.
    virtual Read ReadByte(std::uint8_t& byte) = 0;
    virtual void Close() = 0;
};
