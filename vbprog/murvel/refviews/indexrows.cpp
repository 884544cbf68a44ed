#include "vbprog/murvel/refviews/indexrows.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用程序.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

const QStringList RegularFields = {
    Fields::字碼,           Fields::字體,           Fields::字形,
    Fields::漢語大字典,     Fields::部首,           Fields::遠東漢語大字典,
    Fields::建宏漢語大字典, Fields::中文大辭典索引, Fields::中文大辭典部首,
    Fields::小篆編號,       Fields::金文編號,       Fields::甲骨文編號,
    Fields::楚系文字編號,   Fields::Unicode,        Fields::BIG5};
const QStringList SealFields = {Fields::部首, Fields::卷, Fields::詁林索引, Fields::中華索引};
const QStringList BronzeFields = {Fields::金文編索引, Fields::金文詁林索引, Fields::集成器號,
                                  Fields::集成引得索引};
// The supplement holds a vessel number for some glyphs, which the view does not show.
const QStringList SupplementFields = {Fields::金文編索引, Fields::金文詁林索引,
                                      Fields::集成引得索引};
const QStringList OracleFields = {Fields::甲骨刻辭類纂, Fields::甲骨文字詁林, Fields::甲骨文字集釋};
const QStringList ChuFields = {Fields::楚系簡帛文字編, Fields::出處};

// The last 編號 of the Big5 hanzi (F9DC).
constexpr qint32 LastBig5Number = 13060;

// The record that a cross-number field of the regular record leads to.
std::optional<RecordFields> linkedRecord(const RecordFields &regular, const QString &link,
                                         jet::Table &table, const QStringList &fields)
{
    const std::optional<qint32> number = Int32Field(regular.value(link));
    return number ? SeekByNumber(table, *number, fields) : std::nullopt;
}

// The supplement is opened with its index 楷書編號, which it keeps.
std::optional<RecordFields> supplementRecord(qint32 number)
{
    if (!gRs補遺金文.seek(QVariant(number)))
        return std::nullopt;
    RecordFields record;
    for (const QString &field : SupplementFields)
        record.insert(field, gRs補遺金文.value(field));
    return record;
}

QString radicalText(const QVariant &number, QString (*glyphOf)(qint32))
{
    const std::optional<qint32> radical = Int32Field(number);
    return radical ? glyphOf(*radical) : QString();
}

// Adds the rows of one load, each under the row index its caller gives.
class IndexRowBuilder
{
public:
    explicit IndexRowBuilder(ReferenceRows &rows) : m_rows(rows) {}

    // A title or edition row; returns its index.
    int title(const QString &text, int parent)
    {
        m_rows.append(labelRow(text, parent, true));
        return int(m_rows.size()) - 1;
    }
    // A value row: the label followed directly by the value.
    void value(const QString &label, const QVariant &value, int parent)
    {
        m_rows.append(labelRow(label + value.toString(), parent, false));
    }
    // An edition with its one value row, when its option is checked and its field holds a
    // value.
    void edition(bool shown, const QString &text, const QString &label, const RecordFields &record,
                 const QString &field, int parent)
    {
        if (shown && HasValue(record, field))
            value(label, record.value(field), title(text, parent));
    }

private:
    static ReferenceRow labelRow(const QString &text, int parent, bool node)
    {
        ReferenceRow row;
        row.text = text;
        row.parent = parent;
        row.fontSize = ReferenceRow::LabelSize;
        row.flag = 3;
        row.node = node;
        row.expanded = node;
        return row;
    }

    ReferenceRows &m_rows;
};

} // namespace

std::optional<IndexRecords> ReadIndexRecords(const QString &face, qint32 number)
{
    std::optional<RegularRecord> regular = ReadRegularRecord(face, number, RegularFields);
    if (!regular)
        return std::nullopt;

    IndexRecords records;
    records.number = regular->number;
    records.regular = std::move(regular->fields);
    const RecordFields &r = records.regular;
    records.seal = linkedRecord(r, Fields::小篆編號, gRs檢字表小篆, SealFields);
    records.bronze = linkedRecord(r, Fields::金文編號, gRs檢字表金文, BronzeFields);
    if (!HasValue(r, Fields::金文編號))
        records.supplement = supplementRecord(records.number);
    records.oracle = linkedRecord(r, Fields::甲骨文編號, gRs檢字表甲骨文, OracleFields);
    records.chu = linkedRecord(r, Fields::楚系文字編號, gRs檢字表楚系文字, ChuFields);
    records.kangxiRadical = radicalText(r.value(Fields::部首), KangxiRadicalGlyph);
    records.dictionaryRadical = radicalText(r.value(Fields::中文大辭典部首), KangxiRadicalGlyph);
    if (records.seal)
        records.shuowenRadical =
            radicalText(records.seal->value(Fields::部首), ShuowenRadicalGlyph);
    return records;
}

ReferenceRows BuildIndexRows(const IndexRecords &records, const QString &glyphFace,
                             const OptionCheck &checked)
{
    const RecordFields &regular = records.regular;
    ReferenceRows rows;
    ReferenceRow glyph;
    glyph.text = regular.value(Fields::字碼).toString();
    glyph.fontName = glyphFace;
    glyph.data = records.number;
    glyph.flag = HasValue(regular, Fields::字形) ? 0 : 1;
    glyph.expanded = true;
    rows.append(glyph);
    IndexRowBuilder add(rows);

    const bool farEast = checked("mnu_遠東漢語大字典選項");
    const bool jianhong = checked("mnu_建宏漢語大字典選項");
    if ((farEast || jianhong) && HasValue(regular, Fields::漢語大字典)) {
        const int title = add.title("漢語大字典", 0);
        add.value("部首:", records.kangxiRadical, title);
        add.edition(farEast, "遠東圖書公司", "冊-頁-字:", regular, Fields::遠東漢語大字典, title);
        add.edition(jianhong, "建宏出版社", "頁-字:", regular, Fields::建宏漢語大字典, title);
    }

    if (checked("mnu_中文大辭典選項") && HasValue(regular, Fields::中文大辭典索引)) {
        const int title = add.title("中文大辭典(中華學術院)", 0);
        add.value("部首:", records.dictionaryRadical, title);
        add.value("冊-編號:", regular.value(Fields::中文大辭典索引), title);
    }

    const bool gulin = checked("mnu_說文解字詁林選項");
    const bool zhonghua = checked("mnu_中華說文解字選項");
    if ((gulin || zhonghua) && records.seal) {
        const RecordFields &seal = *records.seal;
        const int title = add.title("說文解字", 0);
        add.value("部首:", records.shuowenRadical, title);
        add.value("卷:", seal.value(Fields::卷), title);
        add.edition(gulin, "說文解字詁林(鼎文書局)", "冊-頁:", seal, Fields::詁林索引, title);
        add.edition(zhonghua, "說文解字(中華書局)", "頁(上/下):", seal, Fields::中華索引, title);
    }

    const bool jinwenbian = checked("mnu_金文編選項");
    const bool jinwenGulin = checked("mnu_金文詁林選項");
    const bool vesselNumber = checked("mnu_殷周金文集成器號選項");
    const bool concordance = checked("mnu_殷周金文集成引得選項");
    const std::optional<RecordFields> &bronze =
        records.bronze ? records.bronze : records.supplement;
    if ((jinwenbian || jinwenGulin || vesselNumber || concordance) && bronze) {
        const int title = add.title("金文", 0);
        add.edition(jinwenbian, "金文編(中華書局)", "編號-行-字:", *bronze, Fields::金文編索引,
                    title);
        add.edition(jinwenGulin, "金文詁林(香港中文大學)", "卷-頁:", *bronze, Fields::金文詁林索引,
                    title);
        // Empty for a supplement entry (SupplementFields): it has no 殷周金文集成 edition.
        add.edition(vesselNumber, "殷周金文集成(中國社科院考古所)", "器號:", *bronze,
                    Fields::集成器號, title);
        add.edition(concordance, "殷周金文集成引得(中華書局)", "編號-頁碼:", *bronze,
                    Fields::集成引得索引, title);
    }

    const bool classified = checked("mnu_甲骨刻辭類纂選項");
    const bool oracleGulin = checked("mnu_甲骨文字詁林選項");
    const bool collected = checked("mnu_甲骨文字集釋選項");
    if ((classified || oracleGulin || collected) && records.oracle) {
        const RecordFields &oracle = *records.oracle;
        const int title = add.title("甲骨文", 0);
        add.edition(classified, "殷墟甲骨刻辭類纂(吉林大學)", "冊-頁:", oracle,
                    Fields::甲骨刻辭類纂, title);
        add.edition(oracleGulin, "甲骨文字詁林(吉林大學)", "冊-頁:", oracle, Fields::甲骨文字詁林,
                    title);
        add.edition(collected, "甲骨文字集釋(Ombrelia)", "卷-頁:", oracle, Fields::甲骨文字集釋,
                    title);
    }

    const bool slips = checked("mnu_楚系簡帛文字編選項");
    const bool sources = checked("mnu_楚系文字出處選項");
    if ((slips || sources) && records.chu) {
        const RecordFields &chu = *records.chu;
        const int title = add.title("楚系文字", 0);
        add.edition(slips, "楚系簡帛文字編(湖北教育出版社)", "頁碼-行字:", chu,
                    Fields::楚系簡帛文字編, title);
        add.edition(sources, "出處", "墓號-簡號:", chu, Fields::出處, title);
    }

    add.edition(checked("mnu_Unicode選項"), "Unicode 3.2", QString(), regular, Fields::Unicode, 0);
    // A glyph of the Big5 range without a Big5 code shows no block, as a Null field elsewhere.
    const bool big5Range = records.number >= 1 && records.number <= LastBig5Number;
    add.edition(checked("mnu_Big5選項") && big5Range, "Big5", QString(), regular, Fields::BIG5, 0);

    rows.first().node = rows.size() > 1;
    return rows;
}
