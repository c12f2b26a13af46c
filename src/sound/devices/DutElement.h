#pragma once

// One element of a device-under-test chain: a causal system on one channel of samples in
// 16-bit counts, called once per frame in time order.
class IDutElement {
public:
    virtual ~IDutElement() = default;
    virtual double Process(double v) = 0;
};
