// The cp950 codec on any bytes and any text: decoding and encoding end, characters the code
// page holds come back as they went in, and the UTF-8 test agrees with Qt's decoder.
#include "fuzzsupport.h"
#include "platform/codepage/cp950.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QString decoded = codepage::fromCp950(bytes);
    codepage::toCp950(decoded);
    if (codepage::isValidUtf8(bytes)) {
        fuzz::Check(QString::fromUtf8(bytes).toUtf8() == bytes, "valid UTF-8 reads back whole",
                    QString::fromLatin1(bytes.toHex()));
    }

    const QString text = fuzz::TextOf(fuzz::BytesOf(data, size));
    codepage::isBig5Hanzi(text);
    for (QChar c : text) {
        const std::optional<quint16> code = codepage::big5Code(c);
        if (!code)
            continue;
        const QString one(c);
        fuzz::Check(codepage::fromCp950(codepage::toCp950(one)) == one,
                    "a cp950 character comes back", QString::number(c.unicode(), 16));
        codepage::isEudcCode(*code);
    }
    return 0;
}
