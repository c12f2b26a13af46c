#pragma once

#include <array>
#include <cstddef>

struct WaveHeader;

// The headers queued on one side of a stream, oldest first, in fixed storage so that the
// stream's callback never allocates. Not synchronised: the stream guards it.
class CHeaderRing {
public:
    static constexpr std::size_t kCapacity = 64;

    bool Empty() const { return m_count == 0; }
    bool Full() const { return m_count == kCapacity; }
    std::size_t Size() const { return m_count; }
    WaveHeader* Front() const { return m_items[m_first]; }
    // The caller checks Full() first.
    void Push(WaveHeader* header) {
        m_items[(m_first + m_count) % kCapacity] = header;
        ++m_count;
    }
    // The caller checks Empty() first.
    WaveHeader* Pop() {
        WaveHeader* header = m_items[m_first];
        m_first = (m_first + 1) % kCapacity;
        --m_count;
        return header;
    }

private:
    std::array<WaveHeader*, kCapacity> m_items{};
    std::size_t m_first = 0;
    std::size_t m_count = 0;
};
