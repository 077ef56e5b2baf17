#include "knitting/KnitMachine.h"

#include <algorithm>

#include "knitting/TechniqueFactory.h"

namespace lc {

KnitMachine::KnitMachine() = default;

KnitMachine::~KnitMachine() {
    // Released last to first, as they were created.
    while (!Techniques.empty()) Techniques.pop_back();
}

void KnitMachine::Add(std::unique_ptr<Technique> t) {
    t->SetCanvas(nullptr); // lays the columns out, so ControlsEnd is known before any paint
    Techniques.push_back(std::move(t));
}

void KnitMachine::Paint(ISheetCanvas& canvas) {
    canvas.setFontSize(FontSize);
    canvas.setFontColor(0);
    canvas.fillRect(0, 0, Width, Height, PanelColor);
    if (!CurrentTechnique) return;
    CurrentTechnique->SetCanvas(&canvas);
    if (RowUpDown.Position == 0) CurrentTechnique->DrawInstructionSheet();
    else CurrentTechnique->DrawInstructionRow(RowUpDown.Position);
    CurrentTechnique->SetCanvas(nullptr); // the canvas lives for one paint only
}

void KnitMachine::Resize(int width, int height) {
    Width = std::max(width, 0);
    Height = std::max(height, 0);
    LineScroll.Top = 0;
    LineScroll.Height = Height;
    Invalidate();
}

void KnitMachine::ScrollBarChange(int position) {
    LineScroll.Position = std::clamp(position, LineScroll.Min, std::max(LineScroll.Min, LineScroll.Max));
    if (CurrentTechnique) CurrentTechnique->FirstShownLine = LineScroll.Position;
    Invalidate();
}

void KnitMachine::UpDownClick(int position) {
    RowUpDown.Position = std::clamp(position, RowUpDown.Min, RowUpDown.Max);
    if (Listener) Listener->rowCounterChanged(RowUpDown.Position);
    Invalidate();
}

void KnitMachine::SetRowRange(int maximum) {
    RowUpDown.Max = std::max(maximum, RowUpDown.Min);
    RowUpDown.Position = std::min(RowUpDown.Position, RowUpDown.Max);
}

int KnitMachine::GetTechnique(int i, std::string& name) const {
    if (i < 0 || static_cast<size_t>(i) >= Techniques.size()) return -1;
    name = Techniques[static_cast<size_t>(i)]->Name;
    return Techniques[static_cast<size_t>(i)]->Kind;
}

std::string KnitMachine::GetCurrentTechniqueName() const {
    return CurrentTechnique ? CurrentTechnique->Name : std::string();
}

Technique* KnitMachine::FindTechnique(int kind) const {
    for (const auto& t : Techniques)
        if (t->Kind == kind) return t.get();
    return nullptr;
}

int KnitMachine::IndexOf(const Technique* t) const {
    for (size_t i = 0; i < Techniques.size(); ++i)
        if (Techniques[i].get() == t) return static_cast<int>(i);
    return -1;
}

void KnitMachine::ResetScrollBar() {
    LineScroll.Min = 0;
    LineScroll.Position = 0;
    LineScroll.Max = CurrentTechnique ? CurrentTechnique->SetupLines : 0;
    LineScroll.Left = CurrentTechnique ? CurrentTechnique->ControlsEnd : 0;
    if (CurrentTechnique) CurrentTechnique->FirstShownLine = 0;
}

bool KnitMachine::SelectTechniqueByKind(int kind) {
    Technique* t = kind > 0 ? FindTechnique(kind) : nullptr;
    if (t) CurrentTechnique = t;
    ResetScrollBar();
    Invalidate();
    return t != nullptr;
}

bool KnitMachine::SelectTechnique(std::string_view name) {
    for (const auto& t : Techniques)
        if (t->Name == name) return SelectTechniqueByKind(t->Kind);
    ResetScrollBar();
    Invalidate();
    return false;
}

void KnitMachine::Retranslate() {
    for (auto& t : Techniques) t->Retranslate();
}

SilverReedMachine::SilverReedMachine(const TechniqueContext& context) {
    Name = "Silver SK840";
    for (int i = 0; i < kTechniqueCount; ++i) Add(MakeTechnique(context, static_cast<TechniqueId>(i)));
    CurrentTechnique = Techniques.front().get();
    ResetScrollBar();
    LineScroll.Top = 0;
    LineScroll.Height = Height;
    RowUpDown.Width = CurrentTechnique->RowCounter.Width;
    RowUpDown.Height = CurrentTechnique->RowCounter.Height;
}

std::vector<std::string> TechniqueListLines(const KnitMachine& machine) {
    std::vector<std::string> lines;
    std::string name;
    for (int i = 0;; ++i) {
        const int kind = machine.GetTechnique(i, name);
        if (kind == -1) break;
        if (kind > 0) lines.push_back(name + "=" + std::to_string(kind));
    }
    return lines;
}

} // namespace lc
