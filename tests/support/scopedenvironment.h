#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

// Environment variables set for as long as the object lives. Each variable gets back its
// earlier value, or is unset again, when the object goes: also when a failed assertion
// leaves the test early.
class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const char *name, const QByteArray &value) { set(name, value); }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;
    ~ScopedEnvironment()
    {
        for (auto saved = m_saved.rbegin(); saved != m_saved.rend(); ++saved)
            saved->value ? qputenv(saved->name, *saved->value) : qunsetenv(saved->name);
    }

    // A null value unsets the variable; an empty one sets it empty.
    void set(const char *name, const QByteArray &value)
    {
        m_saved.push_back({name, qEnvironmentVariableIsSet(name)
                                     ? std::optional<QByteArray>(qgetenv(name))
                                     : std::nullopt});
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    void unset(const char *name) { set(name, QByteArray()); }

private:
    struct Saved {
        const char *name;
        std::optional<QByteArray> value;
    };
    std::vector<Saved> m_saved;
};
