#include "tube/TubeData.h"

double TubeData::Current(int i, double ep) const {
    double v = 0.0;
    for (double c : curves[static_cast<std::size_t>(i)].coef) v = v * ep + c;
    return v;
}
