#include "dsp/FftPlanCache.h"

#include "dsp/FftTables.h"

const FftPlanCache::Plan& FftPlanCache::For(int log2n) {
    auto& plan = m_plans[static_cast<std::size_t>(log2n)];
    if (!plan) {
        const int n = 1 << log2n;
        auto built = std::make_unique<Plan>();
        built->sinHalf.resize(static_cast<std::size_t>(n / 2));
        built->cosHalf.resize(static_cast<std::size_t>(n / 2));
        MakeFftTables(n, built->sinHalf.data(), built->cosHalf.data());
        built->passes.Init(log2n, built->cosHalf.data(), built->sinHalf.data());

        plan = std::move(built);
    }
    return *plan;
}
