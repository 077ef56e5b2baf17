#include "knitting/TechniqueFactory.h"

#include "knitting/FairIsle.h"
#include "knitting/FineLace.h"
#include "knitting/Intarsia.h"
#include "knitting/Jacquard.h"
#include "knitting/Lace.h"
#include "knitting/MultiColorSkipStitch.h"
#include "knitting/MultiColorTuckStitch.h"
#include "knitting/TerryWeave.h"
#include "knitting/ThreadLace.h"
#include "knitting/TuckStitch.h"
#include "knitting/Weaving.h"

namespace lc {

std::unique_ptr<Technique> MakeTechnique(const TechniqueContext& context, TechniqueId id) {
    switch (id) {
    case TechniqueId::FairIsle: return std::make_unique<FairIsle>(context);
    case TechniqueId::ThreadLace: return std::make_unique<ThreadLace>(context);
    case TechniqueId::TuckStitch:
    case TechniqueId::DoubleTuckStitch: return std::make_unique<TuckStitch>(context, id);
    case TechniqueId::MultiColorTuckStitch: return std::make_unique<MultiColorTuckStitch>(context);
    case TechniqueId::SkipStitch: return std::make_unique<TuckOrSkipStitch>(context, id);
    case TechniqueId::MultiColorSkipStitch: return std::make_unique<MultiColorSkipStitch>(context);
    case TechniqueId::Weaving: return std::make_unique<Weaving>(context);
    case TechniqueId::Lace: return std::make_unique<Lace>(context);
    case TechniqueId::FineLace: return std::make_unique<FineLace>(context);
    case TechniqueId::Jacquard2C:
    case TechniqueId::Jacquard3C:
    case TechniqueId::Jacquard4C: return std::make_unique<Jacquard>(context, id);
    case TechniqueId::PinTuckStitch:
    case TechniqueId::LaceEffect: return std::make_unique<SinglePassTechnique>(context, id);
    case TechniqueId::TerryWeave: return std::make_unique<TerryWeave>(context);
    case TechniqueId::Intarsia: return std::make_unique<Intarsia>(context);
    }
    return nullptr;
}

} // namespace lc
