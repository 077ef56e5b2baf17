#include <gtest/gtest.h>

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <vector>

#include "QtApp.h"

namespace {

QString programDir() { return QString::fromLocal8Bit(qgetenv("LC_PROGRAM_DIR")); }
QString sourceDir() { return QString::fromLocal8Bit(qgetenv("LC_SOURCE_DIR")); }

// The font is registered once per process, as the program does at start-up.
const QString& loopcraftFamily() {
    static const QString family = [] {
        lc::test::qtApp();
        const int id = QFontDatabase::addApplicationFont(programDir() + "/Loopcraft.ttf");
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

QFont symbolFont(int pixelSize) {
    QFont f(loopcraftFamily());
    f.setPixelSize(pixelSize);
    return f;
}

struct GlyphRow {
    int code;
    QString where;
};

// Every character code the knitting pages draw with the font, read from the
// table that documents them, so the table and the font cannot drift apart.
std::vector<GlyphRow> documentedCodes() {
    std::vector<GlyphRow> rows;
    QFile f(sourceDir() + "/resources/font/GLYPHS.md");
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return rows;
    static const QRegularExpression row(R"(^\|\s*(\d+)(?:\s*[–-]\s*(\d+))?\s*\|.*\|\s*([^|]*)\|\s*$)");
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
        const auto m = row.match(line);
        if (!m.hasMatch()) continue;
        const int first = m.captured(1).toInt();
        const int last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
        for (int c = first; c <= last; ++c) rows.push_back({c, m.captured(3).trimmed()});
    }
    return rows;
}

QString charOf(int code) { return QString(QChar(char16_t(code))); }

// Bounding box of the ink a string leaves when drawn at (x, y) with its top there.
QRect inkBox(const QFont& font, const QString& text, QSize canvas = QSize(600, 300)) {
    QImage img(canvas, QImage::Format_ARGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(QPoint(0, 0), canvas), Qt::AlignLeft | Qt::AlignTop, text);
    }
    int x0 = canvas.width(), y0 = canvas.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    return x1 < 0 ? QRect() : QRect(QPoint(x0, y0), QPoint(x1, y1));
}

} // namespace

TEST(SymbolFont, LoadsUnderItsFamilyName) {
    ASSERT_EQ(loopcraftFamily(), QStringLiteral("Loopcraft"));
    EXPECT_TRUE(QFontDatabase::families().contains("Loopcraft"));
}

// Each documented code must be in the font and leave visible ink at the size
// of a sheet cell, including the carriage glyph 157 (a C1 code point).
TEST(SymbolFont, EveryDocumentedCodeHasAVisibleGlyph) {
    ASSERT_FALSE(loopcraftFamily().isEmpty());
    const auto rows = documentedCodes();
    ASSERT_GE(rows.size(), 60u) << "the glyph table could not be read";
    const QFontMetrics fm(symbolFont(14));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_TRUE(fm.inFont(QChar(char16_t(r.code))));
        if (r.code == 32) continue;
        EXPECT_FALSE(inkBox(symbolFont(28), charOf(r.code)).isEmpty());
    }
}

// Text drawn with the font (row numbers, tension digits, setting letters)
// must stay text: every printable ASCII character is covered.
TEST(SymbolFont, CoversPrintableAscii) {
    ASSERT_FALSE(loopcraftFamily().isEmpty());
    const QFontMetrics fm(symbolFont(14));
    for (int c = 32; c < 127; ++c) EXPECT_TRUE(fm.inFont(QChar(char16_t(c)))) << c;
    EXPECT_GT(fm.horizontalAdvance(QStringLiteral("1024")), 0);
}

// A column title is scaled so that it is about as wide as its column
// (size = W * 20 / (w30 - w10)); it must then still fit the 60-pixel title area.
TEST(SymbolFont, ColumnTitlesFitTheirTitleArea) {
    ASSERT_FALSE(loopcraftFamily().isEmpty());
    const struct {
        char symbol;
        int cells;
    } titles[] = {{'n', 7}, {'b', 2}, {'=', 1}, {'e', 2}, {'}', 3}, {'Q', 2}, {'B', 3}, {'q', 1},
                  {'p', 1}, {'%', 1}, {'&', 1}, {'A', 4}, {'/', 1}, {'r', 2}, {'s', 1}};
    for (const auto& t : titles) {
        SCOPED_TRACE(t.symbol);
        const QString s(QChar::fromLatin1(t.symbol));
        const int width = 30 * t.cells;
        const int w10 = QFontMetrics(symbolFont(10)).horizontalAdvance(s);
        const int w30 = QFontMetrics(symbolFont(30)).horizontalAdvance(s);
        const int size = w30 == w10 ? 30 : std::clamp(width * 20 / (w30 - w10), 1, 400);
        const QRect ink = inkBox(symbolFont(size), s);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_LE(ink.width(), width + 2);
        EXPECT_GE(ink.width(), width / 2); // a title is not a speck in its column
        EXPECT_LE(ink.height(), 58);
        EXPECT_GE(ink.height(), 12); // the double arrow is flat by nature
    }
}

// Letters in cells and settings lines sit in 30 x 25 pixel cells at the panel's
// size 14, whether that is taken as pixels or as points on a 96-dpi screen.
TEST(SymbolFont, CellLettersFitACell) {
    ASSERT_FALSE(loopcraftFamily().isEmpty());
    const QString cellLetters = QStringLiteral("!\"#)*.0123456789<=>?CFHLOPSTWYaflmo");
    for (int px : {14, 19}) {
        for (QChar ch : cellLetters) {
            SCOPED_TRACE(QString(ch).toStdString() + " at " + std::to_string(px));
            const QRect ink = inkBox(symbolFont(px), QString(ch));
            ASSERT_FALSE(ink.isEmpty());
            EXPECT_LE(ink.width(), 30);
            EXPECT_LE(ink.height(), 25);
        }
    }
}
