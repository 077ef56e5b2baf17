#pragma once
// The interface texts the program's code needs (message boxes, status texts,
// the constructor's list entries, prompts): 133 numbered slots, filled once at
// start-up in English or Russian and read by slot number everywhere else. The
// workspace holds the program's table (core/Workspace.h).
// Texts are UTF-8. Line breaks inside the texts are kept byte for byte as the
// message boxes have always shown them (most are LF CR, a few CR LF).
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace lc {

inline constexpr int kUITextSlots = 133;

using UITextTable = std::array<std::string, kUITextSlots>;

// Slot names, for readers that prefer them to bare numbers.
enum UITextSlot : int {
    utPreviewWidth = 0,  // "Width  : " (knitting preview)
    utPreviewRows = 1,   // "Rows   : "
    utPreviewPasses = 2, // "Passes : "
    utErrorCode = 3,     // adapter error message: prefix before the error bits
    utErrBit0 = 4,       // texts 4..15: one per adapter error bit
    utErrTransmission1 = 4,
    utErrCarriageMoving1 = 5,
    utErrCarriageSpeed = 6,
    utErrCommunication = 7,
    utErrWrongDirection = 8,
    utErrNoConnection = 9,
    utErrTransmission2 = 10,
    utErrTransmission3 = 11,
    utErrAdapterMalfunction = 12,
    utErrTransmission4 = 13,
    utErrCarriageMoving2 = 14,
    utErrCarriagePosition = 15,
    utCarriageLeft = 16,
    utCarriageRight = 17,
    utCamsSetOn = 18, // 18..22: pieces of the point-cam and working-width text
    utCamsLeft = 19,
    utCamsRight = 20,
    utCamsWidth = 21,
    utCamsNeedles = 22,
    utRowTooManyColors = 23, // "&&1" stands for the row number
    utRowLongFloat = 24,     // "&&1" stands for the row number
    utRowMissing = 25,       // "&&1" stands for the row number
    utPasses = 26,
    utCarriageNotConnected = 27,
    utErrorCaption = 28, // "ERROR!"
    utSetup = 29,
    utLoadPreviousState = 30,
    utAutoload = 31,
    utOutOfData = 32,    // caption at the end of knitting
    utKnitFinished = 33, // text at the end of knitting
    utPortCannotOpen = 34,
    utPortErrorCaption = 35,
    utRib1x1 = 36,
    utDoubleRib = 37,
    utSeamlessRib = 38,
    utGalleryWidth = 39,
    utGalleryHeight = 40,
    utDeletePatternQuestion = 41,
    utConfirmation = 42,
    utUnitCm = 43,
    utUnitStitches = 44,
    utTechnique = 45,
    utInchMark = 46,
    utDistance = 47,
    utGarmentTooWide = 48,
    utGarmentTooLong = 49,
    utGarmentTooBig = 50,
    utGarmentWidth = 51,
    utGarmentHeight = 52,
    utLengthDistance = 53,
    utCheckValues = 54,
    utFillOutForm = 55,
    utSoundChangeColor = 56, // 56..60: names of the sound events
    utSoundIncDec = 57,
    utSoundDataSent = 58,
    utSoundAllDone = 59,
    utSoundMachineSettings = 60,
    utScanNoAdapter = 61,
    utScanAdapterOnPort = 62,
    utReady = 63,
    utSleeveLengthFirst = 64, // 64..67 sleeve lengths
    utSleeveKindFirst = 68,   // 68..74 sleeve kinds
    utNecklineFirst = 75,     // 75..95 necklines
    utCollarFirst = 96,       // 96..108 collars and trims
    utPocketDirFirst = 109,   // 109..111 pocket directions
    utArmholeFirst = 112,     // 112..116 armholes
    utWrongFieldValues = 117,
    utFillNameField = 118,
    utRecordNameExists = 119,
    utGarmentKindFirst = 120, // 120..125 garment kinds
    utEnterTemplateName = 126,
    utEnterSampleName = 127,
    utNotValidValue = 128, // holds one "%s": use FormatUIText, never printf
    utNameInUse = 129,
    utNoGarmentAdded = 130,
    utUnitCentimeters = 131, // 131..132: UnitNames
    utUnitInches = 132,
};

// The two unit names (index 0 centimetres, 1 inches): a view of slots 131 and 132.
inline std::span<const std::string, 2> UnitNames(const UITextTable& texts) {
    return std::span<const std::string, 2>(texts.data() + utUnitCentimeters, 2);
}

// The table with every slot's English, or its Russian, text.
UITextTable EnglishTexts();
UITextTable RussianTexts();
// Fill every slot with its English, or its Russian, text.
void SetEnglishTexts(UITextTable& texts);
void SetRussianTexts(UITextTable& texts);

// The start-up choice: Russian exactly for the code "RUS", English for any
// other code. Returns true when the Russian table was chosen.
bool SelectTextTable(UITextTable& texts, std::string_view languageCode);

// The slot's text with its first "%s" replaced by `arg`. The argument is
// copied as it is, so user text holding '%' is shown, never interpreted.
std::string FormatUIText(std::string_view text, std::string_view arg);

// The slot's text with its row mark "&&1" replaced by the row number.
std::string ReplaceRowMark(std::string_view text, int row);

} // namespace lc
