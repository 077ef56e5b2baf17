#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <map>

#include "QtApp.h"
#include "core/CursorIds.h"
#include "core/StitchDefault.h"

namespace {

QString resources() { return QString::fromLocal8Bit(qgetenv("LC_SOURCE_DIR")) + "/resources"; }

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList qrcFiles(const QString& qrcPath) {
    QStringList files;
    static const QRegularExpression file(R"(<file>([^<]+)</file>)");
    auto it = file.globalMatch(readText(qrcPath));
    while (it.hasNext()) files << it.next().captured(1);
    return files;
}

} // namespace

// Every cursor id the program registers has a 32 x 32 picture with a
// transparent background, listed in the resource file, and a hot spot that
// lies on a visible pixel of it.
TEST(ResourcePictures, EveryCursorIdHasAPictureAndAHotSpot) {
    lc::test::qtApp();
    const QString dir = resources() + "/cursors";
    const QStringList listed = qrcFiles(dir + "/cursors.qrc");
    std::map<int, QPoint> hotspots;
    for (const QString& line : readText(dir + "/hotspots.txt").split('\n')) {
        const QStringList f = line.split(' ', Qt::SkipEmptyParts);
        if (f.size() == 3 && !line.startsWith('#')) hotspots[f[0].toInt()] = QPoint(f[1].toInt(), f[2].toInt());
    }
    std::vector<int> ids = {lc::crZoomIn, lc::crZoomOut, lc::crHandGrab, lc::crGarmentZoomIn, lc::crAddPoint};
    for (int id = lc::crAddRemove_Columns; id <= lc::crTransformVSymmetry; ++id) ids.push_back(id);
    ASSERT_EQ(ids.size(), 37u);
    EXPECT_EQ(hotspots.size(), ids.size());
    for (int id : ids) {
        SCOPED_TRACE(id);
        const QString name = QString::number(id) + ".png";
        EXPECT_TRUE(listed.contains(name));
        QImage img(dir + "/" + name);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.size(), QSize(32, 32));
        ASSERT_TRUE(img.hasAlphaChannel());
        int clear = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) clear += qAlpha(img.pixel(x, y)) == 0;
        EXPECT_GT(clear, 32 * 32 / 3) << "the background should be transparent";
        EXPECT_LT(clear, 32 * 32 - 20) << "the cursor should show a shape";
        ASSERT_TRUE(hotspots.count(id));
        const QPoint hs = hotspots[id];
        ASSERT_TRUE(QRect(0, 0, 32, 32).contains(hs));
        EXPECT_GT(qAlpha(img.pixel(hs)), 0);
    }
}

// The four ruler arrows are small triangles, each pointing its own way.
TEST(ResourcePictures, RulerArrowsPointTheirWay) {
    lc::test::qtApp();
    const QString dir = resources() + "/images";
    const QStringList listed = qrcFiles(dir + "/images.qrc");
    auto weight = [](const QImage& img, bool horizontal, bool firstHalf) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const int pos = horizontal ? x : y;
                const int half = (horizontal ? img.width() : img.height()) / 2;
                if (qAlpha(img.pixel(x, y)) > 0 && (firstHalf ? pos < half : pos > half)) ++n;
            }
        return n;
    };
    // The wide end of a triangle holds more ink than its tip.
    const struct {
        const char* name;
        bool horizontal;
        bool tipFirst;
    } arrows[] = {
        {"LEFT_ARR", true, true}, {"RIGHT_ARR", true, false}, {"UP_ARR", false, true}, {"DOWN_ARR", false, false}};
    for (const auto& a : arrows) {
        SCOPED_TRACE(a.name);
        const QString file = QString(a.name) + ".png";
        EXPECT_TRUE(listed.contains(file));
        QImage img(dir + "/" + file);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.size(), QSize(9, 9));
        const int tipSide = weight(img, a.horizontal, a.tipFirst);
        const int baseSide = weight(img, a.horizontal, !a.tipFirst);
        EXPECT_GT(baseSide, tipSide);
    }
}

// The stitch picture shipped as a PNG is the same picture as the engine's table.
TEST(ResourcePictures, StitchPngMatchesTheEngineTable) {
    lc::test::qtApp();
    QImage img(resources() + "/STICHDEFAULT.png");
    ASSERT_FALSE(img.isNull());
    ASSERT_EQ(img.size(), QSize(lc::kStitchDefaultWidth, lc::kStitchDefaultHeight));
    img = img.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.constScanLine(y)[x], lc::kStitchDefault[y][x]) << x << "," << y;
}
