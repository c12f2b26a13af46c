#pragma once

#include "sound/engine/WaveTypes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

// Eight headers with their buffers, set up and prepared on one device.
struct HeaderSet {
    static constexpr int kBuffers = 8;

    std::array<std::vector<std::uint8_t>, kBuffers> data;
    std::array<WaveHeader, kBuffers> hdr;

    explicit HeaderSet(std::uint32_t bytes) {
        for (int i = 0; i < kBuffers; ++i) {
            data[i].assign(bytes, 0);
            hdr[i].SetUp(data[i].data(), bytes, static_cast<std::uintptr_t>(i));
        }
    }
    template <class Device> void Prepare(Device& device) {
        for (auto& h : hdr) ASSERT_EQ(device.Prepare(h), mmres::NoError);
    }
    bool AllReturned() const {
        for (const auto& h : hdr) {
            const std::uint32_t flags = h.dwFlags.load();
            if ((flags & whdr::InQueue) || !(flags & whdr::Done)) return false;
        }
        return true;
    }
};
