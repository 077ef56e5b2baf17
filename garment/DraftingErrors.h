#pragma once
// Errors of the catalogue drafting: a coordinate or measurement that leaves
// its range, and an arithmetic result that is not a number (a division by
// zero in a piece's shape). Both reach the user as a message.
#include "core/Errors.h"

namespace lc {

class OverflowError : public Error {
public:
    using Error::Error;
};

class FloatError : public Error {
public:
    using Error::Error;
};

} // namespace lc
