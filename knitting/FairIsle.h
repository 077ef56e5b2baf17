#pragma once
// Fair isle: two yarns a row, the carriage setting follows the row's colour count.
#include <string>

#include "knitting/SinglePassTechnique.h"

namespace lc {

class FairIsle : public SinglePassTechnique {
public:
    explicit FairIsle(const TechniqueContext& context);
    // "Z F" for a two-colour row, "Z O " otherwise; reports each change.
    std::string GetCarriageSetting(int pass) override;
    // The row's lowest and highest colours.
    void UpdateColors(int pass) override;

protected:
    std::string RowText(int row) const override;
};

} // namespace lc
