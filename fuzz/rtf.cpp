// Feeds arbitrary bytes to the note reader, the way the fashion page loads a
// note item of a model file, and checks that whatever it reads is written and
// read back as the same note.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Errors.h"
#include "core/RichText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);
    lc::RichDocument note;
    try {
        note = lc::ReadRtf(in);
    } catch (const lc::FormatError&) {
        return 0; // too long
    }
    for (const lc::RichParagraph& p : note.Paragraphs)
        for (const lc::RichRun& r : p.Runs)
            if (r.Text.empty() || !(r.Size > 0) || r.Color > 0xFFFFFF || r.Font.size() > lc::kMaxRtfFontName)
                std::abort();
    const std::string rtf = lc::WriteRtf(note);
    const lc::RichDocument back = lc::ReadRtf(rtf);
    if (back != note || lc::WriteRtf(back) != rtf) std::abort();
    return 0;
}
