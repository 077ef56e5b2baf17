#include "knitting/Technique.h"

#include <algorithm>
#include <cstring>

#include "core/Machine.h"
#include "knitting/ColourSeparation.h"

namespace lc {

std::string TechniqueName(const TechniqueNameSource& source, std::string_view key, std::string_view fallback) {
    std::string n = source ? source(key) : std::string();
    return n.empty() ? std::string(fallback) : n;
}

namespace {
constexpr TechniqueRecord kBareRecord{};
} // namespace

Technique::Technique(const TechniqueContext& context) : context_(context), record_(&kBareRecord) {}

Technique::Technique(const TechniqueContext& context, TechniqueId id)
    : context_(context), record_(&TechniqueRecordOf(id)) {
    const TechniqueRecord& r = *record_;
    Kind = r.kind;
    NameKey = r.nameKey;
    FallbackName = r.fallbackName;
    Name = TechniqueName(context_.Names, NameKey, FallbackName);
    MaxColors = r.maxColors;
    ThreadType = r.threadType;
    StartSide = r.startSide;
    OtherSide = static_cast<uint8_t>(r.otherSide);
    PassesPerRow = static_cast<uint8_t>(r.passesPerRow);
    EdgeMode = static_cast<uint8_t>(r.edgeMode);
    EdgeValue = static_cast<uint8_t>(r.edgeValue);
    SetupLines = r.setupLines.empty() ? 0 : r.setupLines.back().number;
    for (const SheetColumn& c : r.columns) Controls.push_back(std::make_unique<CarriageControl>(c.cells, c.symbol));
}

Technique::~Technique() = default;

int Technique::CheckRow(std::span<const uint8_t>, int) { return kRowAccepted; }
void Technique::GetPassNeedles(int, uint8_t*) {}
int Technique::MakePass(uint8_t*, int, int, int) { return 0; }
void Technique::LoadRow(int) {}

void Technique::Prepare() {
    const TechniqueRecord& r = *record_;
    if (r.setupLines.empty()) return;
    SetControlStates(r.setupStates);
    ResetLines();
    for (const SheetSetupLine& l : r.setupLines) {
        switch (l.kind) {
        case SheetSetupLine::Cells: DrawSettingsLine(l.number, kSetupLineColor, l.text); break;
        case SheetSetupLine::Glyph: DrawNumberLine(l.number, kSetupLineColor, l.text, 24, false); break;
        case SheetSetupLine::BigGlyph: DrawNumberLine(l.number, kSetupLineColor, l.text, 48, true); break;
        }
    }
}

std::string Technique::GetCarriageSetting(int pass) {
    const TechniqueRecord& r = *record_;
    return std::string((pass & 1) && !r.oddSetting.empty() ? r.oddSetting : r.setting);
}

void Technique::DrawRowInstruction(int) {}
void Technique::UpdateColors(int) {}
int Technique::PassToRow(int pass) const { return pass; }
int Technique::RowToPass(int row) const { return row * PassesPerRow; }
int Technique::PassCount() const { return -1; }

void Technique::Retranslate() { Name = TechniqueName(context_.Names, NameKey, FallbackName); }

void Technique::SetCanvas(ISheetCanvas* canvas) {
    Canvas = canvas;
    RowCounter.SetCanvas(canvas);
    int x = RowCounter.ColumnWidth + 2;
    for (auto& c : Controls) {
        c->SetCanvas(canvas);
        c->Left = x;
        x += c->Width + 1;
    }
    ControlsEnd = x;
}

void Technique::DrawInstructionSheet() {
    RowCounter.Paint();
    for (auto& c : Controls) c->Paint();
    LineCounter = 0;
    InSheetDraw = true;
    Prepare();
    InSheetDraw = false;
}

void Technique::DrawInstructionRow(int pass) {
    RowCounter.Paint();
    for (auto& c : Controls) c->Paint();
    LineCounter = 0;
    DrawRowInstruction(pass);
}

CarriageControl* Technique::ResetLines() {
    CarriageControl* last = Controls.empty() ? static_cast<CarriageControl*>(&RowCounter) : Controls.back().get();
    LineTop = last->Top + last->CellHeight + 64;
    return last;
}

void Technique::DrawNumberLine(int number, Color color, std::string_view text, int fontSize, bool lastControl) {
    if (LineCounter >= FirstShownLine && Canvas) {
        CarriageControl* last = Controls.empty() ? static_cast<CarriageControl*>(&RowCounter) : Controls.back().get();
        const int saved = Canvas->fontSize();
        Canvas->setFontSize(fontSize);
        const int left = RowCounter.ColumnWidth + 2;
        const int right = lastControl ? last->Left - 1 : last->Left + last->Width;
        const int top = LineTop;
        const TextExtent e = Canvas->textSize(text);
        const int bottom = top + e.cy + 4;
        LineTop = bottom + 2;
        Canvas->fillRect(left, top, right, bottom, kWhite);
        Canvas->drawText(left + ((right - left) - e.cx) / 2, top + 2, text);
        Canvas->setFontSize(saved);
        if (lastControl) last->DrawCellsLine(top, bottom, last->Cells);
        RowCounter.DrawNumber(top, bottom, color, number);
    }
    ++LineCounter;
}

void Technique::DrawSettingsLine(int number, Color color, std::string_view text) {
    if (LineCounter >= FirstShownLine && Canvas) {
        const int top = LineTop;
        RowCounter.DrawNumber(top, top + RowCounter.LineHeight, color, number);
        size_t at = 0;
        int lastHeight = RowCounter.LineHeight;
        for (auto& c : Controls) {
            const std::string_view part =
                at < text.size() ? text.substr(at, static_cast<size_t>(c->CellCount)) : std::string_view{};
            c->DrawCellsLine(top, top + c->CellHeight, part);
            at += static_cast<size_t>(c->CellCount);
            lastHeight = c->CellHeight;
        }
        LineTop = top + lastHeight + 2;
    }
    ++LineCounter;
}

void Technique::SetControlStates(std::string_view text) {
    size_t at = 0;
    for (auto& c : Controls) {
        for (int i = 0; i < c->CellCount; ++i, ++at)
            if (at < text.size()) c->Cells[static_cast<size_t>(i)] = text[at];
        c->DrawCells();
    }
}

const PassEntry* Technique::GetPassEntry(int i) const {
    if (i < 0 || static_cast<size_t>(i) >= PassEntries.size()) return nullptr;
    return &PassEntries[static_cast<size_t>(i)];
}

int Technique::TotalPasses(int rowCount) const {
    const int pc = PassCount();
    return pc > 0 ? pc : std::max(rowCount, 0) * PassesPerRow;
}

bool Technique::WorkDone(int counter, int rowCount) const {
    if (rowCount <= 0) return true;
    const int pc = PassCount();
    if (pc > 0 && counter >= pc) return true;
    // A cycle covers at most two design rows, so one cycle ahead decides.
    const int window = std::max(1, 2 * static_cast<int>(PassesPerRow));
    for (int p = std::max(counter, 0); p < std::max(counter, 0) + window; ++p) {
        if (pc > 0 && p >= pc) break;
        if (PassToRow(p) < rowCount) return false;
    }
    return true;
}

int Technique::PatternWidth() const { return std::clamp(Raster().Width, 0, kPlaneNeedleBytes * 8); }

int Technique::PlaneByteCount() const {
    const int w = PatternWidth();
    return w <= 0 ? 0 : (w - 1) / 8 + 1;
}

void Technique::ClipToWidth(uint8_t* bits) const {
    const int w = PatternWidth();
    if (w <= 0 || (w & 7) == 0) return;
    bits[w / 8] &= static_cast<uint8_t>(0xFF00u >> (w & 7));
}

bool Technique::CopyTopPlane(int row, uint8_t* bits) const {
    const SeparatedRow& sr = Separation().GetRow(row);
    for (int c = 15; c >= 1; --c) {
        if (!sr.Used(c)) continue;
        std::memcpy(bits, sr.Plane(c), static_cast<size_t>(PlaneByteCount()));
        ClipToWidth(bits);
        return true;
    }
    return false;
}

void Technique::SelectAllNeedles(uint8_t* bits) const {
    const int n = PlaneByteCount();
    if (n <= 0) return;
    std::memset(bits, 0xFF, static_cast<size_t>(n));
    ClipToWidth(bits);
}

void Technique::FireColorChanged() {
    if (RowYarns != LastYarns && OnColorChanged) OnColorChanged(*this);
    LastYarns = RowYarns;
}

void Technique::FireSettingChanged(const std::string& setting) {
    if (setting != LastSetting && OnMachineSettingChanged) OnMachineSettingChanged(*this);
    LastSetting = setting;
}

void Technique::DrawMarkLine(int pass) {
    const int every = record_->markEvery;
    if (every > 0 && pass % every == 0) DrawNumberLine(pass, kRowLineColor, "d$", 24, false);
}

} // namespace lc
