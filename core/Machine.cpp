#include "core/Machine.h"

#include <bit>
#include <cstring>

namespace lc {

namespace {

struct ModelEntry {
    const char* Name;
    int Code;
    int Needles;
};

constexpr ModelEntry kModels[] = {
    {"Silver Reed SK-860/SR-860", 101, 150},
    {"Silver Reed SK-840/SRP-60N", 102, 200},
    {"Silver Reed SK-830/FPR-70", 103, 250},
};

MachineRecord recordOf(const ModelEntry& e) { return MachineRecord{e.Name, e.Code, e.Needles, 0, 0, 0}; }

} // namespace

std::vector<MachineRecord> MachineModels() {
    std::vector<MachineRecord> models;
    for (const ModelEntry& e : kModels) models.push_back(recordOf(e));
    return models;
}

std::optional<MachineRecord> FindMachineModel(int code) {
    for (const ModelEntry& e : kModels)
        if (e.Code == code) return recordOf(e);
    return std::nullopt;
}

const MachineRecord* FindMachine(const std::vector<MachineRecord>& list, int code) {
    for (const auto& m : list)
        if (m.Code == code) return &m;
    return nullptr;
}

bool SelectCurrentMachine(const std::vector<MachineRecord>& list, int code, MachineRecord& current) {
    if (const MachineRecord* m = FindMachine(list, code)) {
        current = *m;
        return true;
    }
    return false;
}

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

int CountColors(uint32_t mask) { return std::popcount(mask & 0xFFFFu); }

} // namespace lc
