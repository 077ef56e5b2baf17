#pragma once
// Notes between the engine's formatted document and a QTextDocument, so that
// a QTextEdit edits them and model files keep them as RTF (core/RichText.h).
#include "core/RichText.h"

class QTextDocument;

namespace lc::ui {

// Replaces the document's content with the note.
void ToQTextDocument(const RichDocument& note, QTextDocument& doc);
// The document's text and the formatting a note keeps; an empty document gives
// a note without paragraphs. Embedded objects (pictures) are left out.
RichDocument FromQTextDocument(const QTextDocument& doc);

} // namespace lc::ui
