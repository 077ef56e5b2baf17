#include "core/ui/SettingsStoreQt.h"

#include <QSettings>
#include <QStringList>

#include "core/Errors.h"

namespace lc::ui {

namespace {

// QSettings cannot hold an empty group, while a key the store has created
// exists before it holds any value. An empty created key keeps this marker, a
// name that encodeName never produces ('%' followed by no hex digits).
const QString kEmptyKeyMarker = QStringLiteral("%key");

QString groupOf(const std::string& key) { return QString::fromStdString(key); }

} // namespace

SettingsStoreQt::SettingsStoreQt()
    : s_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orvan Solutions"),
                                     QStringLiteral("Loopcrafter"))) {}

SettingsStoreQt::SettingsStoreQt(const QString& iniFile)
    : s_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

SettingsStoreQt::~SettingsStoreQt() { s_->sync(); }

QString SettingsStoreQt::fileName() const { return s_->fileName(); }

QString SettingsStoreQt::encodeName(const std::string& name) {
    const QString in = QString::fromStdString(name);
    QString out;
    out.reserve(in.size());
    for (QChar c : in) {
        if (c == u'%') out += QStringLiteral("%25");
        else if (c == u'/') out += QStringLiteral("%2F");
        else if (c == u'\\') out += QStringLiteral("%5C");
        else out += c;
    }
    return out;
}

std::string SettingsStoreQt::decodeName(const QString& stored) {
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored[i] == u'%' && i + 2 < stored.size()) {
            const QString code = stored.mid(i + 1, 2).toUpper();
            if (code == u"25") {
                out += u'%';
                i += 2;
                continue;
            }
            if (code == u"2F") {
                out += u'/';
                i += 2;
                continue;
            }
            if (code == u"5C") {
                out += u'\\';
                i += 2;
                continue;
            }
        }
        out += stored[i];
    }
    return out.toStdString();
}

QString SettingsStoreQt::path(const std::string& key, const std::string& name) const {
    const QString n = encodeName(name);
    return key.empty() ? n : groupOf(key) + u'/' + n;
}

bool SettingsStoreQt::keyExists(const std::string& key) const {
    if (key.empty()) return !s_->allKeys().isEmpty();
    QString group = groupOf(key);
    while (group.endsWith(u'/')) group.chop(1);
    const qsizetype cut = group.lastIndexOf(u'/');
    const QString parent = cut < 0 ? QString() : group.left(cut);
    const QString last = cut < 0 ? group : group.mid(cut + 1);
    s_->beginGroup(parent);
    const bool found = s_->childGroups().contains(last);
    s_->endGroup();
    return found;
}

bool SettingsStoreQt::createKey(const std::string& key) {
    if (key.empty() || keyExists(key)) return true;
    s_->setValue(groupOf(key) + u'/' + kEmptyKeyMarker, QString()); // stays until a value arrives
    s_->sync();
    return s_->status() == QSettings::NoError;
}

bool SettingsStoreQt::deleteKey(const std::string& key) {
    if (key.empty() || !keyExists(key)) return false;
    s_->remove(groupOf(key));
    s_->sync();
    return s_->status() == QSettings::NoError;
}

bool SettingsStoreQt::hasValue(const std::string& key, const std::string& name) const {
    return s_->contains(path(key, name));
}

std::optional<int32_t> SettingsStoreQt::readInt(const std::string& key, const std::string& name) const {
    const QVariant v = s_->value(path(key, name));
    bool ok = false;
    int32_t out = 0;
    switch (v.typeId()) {
    case QMetaType::Int: return v.toInt();
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: out = v.toInt(&ok); break;
    case QMetaType::QString:
        out = v.toString().trimmed().toInt(&ok); // the INI file keeps numbers as text
        break;
    default: break; // missing, binary or a list: not an integer
    }
    return ok ? std::optional<int32_t>(out) : std::nullopt;
}

std::optional<std::string> SettingsStoreQt::readString(const std::string& key, const std::string& name) const {
    const QVariant v = s_->value(path(key, name));
    switch (v.typeId()) {
    case QMetaType::QString: return v.toString().toStdString();
    case QMetaType::QStringList: // an unquoted comma in a hand-edited file
        return v.toStringList().join(QStringLiteral(", ")).toStdString();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return v.toString().toStdString();
    default: return std::nullopt;
    }
}

std::optional<std::vector<uint8_t>> SettingsStoreQt::readBinary(const std::string& key, const std::string& name) const {
    const QVariant v = s_->value(path(key, name));
    if (v.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray b = v.toByteArray();
    return std::vector<uint8_t>(b.begin(), b.end());
}

void SettingsStoreQt::written(const std::string& key) {
    if (!key.empty()) {
        const QString marker = groupOf(key) + u'/' + kEmptyKeyMarker;
        if (s_->contains(marker)) s_->remove(marker);
    }
    s_->sync();
    if (s_->status() != QSettings::NoError)
        throw IoError(s_->fileName().toStdString(), "Cannot write the settings file");
}

void SettingsStoreQt::writeInt(const std::string& key, const std::string& name, int32_t v) {
    s_->setValue(path(key, name), int(v));
    written(key);
}

void SettingsStoreQt::writeString(const std::string& key, const std::string& name, const std::string& v) {
    s_->setValue(path(key, name), QString::fromStdString(v));
    written(key);
}

void SettingsStoreQt::writeBinary(const std::string& key, const std::string& name, const std::vector<uint8_t>& v) {
    s_->setValue(path(key, name), QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size())));
    written(key);
}

std::vector<std::string> SettingsStoreQt::listValues(const std::string& key) const {
    s_->beginGroup(groupOf(key));
    const QStringList names = s_->childKeys();
    s_->endGroup();
    std::vector<std::string> out;
    for (const QString& n : names)
        if (n != kEmptyKeyMarker) out.push_back(decodeName(n));
    return out;
}

} // namespace lc::ui
