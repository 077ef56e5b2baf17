#include "core/ui/RichTextQt.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

namespace lc::ui {

void ToQTextDocument(const RichDocument& note, QTextDocument& doc) {
    doc.clear();
    QTextCursor cur(&doc);
    cur.beginEditBlock();
    bool first = true;
    for (const RichParagraph& p : note.Paragraphs) {
        QTextBlockFormat bf;
        bf.setAlignment(p.Align == RichAlign::Center  ? Qt::AlignHCenter
                        : p.Align == RichAlign::Right ? Qt::AlignRight
                                                      : Qt::AlignLeft);
        if (first) cur.setBlockFormat(bf);
        else cur.insertBlock(bf);
        first = false;
        for (const RichRun& r : p.Runs) {
            QTextCharFormat f;
            f.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
            f.setFontItalic(r.Italic);
            f.setFontUnderline(r.Underline);
            if (!r.Font.empty()) f.setFontFamilies(QStringList{QString::fromStdString(r.Font)});
            if (r.Size > 0) f.setFontPointSize(r.Size);
            f.setForeground(QColor(int(r.Color & 0xFF), int((r.Color >> 8) & 0xFF), int((r.Color >> 16) & 0xFF)));
            // A line break inside a paragraph; a plain '\n' would start a new one.
            cur.insertText(QString::fromStdString(r.Text).replace(QChar('\n'), QChar::LineSeparator), f);
        }
    }
    cur.endEditBlock();
}

RichDocument FromQTextDocument(const QTextDocument& doc) {
    RichDocument note;
    if (doc.isEmpty()) return note;
    const double baseSize = doc.defaultFont().pointSizeF() > 0 ? doc.defaultFont().pointSizeF() : 12;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        RichParagraph p;
        const Qt::Alignment a = b.blockFormat().alignment();
        p.Align = a.testFlag(Qt::AlignHCenter) ? RichAlign::Center
                  : a.testFlag(Qt::AlignRight) ? RichAlign::Right
                                               : RichAlign::Left;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            QString text = frag.text();
            text.replace(QChar::LineSeparator, QChar('\n')).remove(QChar::ObjectReplacementCharacter);
            if (text.isEmpty()) continue;
            const QTextCharFormat f = frag.charFormat();
            RichRun r;
            r.Text = text.toStdString();
            r.Bold = f.fontWeight() >= QFont::DemiBold;
            r.Italic = f.fontItalic();
            r.Underline = f.fontUnderline();
            const QStringList families = f.fontFamilies().toStringList();
            if (!families.isEmpty()) r.Font = families.first().toStdString();
            r.Size = f.fontPointSize() > 0 ? f.fontPointSize() : baseSize;
            if (f.foreground().style() != Qt::NoBrush) {
                const QColor c = f.foreground().color();
                r.Color = uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
            }
            if (!p.Runs.empty() && p.Runs.back().SameFormat(r)) p.Runs.back().Text += r.Text;
            else p.Runs.push_back(std::move(r));
        }
        note.Paragraphs.push_back(std::move(p));
    }
    return note;
}

} // namespace lc::ui
