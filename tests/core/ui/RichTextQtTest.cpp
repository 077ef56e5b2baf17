#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>

#include "QtApp.h"
#include "core/RichText.h"
#include "core/ui/RichTextQt.h"

using namespace lc;

namespace {

RichRun run(std::string text, std::string font, double size) {
    RichRun r;
    r.Text = std::move(text);
    r.Font = std::move(font);
    r.Size = size;
    return r;
}

RichDocument sampleNote() {
    RichRun title = run("Узор «Ёлочка»", "DejaVu Sans", 14);
    title.Bold = true;
    RichRun red = run("2 ряда\tкрасным", "DejaVu Serif", 10.5);
    red.Italic = true;
    red.Underline = true;
    red.Color = 0x2010F0;
    RichRun rest = run(" затем\nснова", "DejaVu Serif", 10.5);
    RichDocument d;
    d.Paragraphs.resize(3);
    d.Paragraphs[0].Align = RichAlign::Center;
    d.Paragraphs[0].Runs = {title};
    d.Paragraphs[2].Align = RichAlign::Right;
    d.Paragraphs[2].Runs = {red, rest};
    return d;
}

} // namespace

TEST(RichTextQt, NoteShowsInATextDocumentAndComesBack) {
    lc::test::qtApp();
    const RichDocument note = sampleNote();
    QTextDocument doc;
    ui::ToQTextDocument(note, doc);

    ASSERT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(doc.toPlainText(),
              QString::fromUtf8("Узор «Ёлочка»\n\n2 ряда\tкрасным затем\nснова")); // a line break, not a block
    const QTextBlock first = doc.firstBlock();
    EXPECT_TRUE(first.blockFormat().alignment().testFlag(Qt::AlignHCenter));
    const QTextCharFormat titleFormat = first.begin().fragment().charFormat();
    EXPECT_EQ(titleFormat.fontWeight(), QFont::Bold);
    EXPECT_EQ(titleFormat.fontPointSize(), 14);
    EXPECT_EQ(titleFormat.fontFamilies().toStringList(), QStringList{"DejaVu Sans"});
    const QTextCharFormat redFormat = doc.lastBlock().begin().fragment().charFormat();
    EXPECT_EQ(redFormat.foreground().color(), QColor(0xF0, 0x10, 0x20));
    EXPECT_TRUE(redFormat.fontItalic() && redFormat.fontUnderline());
    EXPECT_EQ(redFormat.fontPointSize(), 10.5);

    EXPECT_EQ(ui::FromQTextDocument(doc), note);
    // Loading again replaces what was there.
    ui::ToQTextDocument(note, doc);
    EXPECT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(ui::FromQTextDocument(doc), note);
}

TEST(RichTextQt, EditedNoteSurvivesRtf) {
    lc::test::qtApp();
    // Typed and formatted the way the fashion page's editor does it.
    QTextEdit edit;
    edit.setPlainText(QString::fromUtf8("Набрать 40 петель\nвязать чулочной гладью"));
    QTextCursor cur(edit.document());
    cur.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 8);
    cur.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 2);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(0, 128, 0));
    cur.mergeCharFormat(bold);
    cur.movePosition(QTextCursor::NextBlock);
    QTextBlockFormat center;
    center.setAlignment(Qt::AlignHCenter);
    cur.mergeBlockFormat(center);
    QTextCharFormat big;
    big.setFontPointSize(20);
    big.setFontFamilies({"DejaVu Serif"});
    cur.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cur.mergeCharFormat(big);
    cur.clearSelection();
    cur.insertImage("missing.png"); // the page keeps no pictures in notes
    ASSERT_TRUE(edit.document()->toRawText().contains(QChar::ObjectReplacementCharacter));

    const RichDocument note = ui::FromQTextDocument(*edit.document());
    ASSERT_EQ(note.Paragraphs.size(), 2u);
    ASSERT_EQ(note.Paragraphs[0].Runs.size(), 3u);
    EXPECT_EQ(note.Paragraphs[0].Runs[1].Text, "40");
    EXPECT_TRUE(note.Paragraphs[0].Runs[1].Bold);
    EXPECT_EQ(note.Paragraphs[0].Runs[1].Color, 0x008000u);
    EXPECT_EQ(note.Paragraphs[0].Runs[0].Size, edit.document()->defaultFont().pointSizeF());
    EXPECT_EQ(note.Paragraphs[1].Align, RichAlign::Center);
    EXPECT_EQ(note.PlainText(), "Набрать 40 петель\nвязать чулочной гладью");

    const RichDocument back = ReadRtf(WriteRtf(note));
    EXPECT_EQ(back, note);
    QTextEdit other;
    ui::ToQTextDocument(back, *other.document());
    EXPECT_EQ(other.toPlainText(), QString::fromUtf8("Набрать 40 петель\nвязать чулочной гладью"));
    EXPECT_EQ(ui::FromQTextDocument(*other.document()), note);
}

TEST(RichTextQt, EmptyEditorIsAnEmptyNote) {
    lc::test::qtApp();
    QTextDocument doc;
    EXPECT_TRUE(ui::FromQTextDocument(doc).Paragraphs.empty());
    doc.setPlainText("old text");
    ui::ToQTextDocument(RichDocument{}, doc);
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_TRUE(ui::FromQTextDocument(doc).Paragraphs.empty());
    // Empty lines are paragraphs too.
    doc.setPlainText("\n");
    EXPECT_EQ(ui::FromQTextDocument(doc).Paragraphs.size(), 2u);
}
