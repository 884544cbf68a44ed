#pragma once

#include <QString>
#include <utility>

namespace platform
{

// A value or the message of the failure that kept it from being made. Failures the platform
// layers expect (a missing file, table or index, a bad SQL text, a damaged document) come back
// this way, never as exceptions. On failure value() is a default-constructed T, which for the
// handle types of these layers is a closed handle that is safe to use.
template<typename T> class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}

    static Result failure(QString message)
    {
        Result result{T()};
        result.m_error = std::move(message);
        result.m_failed = true;
        return result;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &errorString() const { return m_error; }

    T &value() & { return m_value; }
    const T &value() const & { return m_value; }
    T &&value() && { return std::move(m_value); }
    T *operator->() { return &m_value; }
    const T *operator->() const { return &m_value; }

private:
    T m_value;
    QString m_error;
    bool m_failed = false;
};

} // namespace platform
