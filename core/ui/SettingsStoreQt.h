#pragma once
// The settings store on QSettings: an INI file in the user's configuration
// folder ("Orvan Solutions/Loopcrafter.ini" under XDG_CONFIG_HOME).
#include <QString>
#include <memory>

#include "core/SettingsStore.h"

class QSettings;

namespace lc::ui {

class SettingsStoreQt : public ISettingsStore {
public:
    // The user's store of organisation "Orvan Solutions", application "Loopcrafter".
    SettingsStoreQt();
    // A store on the given INI file.
    explicit SettingsStoreQt(const QString& iniFile);
    ~SettingsStoreQt() override;

    bool keyExists(const std::string& key) const override;
    bool createKey(const std::string& key) override;
    bool deleteKey(const std::string& key) override;
    bool hasValue(const std::string& key, const std::string& name) const override;
    std::optional<int32_t> readInt(const std::string& key, const std::string& name) const override;
    std::optional<std::string> readString(const std::string& key, const std::string& name) const override;
    std::optional<std::vector<uint8_t>> readBinary(const std::string& key, const std::string& name) const override;
    // Writes go to the file at once; a file that cannot be written raises IoError.
    void writeInt(const std::string& key, const std::string& name, int32_t v) override;
    void writeString(const std::string& key, const std::string& name, const std::string& v) override;
    void writeBinary(const std::string& key, const std::string& name, const std::vector<uint8_t>& v) override;
    std::vector<std::string> listValues(const std::string& key) const override;

    QString fileName() const;

    // Value names may be anything, a program path included; QSettings reads
    // '/' and '\' as group separators, so names are stored with '%', '/' and
    // '\' percent-encoded.
    static QString encodeName(const std::string& name);
    static std::string decodeName(const QString& stored);

private:
    QString path(const std::string& key, const std::string& name) const;
    void written(const std::string& key);

    std::unique_ptr<QSettings> s_;
};

} // namespace lc::ui
