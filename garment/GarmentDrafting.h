#pragma once
// The three piece builders of the catalogue. Each draws one piece into the
// outline from three codes and the body measurements, in whole millimetres
// with its lowest edge on y = 0: backs and fronts centred on x = 0, sleeves,
// collars and trims on x = 99. Errors (OverflowError, FloatError) leave the
// lines drawn so far in the outline.
#include <cstdint>

#include "garment/BodySize.h"
#include "garment/GarmentOutline.h"

namespace lc {

void BuildBodyPiece(GarmentOutline& target, const BodySize& size, uint8_t style, uint8_t armhole, uint8_t neckline);
void BuildSleevePiece(GarmentOutline& target, const BodySize& size, uint8_t c1, uint8_t c2, uint8_t c3);
void BuildCollarPiece(GarmentOutline& target, const BodySize& size, uint8_t k1, uint8_t k2, uint8_t k3);

} // namespace lc
