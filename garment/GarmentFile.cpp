#include "garment/GarmentFile.h"

#include <algorithm>

#include "core/AtomicFile.h"
#include "core/Bytes.h"
#include "core/Errors.h"
#include "core/ModelFile.h"

namespace lc {

namespace {

constexpr const char* kDamaged = "file is damaged";

void writePoint(ByteWriter& w, const GarmentPoint& p) {
    w.i32(p.X);
    w.i32(p.Y);
    w.u16(p.Number);
    w.u8(p.Selected);
    w.u8(p.Spare);
}

void writeCurve(ByteWriter& w, const GarmentCurve& c) {
    w.u8(c.Kind);
    w.u8(c.Spare);
    w.u16(c.StartPoint);
    w.u16(c.EndPoint);
}

// Spare bytes mean nothing and are not kept; Selected is a truth value.
GarmentPoint readPoint(ByteReader& r) {
    GarmentPoint p;
    p.X = r.i32();
    p.Y = r.i32();
    p.Number = r.u16();
    p.Selected = r.u8() != 0 ? 1 : 0;
    r.skip(1);
    return p;
}

GarmentCurve readCurve(ByteReader& r) {
    GarmentCurve c;
    c.Kind = r.u8();
    r.skip(1);
    c.StartPoint = r.u16();
    c.EndPoint = r.u16();
    return c;
}

void checkCount(size_t count, const char* what) {
    if (count > 65535) throw RangeError(std::string("too many ") + what + " for a garments file (at most 65535)");
}

} // namespace

// ---------------------------------------------------------------- product

const GarmentPiece& GarmentProduct::Piece(int i) const {
    if (i < 0 || i >= PieceCount()) throw RangeError("piece index out of range");
    return pieces_[static_cast<size_t>(i)];
}

void GarmentProduct::SetPieceName(int i, std::string name) {
    (void)Piece(i);
    pieces_[static_cast<size_t>(i)].Name = std::move(name);
}

bool GarmentProduct::AddGarment(const GarmentOutline& garment) {
    if (garment.PointCount() == 0) return false;
    GarmentPiece p;
    p.Name = kNewGarmentName;
    p.Points = garment.Points();
    p.Curves = garment.Curves();
    p.Reserved = garment.Reserved;
    p.SymmetryAxis = garment.SymmetryAxis();
    pieces_.push_back(std::move(p));
    return true;
}

void GarmentProduct::DeleteGarment(int i) {
    (void)Piece(i);
    pieces_.erase(pieces_.begin() + i);
}

void GarmentProduct::GetGarment(int i, GarmentOutline& garment) const {
    garment.Clear();
    if (i < 0 || i >= PieceCount()) return;
    const GarmentPiece& p = pieces_[static_cast<size_t>(i)];
    garment.Assign(p.Points, p.Curves, p.Reserved, p.SymmetryAxis);
}

void GarmentProduct::SetGarment(int i, const GarmentOutline& garment) {
    if (i < 0 || i >= PieceCount()) return;
    GarmentPiece& p = pieces_[static_cast<size_t>(i)];
    p.Points = garment.Points();
    p.Curves = garment.Curves();
    p.Reserved = garment.Reserved;
    p.SymmetryAxis = garment.SymmetryAxis();
}

// ---------------------------------------------------------------- garments file

std::vector<uint8_t> GarmentProduct::SaveToBytes(const GarmentOutline& garment) const {
    checkCount(pieces_.size(), "pieces");
    checkCount(garment.Points().size(), "points");
    checkCount(garment.Curves().size(), "lines");
    size_t total = 6 + 12 * garment.Points().size() + 6 * garment.Curves().size();
    for (const GarmentPiece& p : pieces_) {
        checkCount(p.Points.size(), "points");
        checkCount(p.Curves.size(), "lines");
        total += 51 + 12 * p.Points.size() + 6 * p.Curves.size();
    }
    ByteWriter w;
    w.buffer().reserve(total);
    w.u16(static_cast<uint16_t>(pieces_.size()));
    for (const GarmentPiece& p : pieces_) {
        w.shortString(kPieceNameField, p.Name);
        w.u16(p.Reserved);
        w.i32(p.SymmetryAxis);
        w.u16(static_cast<uint16_t>(p.Points.size()));
        for (const GarmentPoint& q : p.Points) writePoint(w, q);
        w.u16(static_cast<uint16_t>(p.Curves.size()));
        for (const GarmentCurve& c : p.Curves) writeCurve(w, c);
    }
    w.u16(static_cast<uint16_t>(garment.PointCount()));
    for (const GarmentPoint& q : garment.Points()) writePoint(w, q);
    w.u16(static_cast<uint16_t>(garment.CurveCount()));
    for (const GarmentCurve& c : garment.Curves()) writeCurve(w, c);
    return std::move(w.buffer());
}

bool GarmentProduct::SaveToFile(const std::filesystem::path& fileName, const GarmentOutline& garment) const {
    if (pieces_.empty() && garment.PointCount() == 0) return false;
    const std::vector<uint8_t> bytes = SaveToBytes(garment);
    WriteFileAtomic(fileName, bytes);
    return true;
}

void GarmentProduct::LoadFromBytes(std::span<const uint8_t> bytes, GarmentOutline& garment) {
    ByteReader r(bytes, kDamaged);
    std::vector<GarmentPiece> pieces;
    const uint16_t pieceCount = r.u16();
    // Every piece takes at least 51 bytes: no allocation beyond what the file can hold.
    pieces.reserve(std::min<size_t>(pieceCount, r.remaining() / 51));
    for (uint16_t k = 0; k < pieceCount; ++k) {
        GarmentPiece p;
        p.Name = r.shortString(kPieceNameField);
        p.Reserved = r.u16();
        p.SymmetryAxis = r.i32();
        const uint16_t n = r.u16();
        r.need(12 * size_t{n});
        p.Points.reserve(n);
        for (uint16_t i = 0; i < n; ++i) p.Points.push_back(readPoint(r));
        const uint16_t m = r.u16();
        r.need(6 * size_t{m});
        p.Curves.reserve(m);
        for (uint16_t i = 0; i < m; ++i) {
            const GarmentCurve c = readCurve(r);
            if (c.StartPoint < n && c.EndPoint < n && c.Kind <= kMaxCurveKind) p.Curves.push_back(c);
        }
        // An axis that names no point of the piece makes it not symmetrical.
        if (p.SymmetryAxis < -1 || p.SymmetryAxis >= static_cast<int32_t>(n)) p.SymmetryAxis = -1;
        pieces.push_back(std::move(p));
    }

    // The outline section goes into a copy of the working outline; its stored
    // indexes are mapped to the points they became, so curves still join the
    // same points when stored points merge.
    GarmentOutline outline(garment);
    const uint16_t n = r.u16();
    r.need(12 * size_t{n});
    std::vector<int32_t> loadedIndex(n);
    for (uint16_t i = 0; i < n; ++i) {
        const GarmentPoint p = readPoint(r);
        loadedIndex[i] = outline.AddPoint(p.X, p.Y);
    }
    const uint16_t m = r.u16();
    r.need(6 * size_t{m});
    for (uint16_t i = 0; i < m; ++i) {
        const GarmentCurve c = readCurve(r);
        if (c.StartPoint >= n || c.EndPoint >= n || c.Kind > kMaxCurveKind) continue;
        const int s = loadedIndex[c.StartPoint], e = loadedIndex[c.EndPoint];
        if (s == e && c.StartPoint != c.EndPoint) continue; // its two ends merged into one point
        outline.AddCurve(s, e, c.Kind);
    }
    if (!r.atEnd()) throw FormatError("not a garments file");

    pieces_ = std::move(pieces);
    garment = std::move(outline);
}

void GarmentProduct::LoadFromFile(const std::filesystem::path& fileName, GarmentOutline& garment) {
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    try {
        LoadFromBytes(bytes, garment);
    } catch (const FormatError& e) {
        throw FormatError("\"" + fileName.string() + "\": " + e.what());
    } catch (const RangeError& e) {
        throw FormatError("\"" + fileName.string() + "\": " + e.what());
    }
}

// ---------------------------------------------------------------- model item

std::vector<uint8_t> GarmentItemBytes(const GarmentOutline& garment) {
    ByteWriter w;
    w.buffer().reserve(GarmentItemSize(garment.Points().size(), garment.Curves().size()));
    w.u16(garment.Reserved);
    w.i32(garment.SymmetryAxis());
    w.i32(garment.PointCount());
    for (const GarmentPoint& p : garment.Points()) writePoint(w, p);
    w.i32(garment.CurveCount());
    for (const GarmentCurve& c : garment.Curves()) writeCurve(w, c);
    return std::move(w.buffer());
}

void LoadGarmentItem(std::span<const uint8_t> item, GarmentOutline& garment) {
    ByteReader r(item, "the garment item is damaged");
    const uint16_t reserved = r.u16();
    const int32_t axis = r.i32();
    const int32_t n = r.i32();
    if (n < 0 || n > kMaxGarmentPoints) throw FormatError("the garment item is damaged");
    r.need(12 * static_cast<size_t>(n));
    std::vector<GarmentPoint> points;
    points.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) points.push_back(readPoint(r));
    const int32_t m = r.i32();
    if (m < 0) throw FormatError("the garment item is damaged");
    r.need(6 * static_cast<size_t>(m));
    std::vector<GarmentCurve> curves;
    curves.reserve(static_cast<size_t>(m));
    for (int32_t i = 0; i < m; ++i) {
        const GarmentCurve c = readCurve(r);
        if (c.StartPoint >= n || c.EndPoint >= n || c.Kind > kMaxCurveKind)
            throw FormatError("the garment item is damaged");
        curves.push_back(c);
    }
    if (garment.PointCount() + n > kMaxGarmentPoints) throw FormatError("the garment holds more than 65535 points");

    const int base = garment.PointCount();
    garment.AppendRecords(points, curves);
    garment.Reserved = reserved;
    // An axis that names no point of the item makes the outline not symmetrical.
    garment.SetSymmetryAxis(axis >= 0 && axis < n ? axis + base : -1);
}

bool LoadGarment(const ModelFile& model, int index, GarmentOutline& garment) {
    if (index < 0 || index >= static_cast<int>(model.Items.size()) || model.Items[index].Kind != kItemGarment)
        return false;
    // An item added but never stored holds no garment yet.
    if (!model.Items[index].Data.empty()) LoadGarmentItem(model.GarmentData(index), garment);
    return true;
}

void RestoreGarment(const ModelFile& model, const std::string& name, GarmentOutline& garment) {
    const auto items = model.GarmentData(name);
    if (items.empty()) return;
    // Into a copy: a damaged item after good ones must not leave half a restore.
    GarmentOutline t(garment);
    for (std::span<const uint8_t> item : items)
        if (!item.empty()) LoadGarmentItem(item, t);
    garment = std::move(t);
}

} // namespace lc
