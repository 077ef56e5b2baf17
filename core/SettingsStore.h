#pragma once
// The settings store: keys are paths like "Loopcrafter/Machine" under the
// user's store. The real store sits on QSettings (INI, user scope); tests use
// the in-memory one.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lc {

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // `key` names a group ("" = the top); `name` a value inside it.
    virtual bool keyExists(const std::string& key) const = 0;
    virtual bool createKey(const std::string& key) = 0;
    virtual bool deleteKey(const std::string& key) = 0;
    virtual bool hasValue(const std::string& key, const std::string& name) const = 0;
    virtual std::optional<int32_t> readInt(const std::string& key, const std::string& name) const = 0;
    virtual std::optional<std::string> readString(const std::string& key, const std::string& name) const = 0;
    virtual std::optional<std::vector<uint8_t>> readBinary(const std::string& key, const std::string& name) const = 0;
    virtual void writeInt(const std::string& key, const std::string& name, int32_t v) = 0;
    virtual void writeString(const std::string& key, const std::string& name, const std::string& v) = 0;
    virtual void writeBinary(const std::string& key, const std::string& name, const std::vector<uint8_t>& v) = 0;
    virtual std::vector<std::string> listValues(const std::string& key) const = 0;
};

// In-memory store for tests and headless runs.
class MemorySettingsStore : public ISettingsStore {
public:
    struct Value {
        enum Kind { Int, String, Binary } kind = Int;
        int32_t i = 0;
        std::string s;
        std::vector<uint8_t> b;
    };

    bool keyExists(const std::string& key) const override { return keys_.count(key) != 0; }
    bool createKey(const std::string& key) override {
        keys_[key];
        return true;
    }
    bool deleteKey(const std::string& key) override { return keys_.erase(key) != 0; }
    bool hasValue(const std::string& key, const std::string& name) const override {
        auto k = keys_.find(key);
        return k != keys_.end() && k->second.count(name) != 0;
    }
    std::optional<int32_t> readInt(const std::string& key, const std::string& name) const override {
        const Value* v = find(key, name);
        if (!v || v->kind != Value::Int) return std::nullopt;
        return v->i;
    }
    std::optional<std::string> readString(const std::string& key, const std::string& name) const override {
        const Value* v = find(key, name);
        if (!v || v->kind != Value::String) return std::nullopt;
        return v->s;
    }
    std::optional<std::vector<uint8_t>> readBinary(const std::string& key, const std::string& name) const override {
        const Value* v = find(key, name);
        if (!v || v->kind != Value::Binary) return std::nullopt;
        return v->b;
    }
    void writeInt(const std::string& key, const std::string& name, int32_t v) override {
        keys_[key][name] = Value{Value::Int, v, {}, {}};
    }
    void writeString(const std::string& key, const std::string& name, const std::string& v) override {
        keys_[key][name] = Value{Value::String, 0, v, {}};
    }
    void writeBinary(const std::string& key, const std::string& name, const std::vector<uint8_t>& v) override {
        keys_[key][name] = Value{Value::Binary, 0, {}, v};
    }
    std::vector<std::string> listValues(const std::string& key) const override {
        std::vector<std::string> out;
        auto k = keys_.find(key);
        if (k != keys_.end())
            for (const auto& [n, v] : k->second) out.push_back(n);
        return out;
    }
    void removeValue(const std::string& key, const std::string& name) {
        auto k = keys_.find(key);
        if (k != keys_.end()) k->second.erase(name);
    }

private:
    const Value* find(const std::string& key, const std::string& name) const {
        auto k = keys_.find(key);
        if (k == keys_.end()) return nullptr;
        auto v = k->second.find(name);
        return v == k->second.end() ? nullptr : &v->second;
    }
    std::map<std::string, std::map<std::string, Value>> keys_;
};

} // namespace lc
