#pragma once
// Settings and the editor state shared by the editor, the Link page, the garment
// page and the shell. Settings are loaded at start-up and written only when the
// preferences dialog or the tension calculator is accepted.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lc {

// Program location: the folder of the executable (with a trailing '/') and its full path.
extern std::string AppDir;
extern std::string ExeName;
// Folder (with a trailing '/') for what the user writes: the default Patterns,
// Palettes, Models, Garments and Galleries folders and the autosave. It is AppDir
// when the program folder is writable, otherwise the per-user data folder; empty
// means AppDir.
extern std::string UserDir;

// Settings (stored under the same names in the settings file).
extern int Machine;
extern int NeedleBed;
extern std::string ACOMPort;
extern double PixByX;
extern double PixByY;
extern int SoftEmulator;
extern int ViewProtocol;
extern int ProtocolType;
extern int SuperUser; // stored as SuperUserZRD
extern int Units;
extern int DefaultCalcTemplate;
extern int DefaultCalcSample;
extern int AutoRestore;
extern int SoundEvents;
extern std::string Path_Picture;
extern std::string Path_Palettes;
extern std::string Path_Fashion;
extern std::string Path_Garment;
extern std::string Path_Gallery;
extern std::string LanguageCode;

// The pattern and the garment undo stacks drop their oldest step before a push
// when more than this many are held, so each keeps at most UndoDepth + 1.
inline constexpr int UndoDepth = 10;

// Pattern rows are at most this many; the raster is this tall.
inline constexpr int kPatternRows = 1024;

// A rectangle in picture-bitmap coordinates: columns Left..Right-1, lines Top..Bottom-1.
struct CellRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const CellRect&) const = default;
};

// The techniques, "name=kind" per line in machine order (for the galleries'
// filter): created empty at start-up, filled when the Link page is created.
extern std::vector<std::string> TechniqueList;

// Shared editor state.
extern bool GarmentMode;
extern bool ZoneOn;
extern int ZoneRow;
extern uint16_t ChangeFlags;
inline constexpr uint16_t kGarmentChanged = 2;
extern CellRect BlockRect;
extern uint8_t ColorA;
extern uint8_t ColorB;
extern uint8_t BrushSize;
extern uint8_t ViewMode;
extern uint8_t RulerUnitMode;
extern uint8_t StarDepth;
extern uint8_t StarVertices;

// Zoom levels 0..10.
inline constexpr int kZoomLevels = 11;
inline constexpr std::array<uint8_t, kZoomLevels> CellWidths = {3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23};
extern std::array<uint8_t, kZoomLevels> CellHeights;
extern uint8_t ZoomIndex;

// Cursor identifiers of the custom cursors.
enum CursorId : int {
    crZoomIn = 6,
    crZoomOut = 7,
    crHandGrab = 10,
    crGarmentZoomIn = 11,
    crAddPoint = 12,
    crAddRemove_Columns = 20,
    crAddRemove_Rows,
    crBlockCopy,
    crBlockCut,
    crBlockPaste,
    crCircleFilled,
    crCircle,
    crDraw1x1,
    crDraw2x2,
    crDraw3x3,
    crDrawChess,
    crDropper,
    crEraser1x1,
    crEraser2x2,
    crEraser3x3,
    crEraserChess,
    crFill,
    crLine,
    crMove,
    crPasteFromGallery,
    crRectangleFilled,
    crRectangle,
    crStarFilled,
    crStar,
    crTransformClone,
    crTransformHReflection,
    crTransformHScale,
    crTransformHSymmetry,
    crTransformRotate,
    crTransformVReflection,
    crTransformVScale,
    crTransformVSymmetry, // 51
};

// Puts every setting and editor-state global back to its initial value (tests, start-up).
void ResetGlobals();

} // namespace lc
