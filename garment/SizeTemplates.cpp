#include "garment/SizeTemplates.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Bytes.h"

namespace lc {

bool IsValidMeasurement(double v) { return std::isfinite(v) && v > 0.0 && v < 1000.0; }

std::optional<SizeTemplate> MakeTemplate(std::string name,
                                         const std::array<std::optional<double>, kBodyFieldCount>& typed) {
    SizeTemplate t;
    if (name.size() > kTemplateNameMax) name.resize(kTemplateNameMax);
    t.Name = std::move(name);
    t.Kind = kCustomTemplateKind;
    for (int f = 0; f < kBodyFieldCount; ++f) {
        const bool hidden = f == bfLe10 || f == bfLe11 || f == bfLe12;
        if (!typed[f]) {
            if (!hidden) return std::nullopt;
            continue;
        }
        if (!IsValidMeasurement(*typed[f])) return std::nullopt;
        t.Values[f] = *typed[f];
    }
    if (!typed[bfLe10]) t.Values[bfLe10] = 0.14 * t.Values[bfHips];
    if (!typed[bfLe11]) t.Values[bfLe11] = 0.34 * t.Values[bfBackLength];
    if (!typed[bfLe12]) t.Values[bfLe12] = 0.1 * t.Values[bfBackLength];
    return t;
}

std::string ShippedTemplatesName(const std::string& languageCode) {
    return std::string(kTemplatesPrefix) + (languageCode == "RUS" ? "RUS" : "ENG");
}

std::vector<SizeTemplate> ReadTemplates(const std::filesystem::path& file) {
    return ParseTemplates(ReadWholeFile(file, 16u << 20));
}

std::vector<SizeTemplate> ParseTemplates(std::span<const uint8_t> bytes) {
    if (bytes.size() % kSizeTemplateRecord != 0) throw FormatError("the size templates file is damaged");
    std::vector<SizeTemplate> out(bytes.size() / kSizeTemplateRecord);
    ByteReader r(bytes, "the size templates file is damaged");
    for (SizeTemplate& t : out) {
        const auto name = r.bytes(kTemplateNameMax + 1);
        const size_t len = std::min<size_t>(name[0], kTemplateNameMax);
        t.Name.assign(reinterpret_cast<const char*>(name.data() + 1), len);
        t.Kind = r.i32();
        if (t.Kind < 1 || t.Kind > kCustomTemplateKind) throw FormatError("the size templates file is damaged");
        for (double& v : t.Values) {
            v = r.f64();
            if (!std::isfinite(v)) throw FormatError("the size templates file is damaged");
        }
    }
    return out;
}

std::vector<uint8_t> TemplatesBytes(const std::vector<SizeTemplate>& templates) {
    ByteWriter w;
    for (const SizeTemplate& t : templates) {
        const size_t len = std::min(t.Name.size(), kTemplateNameMax);
        w.u8(static_cast<uint8_t>(len));
        w.bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(t.Name.data()), len));
        w.zeros(kTemplateNameMax - len);
        w.i32(t.Kind);
        for (double v : t.Values) w.f64(v);
    }
    return std::move(w.buffer());
}

namespace {
std::vector<SizeTemplate> ReadIfExists(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return {};
    return ReadTemplates(file);
}
} // namespace

void AppendTemplate(const std::filesystem::path& file, const SizeTemplate& t) {
    std::vector<SizeTemplate> all = ReadIfExists(file);
    all.push_back(t);
    WriteFileAtomic(file, TemplatesBytes(all));
}

bool UpdateTemplate(const std::filesystem::path& file, const SizeTemplate& t) {
    std::vector<SizeTemplate> all = ReadIfExists(file);
    // The record's own place in the file, whatever kinds the file holds.
    for (size_t i = all.size(); i-- > 0;) {
        if (all[i].Name == t.Name) {
            all[i] = t;
            WriteFileAtomic(file, TemplatesBytes(all));
            return true;
        }
    }
    return false;
}

int DeleteTemplates(const std::filesystem::path& file, const std::string& name) {
    std::vector<SizeTemplate> all = ReadIfExists(file);
    const size_t before = all.size();
    std::erase_if(all, [&](const SizeTemplate& t) { return t.Name == name; });
    const int removed = static_cast<int>(before - all.size());
    if (removed > 0) WriteFileAtomic(file, TemplatesBytes(all));
    return removed;
}

} // namespace lc
