#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

// What the harnesses share: turning fuzz input into text, the Qt application that some code
// needs, and the check that reports a broken rule as a crash with the input that broke it.
namespace fuzz
{

// The bytes as text: after a first byte of 0 they are UTF-8 (the form of the seeds), after
// any other first byte UTF-16 code units, so that texts with unpaired surrogates occur too.
inline QString TextOf(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const std::string_view rest = bytes.substr(1);
    if (bytes.front() == '\0')
        return QString::fromUtf8(rest.data(), qsizetype(rest.size()));
    QString text(qsizetype(rest.size() / 2), Qt::Uninitialized);
    std::memcpy(text.data(), rest.data(), size_t(text.size()) * sizeof(char16_t));
    return text;
}

inline std::string_view BytesOf(const uint8_t *data, size_t size)
{
    return {reinterpret_cast<const char *>(data), size};
}

// Creates the one QCoreApplication of the run, for code that needs an application object.
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "murvel-fuzz";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv); // lives as long as the process
}

// A template for temporary folders in memory where there is such a file system: the
// harnesses that write files run many times faster there.
inline QString ScratchTemplate()
{
    const QString memory = QStringLiteral("/dev/shm");
    return (QDir(memory).exists() ? memory : QDir::tempPath()) +
           QStringLiteral("/murvel-fuzz-XXXXXX");
}

// Aborts, so that the fuzzer keeps the input, when a rule the code promises does not hold.
inline void Check(bool holds, const char *rule, const QString &detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "broken rule: %s\n%s\n", rule, detail.toUtf8().constData());
    std::abort();
}

} // namespace fuzz
