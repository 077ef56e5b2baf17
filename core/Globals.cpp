#include "core/Globals.h"

namespace lc {

std::string AppDir;
std::string ExeName;
std::string UserDir;

int Machine = 102;
int NeedleBed = 200;
std::string ACOMPort = "COM1";
double PixByX = 0.25;
double PixByY = 0.25;
int SoftEmulator = 0;
int ViewProtocol = 0;
int ProtocolType = 0;
int SuperUser = 0;
int Units = 0;
int DefaultCalcTemplate = -1;
int DefaultCalcSample = -1;
int AutoRestore = 0;
int SoundEvents = 255;
std::string Path_Picture;
std::string Path_Palettes;
std::string Path_Fashion;
std::string Path_Garment;
std::string Path_Gallery;
std::string LanguageCode = "ENG";

std::vector<std::string> TechniqueList;

bool GarmentMode = false;
bool ZoneOn = false;
int ZoneRow = -1;
uint16_t ChangeFlags = 0;
CellRect BlockRect;
uint8_t ColorA = 1;
uint8_t ColorB = 0;
uint8_t BrushSize = 0;
uint8_t ViewMode = 0;
uint8_t RulerUnitMode = 1;
uint8_t StarDepth = 5;
uint8_t StarVertices = 3;

std::array<uint8_t, kZoomLevels> CellHeights = CellWidths;
uint8_t ZoomIndex = 4;

void ResetGlobals() {
    Machine = 102;
    NeedleBed = 200;
    ACOMPort = "COM1";
    PixByX = PixByY = 0.25;
    SoftEmulator = ViewProtocol = ProtocolType = SuperUser = Units = 0;
    DefaultCalcTemplate = DefaultCalcSample = -1;
    AutoRestore = 0;
    SoundEvents = 255;
    Path_Picture.clear();
    Path_Palettes.clear();
    Path_Fashion.clear();
    Path_Garment.clear();
    Path_Gallery.clear();
    LanguageCode = "ENG";
    GarmentMode = false;
    ZoneOn = false;
    ZoneRow = -1;
    ChangeFlags = 0;
    BlockRect = {};
    ColorA = 1;
    ColorB = 0;
    BrushSize = 0;
    ViewMode = 0;
    RulerUnitMode = 1;
    StarDepth = 5;
    StarVertices = 3;
    CellHeights = CellWidths;
    ZoomIndex = 4;
}

} // namespace lc
