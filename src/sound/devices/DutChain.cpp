#include "sound/devices/DutChain.h"

#include "filters/BiquadDesign.h"
#include "sound/devices/DutDelay.h"
#include "sound/devices/DutFiles.h"
#include "sound/devices/DutFir.h"
#include "sound/devices/DutGain.h"
#include "sound/devices/DutNoise.h"
#include "sound/devices/DutPoly.h"
#include "sound/devices/DutSections.h"
#include "sound/devices/DutText.h"

namespace {

std::unique_ptr<IDutElement> Biquad(const DutElementDef& e, int rate) {
    float den[3], num[3];
    BiquadDesign(e.biquadType, rate, static_cast<float>(e.value), static_cast<float>(e.gainDb), den,
                 num);
    return std::make_unique<CDutSections>(
        std::vector<CDutSections::Section>{{den[0], den[1], den[2], num[0], num[1], num[2]}});
}

std::unique_ptr<IDutElement> Coef(const DutCoef& coef) {
    if (coef.fir) return std::make_unique<CDutFir>(coef.values);
    std::vector<CDutSections::Section> sections;
    for (std::size_t s = 0; s + 6 <= coef.values.size(); s += 6) {
        const double* v = coef.values.data() + s;
        sections.push_back({v[0], v[1], v[2], v[3], v[4], v[5]});
    }
    return std::make_unique<CDutSections>(std::move(sections));
}

} // namespace

bool CDutChain::Build(const std::vector<DutElementDef>& defs, int rate, const DutFiles& files,
                      std::string& error) {
    m_elements.clear();
    for (const auto& e : defs) {
        switch (e.kind) {
        case DutElementDef::Kind::Gain:
            m_elements.push_back(std::make_unique<CDutGain>(e.value));
            break;
        case DutElementDef::Kind::Delay:
            m_elements.push_back(std::make_unique<CDutDelay>(static_cast<std::size_t>(e.value)));
            break;
        case DutElementDef::Kind::Biquad:
            if (e.value > rate / 2.0) {
                error = DutItemError(e.item, "周波数が標本化周波数の半分を超えています");
                return false;
            }
            m_elements.push_back(Biquad(e, rate));
            break;
        case DutElementDef::Kind::Coef: {
            const auto it = files.coef.find(e.path);
            if (it == files.coef.end()) {
                error = DutItemError(e.item, "係数ファイルが読まれていません");
                return false;
            }
            m_elements.push_back(Coef(it->second));
            break;
        }
        case DutElementDef::Kind::Poly:
            m_elements.push_back(std::make_unique<CDutPoly>(e.poly));
            break;
        case DutElementDef::Kind::Noise:
            m_elements.push_back(std::make_unique<CDutNoise>(e.value, e.seed));
            break;
        }
    }
    return true;
}
