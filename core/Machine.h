#pragma once
// Machine models and the needle-bit and colour-bit tables. The list of models
// and the current machine live in the workspace (core/Workspace.h).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lc {

struct MachineRecord {
    std::string Name;
    int Code = 0;
    int Needles = 0;
    int FrameMode = 0;
    int FrameWidth = 0;
    int FrameRows = 0;
};

inline constexpr int kDefaultMachineCode = 102;
// The widest pattern any model knits; wider rows overflow the undo records and the wire row.
inline constexpr int kMaxNeedleBed = 250;

// The three built-in models in list order (what start-up puts in the machine list).
std::vector<MachineRecord> MachineModels();
// A built-in model by code, whether or not a machine list is filled (nothing when unknown).
std::optional<MachineRecord> FindMachineModel(int code);

// The record of `list` whose code is `code`, nullptr when none has it.
const MachineRecord* FindMachine(const std::vector<MachineRecord>& list, int code);
// Copies the record of `list` whose code is `code` into `current`; returns
// false (leaving it as it was) when no model has it.
bool SelectCurrentMachine(const std::vector<MachineRecord>& list, int code, MachineRecord& current);

// Needle n of a needle-bit row lies in byte n div 8 under NeedleBits[n mod 8].
inline constexpr std::array<uint8_t, 8> NeedleBits = {128, 64, 32, 16, 8, 4, 2, 1};
inline constexpr int kNeedleRowBytes = 40; // in memory: 320 needles
inline constexpr int kWireRowBytes = 32;   // on the wire: 256 needles
inline constexpr int kMaxNeedles = kNeedleRowBytes * 8;
using NeedleRow = std::array<uint8_t, kNeedleRowBytes>;

// ColorBits[c] = 0x8000 >> c.
inline constexpr std::array<uint32_t, 16> ColorBits = {0x8000, 0x4000, 0x2000, 0x1000, 0x0800, 0x0400, 0x0200, 0x0100,
                                                       0x0080, 0x0040, 0x0020, 0x0010, 0x0008, 0x0004, 0x0002, 0x0001};

// Needle indices outside 0..kMaxNeedles-1 are ignored (false / no write).
bool TestNeedleBit(const uint8_t* bits, int n);
void SetNeedleBit(uint8_t* bits, int n);
void ClearNeedleBit(uint8_t* bits, int n);
// Mirrors a 40-byte needle row across `width` needles (the pattern width), in
// place; bytes past the pattern width are left as they were.
void MirrorNeedleRow(uint8_t* bits, int width);
int CountColors(uint32_t mask);

} // namespace lc
