#pragma once
// The application messages between the pages and the main window. Pages never
// call each other: a page sends a message and the main window's router calls
// the target. Delivery is a direct call on the GUI thread, never dropped.
#include <cstdint>

namespace lc {

enum class AppMsg : int {
    MakeBobbins = 1025,
    CancelTool = 1026,
    EnablePatternInsert = 1027,
    InsertConverted = 1028,
    DrawingUndoDisable = 1029,
    DrawingUndoEnable = 1030,
    GarmentUndoDisable = 1031,
    GarmentUndoEnable = 1032,
    GarmentMaskChanged = 1033,
    ShowPosition = 1034,
    LeftCamGrab = 1035,
    LeftCamDrop = 1036,
    LeftCamStep = 1037,
    RightCamGrab = 1038,
    RightCamDrop = 1039,
    RightCamStep = 1040,
    NeedleBedScroll = 1041,
    RowCounterChanged = 1042,
    WriteGarmentToModel = 1044,
    ReadGarmentFromModel = 1045,
    PlayEventSound = 1046,
    ShowColorInPalette = 1047,
    ShowBlockSize = 1048,
    ReleaseMaskButton = 1050,
    AdapterData = 45113,
    PortProbeData = 45114,
};

class IAppMessageSink {
public:
    virtual ~IAppMessageSink() = default;
    virtual intptr_t appMessage(AppMsg msg, intptr_t wParam, intptr_t lParam) = 0;
};

// The main window installs itself here; with no sink installed (tests,
// headless runs) a message goes nowhere and answers 0.
void SetAppMessageSink(IAppMessageSink* sink);
IAppMessageSink* AppMessageSink();
intptr_t SendAppMessage(AppMsg msg, intptr_t wParam = 0, intptr_t lParam = 0);

} // namespace lc
