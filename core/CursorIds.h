#pragma once

namespace lc {

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

} // namespace lc
