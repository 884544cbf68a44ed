#include "vbprog/Fonsetta/installrows.h"

#include <algorithm>

namespace fonsetta
{

namespace
{

const QString kImePrefix = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\");

} // namespace

const QList<InstallRow> &installRows()
{
    static const QList<InstallRow> rows = {
        {RowId::Typeface, u"外字"_qs, u"外字"_qs, QString::fromUtf16(kEudcKey),
         QString::fromUtf16(kSystemDefaultEudcFont), QString(), u"Qeleudc.tte"_qs, u"外字檔"_qs,
         u"*.tte"_qs},
        {RowId::Cangjie, u"倉頡"_qs, u"倉頡"_qs, kImePrefix + u"CHAJEI"_qs, u"User Dictionary"_qs,
         u"E0020404"_qs, u"Qeleudcj.tbl"_qs, u"輸入法"_qs, u"*.tbl"_qs},
        {RowId::Zhuyin, u"注音"_qs, u"注音"_qs, kImePrefix + u"PHON"_qs, u"User Dictionary"_qs,
         u"E0010404"_qs, u"Qeleudpn.tbl"_qs, u"輸入法"_qs, u"*.tbl"_qs},
        {RowId::NewCangjie, u"新倉頡"_qs, u"微軟新倉頡"_qs, kImePrefix + u"CINTLGNT"_qs,
         u"Eudc Dictionary"_qs, u"E0090404"_qs, u"cQelc.tab"_qs, u"輸入法"_qs, u"*.tab"_qs},
        {RowId::NewZhuyin, u"新注音"_qs, u"微軟新注音"_qs, kImePrefix + u"TINTLGNT"_qs,
         u"Eudc Dictionary"_qs, u"E0080404"_qs, u"tQelc.tab"_qs, u"輸入法"_qs, u"*.tab"_qs},
    };
    return rows;
}

const InstallRow &installRow(RowId id)
{
    const QList<InstallRow> &rows = installRows();
    return *std::find_if(rows.begin(), rows.end(),
                         [id](const InstallRow &row) { return row.id == id; });
}

} // namespace fonsetta
