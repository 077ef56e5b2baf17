#pragma once
// Machine models, the current machine, and the needle-bit and colour-bit tables.
#include <array>
#include <cstdint>
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

extern std::vector<MachineRecord> MachineList;
extern MachineRecord CurrentMachine;

inline constexpr int kDefaultMachineCode = 102;
// The widest pattern any model knits; wider rows overflow the undo records and the wire row.
inline constexpr int kMaxNeedleBed = 250;

// The three built-in models in list order (what InitMachineList copies).
const std::vector<MachineRecord>& MachineModels();
// A built-in model by code, whether or not MachineList is filled (nullptr when unknown).
const MachineRecord* FindMachineModel(int code);

void InitMachineList();
void FreeMachineList();
// Copies the record whose code is `code` (the Machine setting by default) into
// CurrentMachine; returns false (leaving it as it was) when no model has it.
bool SelectCurrentMachine();
bool SelectCurrentMachine(int code);
const MachineRecord* FindMachine(int code);

// Needle n of a needle-bit row lies in byte n div 8 under NeedleBits[n mod 8].
inline constexpr std::array<uint8_t, 8> NeedleBits = {128, 64, 32, 16, 8, 4, 2, 1};
inline constexpr int kNeedleRowBytes = 40;  // in memory: 320 needles
inline constexpr int kWireRowBytes = 32;    // on the wire: 256 needles
inline constexpr int kMaxNeedles = kNeedleRowBytes * 8;
using NeedleRow = std::array<uint8_t, kNeedleRowBytes>;

// ColorBits[c] = 0x8000 >> c.
inline constexpr std::array<uint32_t, 16> ColorBits = {
    0x8000, 0x4000, 0x2000, 0x1000, 0x0800, 0x0400, 0x0200, 0x0100,
    0x0080, 0x0040, 0x0020, 0x0010, 0x0008, 0x0004, 0x0002, 0x0001};

// Needle indices outside 0..kMaxNeedles-1 are ignored (false / no write).
bool TestNeedleBit(const uint8_t* bits, int n);
void SetNeedleBit(uint8_t* bits, int n);
void ClearNeedleBit(uint8_t* bits, int n);
// Mirrors a 40-byte needle row across `width` needles (GraphicData.Width by
// default), in place; bytes past the pattern width are left as they were.
void MirrorNeedleRow(uint8_t* bits);
void MirrorNeedleRow(uint8_t* bits, int width);
int CountColors(uint32_t mask);

} // namespace lc
