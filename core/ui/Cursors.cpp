#include "core/ui/Cursors.h"

#include <QFile>
#include <QPixmap>
#include <QRegularExpression>

#include "core/CursorIds.h"

namespace lc::ui {

namespace {

// Hot spots per folder, read once.
const std::map<int, QPoint>& hotSpotsOf(const QString& folder) {
    static std::map<QString, std::map<int, QPoint>> cache;
    auto it = cache.find(folder);
    if (it != cache.end()) return it->second;
    std::map<int, QPoint> spots;
    QFile f(folder + QStringLiteral("hotspots.txt"));
    if (f.open(QIODevice::ReadOnly)) spots = ParseHotSpots(QString::fromUtf8(f.readAll()));
    return cache.emplace(folder, std::move(spots)).first->second;
}

} // namespace

std::map<int, QCursor>& CursorTable() {
    static std::map<int, QCursor> table;
    return table;
}

std::map<int, QPoint> ParseHotSpots(const QString& text) {
    // Whole numbers only: a name such as "crDraw1x1" on the line holds none.
    static const QRegularExpression number(QStringLiteral("(?<![\\w.])-?\\d+(?!\\w)"));
    std::map<int, QPoint> out;
    for (QString line : text.split(u'\n')) {
        const qsizetype hash = line.indexOf(u'#');
        if (hash >= 0) line.truncate(hash);
        int values[3];
        int n = 0;
        for (auto m = number.globalMatch(line); m.hasNext() && n < 3;) {
            bool ok = false;
            values[n] = m.next().captured().toInt(&ok);
            if (!ok) break;
            ++n;
        }
        if (n == 3) out[values[0]] = QPoint(values[1], values[2]);
    }
    return out;
}

Qt::CursorShape FallbackCursorShape(int id) {
    switch (id) {
    case crHandGrab: return Qt::OpenHandCursor;
    case crMove:
    case crBlockPaste:
    case crPasteFromGallery:
    case crTransformClone:
    case crTransformRotate: return Qt::SizeAllCursor;
    case crAddRemove_Columns:
    case crTransformHReflection:
    case crTransformHScale:
    case crTransformHSymmetry: return Qt::SizeHorCursor;
    case crAddRemove_Rows:
    case crTransformVReflection:
    case crTransformVScale:
    case crTransformVSymmetry: return Qt::SizeVerCursor;
    case crAddPoint: return Qt::PointingHandCursor;
    default: return Qt::CrossCursor; // zoom, drawing, erasing, shapes, fill, dropper, block selection
    }
}

bool RegisterCursor(int id, const QString& folder) {
    QPixmap pm;
    if (pm.load(folder + QString::number(id) + QStringLiteral(".png")) && !pm.isNull()) {
        const auto& spots = hotSpotsOf(folder);
        const auto it = spots.find(id);
        QPoint hot = it != spots.end() ? it->second : QPoint(-1, -1); // (-1, -1): the middle
        if (hot.x() >= pm.width() || hot.y() >= pm.height()) hot = QPoint(-1, -1);
        CursorTable()[id] = QCursor(pm, hot.x(), hot.y());
        return true;
    }
    CursorTable()[id] = QCursor(FallbackCursorShape(id));
    return false;
}

void RegisterMainCursors() {
    RegisterCursor(crZoomIn);
    RegisterCursor(crZoomOut);
    for (int id = crAddRemove_Columns; id <= crTransformVSymmetry; ++id) RegisterCursor(id);
}

void RegisterGarmentCursors() {
    RegisterCursor(crHandGrab);
    RegisterCursor(crGarmentZoomIn);
    RegisterCursor(crAddPoint);
}

QCursor CursorById(int id) {
    const auto& t = CursorTable();
    const auto it = t.find(id);
    return it != t.end() ? it->second : QCursor(Qt::ArrowCursor);
}

} // namespace lc::ui
