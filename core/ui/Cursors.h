#pragma once
// The program's own cursors, registered under the ids of core/CursorIds.h
// (crZoomIn, crDraw1x1, ...). Pictures come from the resource folder
// ":/cursors/" as <id>.png, with hot spots listed in ":/cursors/hotspots.txt";
// an id without a picture gets a standard cursor of a similar shape.
#include <QCursor>
#include <QPoint>
#include <QString>
#include <map>

namespace lc::ui {

// The registered cursors by id.
std::map<int, QCursor>& CursorTable();

// Loads the cursor of `id` from `folder` (a resource or file folder ending in
// '/') and registers it; falls back to a standard cursor. True when the
// picture was found.
bool RegisterCursor(int id, const QString& folder = QStringLiteral(":/cursors/"));
// The main window's cursors: 6, 7 and 20..51.
void RegisterMainCursors();
// The garment page's cursors: 10, 11, 12.
void RegisterGarmentCursors();

// The registered cursor of `id`, or the arrow when none is registered.
QCursor CursorById(int id);

// The standard cursor shape that stands in for `id`.
Qt::CursorShape FallbackCursorShape(int id);

// Hot spots from a hot-spot list: one cursor per line, the first three whole
// numbers on it are the id, x and y (numbers inside names do not count,
// so "22.png 3 4" and "crBlockCopy 22: 3, 4" both work); '#' starts a comment.
std::map<int, QPoint> ParseHotSpots(const QString& text);

} // namespace lc::ui
