#pragma once
// Drawing tool codes: the Drawing page maps its buttons to them and hands the
// chosen one to the tool engine (ToolEngine::setTool).
#include <cstdint>

namespace lc {

enum ToolCode : uint16_t {
    toolBrush = 399,
    toolVSymmetry = 400,
    toolHSymmetry = 401,
    toolHScale = 402,
    toolVScale = 403,
    toolFill = 404,
    toolRotate = 405,
    toolCloning = 408,
    toolVReflection = 409,
    toolHReflection = 410,
    toolAddText = 411,
    toolRows = 412,
    toolColumns = 413,
    toolCopyBlock = 416,
    toolPasteBlock = 418,
    toolMove = 419,
    toolLine = 420,
    toolRectangle = 421,
    toolFilledRectangle = 422,
    toolCircle = 423,
    toolFilledCircle = 424,
    toolStar = 425,
    toolFilledStar = 426,
    toolDropper = 427,
    toolCutBlock = 428,
    toolPastePattern = 430,
    toolZonePosition = 431,
    toolMagicEraser = 432,
    toolGrab = 433,
};

} // namespace lc
