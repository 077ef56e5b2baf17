#pragma once
// Makes a technique from its place in the machine's list: the record of `id`
// in the class that computes what the record leaves open, reading `context`.
#include <memory>

#include "knitting/Technique.h"

namespace lc {

std::unique_ptr<Technique> MakeTechnique(const TechniqueContext& context, TechniqueId id);

} // namespace lc
