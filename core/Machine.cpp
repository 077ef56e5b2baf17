#include "core/Machine.h"

#include <bit>
#include <cstring>

#include "core/PatternRaster.h"
#include "core/Globals.h"

namespace lc {

std::vector<MachineRecord> MachineList;
MachineRecord CurrentMachine;

const std::vector<MachineRecord>& MachineModels() {
    static const std::vector<MachineRecord> models = {
        {"Silver Reed SK-860/SR-860", 101, 150, 0, 0, 0},
        {"Silver Reed SK-840/SRP-60N", 102, 200, 0, 0, 0},
        {"Silver Reed SK-830/FPR-70", 103, 250, 0, 0, 0},
    };
    return models;
}

const MachineRecord* FindMachineModel(int code) {
    for (const auto& m : MachineModels())
        if (m.Code == code) return &m;
    return nullptr;
}

void InitMachineList() { MachineList = MachineModels(); }

void FreeMachineList() { MachineList.clear(); }

const MachineRecord* FindMachine(int code) {
    for (const auto& m : MachineList)
        if (m.Code == code) return &m;
    return nullptr;
}

bool SelectCurrentMachine(int code) {
    if (const MachineRecord* m = FindMachine(code)) {
        CurrentMachine = *m;
        return true;
    }
    return false;
}

bool SelectCurrentMachine() { return SelectCurrentMachine(Machine); }

bool TestNeedleBit(const uint8_t* bits, int n) {
    if (n < 0 || n >= kMaxNeedles) return false;
    return (bits[n / 8] & NeedleBits[n % 8]) != 0;
}

void SetNeedleBit(uint8_t* bits, int n) {
    if (n < 0 || n >= kMaxNeedles) return;
    bits[n / 8] |= NeedleBits[n % 8];
}

void ClearNeedleBit(uint8_t* bits, int n) {
    if (n < 0 || n >= kMaxNeedles) return;
    bits[n / 8] &= static_cast<uint8_t>(~NeedleBits[n % 8]);
}

void MirrorNeedleRow(uint8_t* bits, int width) {
    if (width <= 0) return;
    if (width > kMaxNeedles) width = kMaxNeedles;
    uint8_t local[kNeedleRowBytes] = {};
    for (int i = 0; i < width; ++i)
        if (TestNeedleBit(bits, i)) SetNeedleBit(local, width - 1 - i);
    // Only the bytes that hold the pattern's needles go back; a width that is a
    // multiple of 8 needs no extra byte.
    const int bytes = (width + 7) / 8;
    std::memcpy(bits, local, bytes);
}

void MirrorNeedleRow(uint8_t* bits) { MirrorNeedleRow(bits, GraphicData.Width); }

int CountColors(uint32_t mask) { return std::popcount(mask & 0xFFFFu); }

} // namespace lc
