#include "platform/codepage/cp950.h"

#include <QtGlobal>
#include <memory>
#include <tuple>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <utility>

namespace codepage
{
namespace
{

struct ConverterCloser {
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};

// ICU converters are not thread-safe; each thread keeps its own. Null when ICU lacks the
// table, which only a broken installation causes.
UConverter *converter()
{
    thread_local const std::unique_ptr<UConverter, ConverterCloser> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UConverter, ConverterCloser> opened(ucnv_open("windows-950-2000", &status));
        if (U_FAILURE(status)) {
            qWarning("codepage: ICU converter windows-950-2000 unavailable: %s",
                     u_errorName(status));
            return std::unique_ptr<UConverter, ConverterCloser>();
        }
        ucnv_setSubstChars(opened.get(), "?", 1, &status);
        return opened;
    }();
    return instance.get();
}

const UChar *utf16(QStringView text)
{
    static_assert(sizeof(UChar) == sizeof(QChar));
    return reinterpret_cast<const UChar *>(text.utf16());
}

} // namespace

QByteArray toCp950(QStringView text)
{
    UConverter *cnv = converter();
    if (cnv == nullptr || text.isEmpty())
        return {};
    const auto length = static_cast<int32_t>(text.size());
    QByteArray bytes(UCNV_GET_MAX_BYTES_FOR_STRING(length, ucnv_getMaxCharSize(cnv)),
                     Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_fromUChars(cnv, bytes.data(), static_cast<int32_t>(bytes.size()),
                                            utf16(text), length, &status);
    if (U_FAILURE(status))
        return {};
    bytes.truncate(written);
    return bytes;
}

QString fromCp950(const QByteArray &bytes)
{
    UConverter *cnv = converter();
    if (cnv == nullptr || bytes.isEmpty())
        return {};
    const auto convert = [&](QString &text) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t written = ucnv_toUChars(cnv, reinterpret_cast<UChar *>(text.data()),
                                              static_cast<int32_t>(text.size()), bytes.constData(),
                                              static_cast<int32_t>(bytes.size()), &status);
        return std::pair(written, status);
    };
    // One unit a byte is enough for cp950; the second pass only guards that assumption.
    QString text(bytes.size(), Qt::Uninitialized);
    auto [written, status] = convert(text);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        text.resize(written);
        std::tie(written, status) = convert(text);
    }
    if (U_FAILURE(status))
        return {};
    text.truncate(written);
    return text;
}

std::optional<QString> fromCp950Strict(const QByteArray &bytes)
{
    // cp950 has no U+FFFD of its own: one in the text marks bytes it could not read.
    QString text = fromCp950(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    return text;
}

std::optional<quint16> big5Code(QChar ch)
{
    if (ch.isSurrogate())
        return std::nullopt;
    const QByteArray bytes = toCp950(QStringView(&ch, 1));
    // The substitute '?' stands for a missing character unless the character was '?'.
    if (bytes.isEmpty() || (bytes == "?" && ch != u'?'))
        return std::nullopt;
    if (bytes.size() == 1)
        return static_cast<quint8>(bytes[0]);
    return static_cast<quint16>(static_cast<quint8>(bytes[0]) << 8 | static_cast<quint8>(bytes[1]));
}

bool isBig5Hanzi(QStringView text)
{
    if (text.isEmpty())
        return false;
    const std::optional<quint16> code = big5Code(text.front());
    if (!code)
        return false;
    return (*code >= 0xA440 && *code <= 0xC67E) || (*code >= 0xC940 && *code <= 0xF9D5);
}

bool isEudcCode(quint16 code)
{
    return (code >= 0x8140 && code <= 0x8DFE) || (code >= 0x8E40 && code <= 0xA0FE) ||
           (code >= 0xC6A1 && code <= 0xC8FE) || (code >= 0xFA40 && code <= 0xFEFE);
}

bool isValidUtf8(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return true;
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    // Pre-flighting (no destination) still checks every sequence.
    u_strFromUTF8(nullptr, 0, &length, bytes.constData(), static_cast<int32_t>(bytes.size()),
                  &status);
    return status == U_BUFFER_OVERFLOW_ERROR || U_SUCCESS(status);
}

} // namespace codepage
