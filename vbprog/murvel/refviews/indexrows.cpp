#include "indexrows.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/公用程序.h"

namespace
{

const QStringList RegularFields = {
    "字碼",           "字體",           "字形",           "漢語大字典",     "部首",
    "遠東漢語大字典", "建宏漢語大字典", "中文大辭典索引", "中文大辭典部首", "小篆編號",
    "金文編號",       "甲骨文編號",     "楚系文字編號",   "Unicode",        "Big5"};
const QStringList SealFields = {"部首", "卷", "詁林索引", "中華索引"};
const QStringList BronzeFields = {"金文編索引", "金文詁林索引", "集成器號", "集成引得索引"};
// The supplement holds a vessel number for some glyphs, which the view does not show.
const QStringList SupplementFields = {"金文編索引", "金文詁林索引", "集成引得索引"};
const QStringList OracleFields = {"甲骨刻辭類纂", "甲骨文字詁林", "甲骨文字集釋"};
const QStringList ChuFields = {"楚系簡帛文字編", "出處"};

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
    records.seal = linkedRecord(r, "小篆編號", gRs檢字表小篆, SealFields);
    records.bronze = linkedRecord(r, "金文編號", gRs檢字表金文, BronzeFields);
    if (!HasValue(r, "金文編號"))
        records.supplement = supplementRecord(records.number);
    records.oracle = linkedRecord(r, "甲骨文編號", gRs檢字表甲骨文, OracleFields);
    records.chu = linkedRecord(r, "楚系文字編號", gRs檢字表楚系文字, ChuFields);
    records.kangxiRadical = radicalText(r.value("部首"), KangxiRadicalGlyph);
    records.dictionaryRadical = radicalText(r.value("中文大辭典部首"), KangxiRadicalGlyph);
    if (records.seal)
        records.shuowenRadical = radicalText(records.seal->value("部首"), ShuowenRadicalGlyph);
    return records;
}

ReferenceRows BuildIndexRows(const IndexRecords &records, const QString &glyphFace,
                             const OptionCheck &checked)
{
    const RecordFields &regular = records.regular;
    ReferenceRows rows;
    ReferenceRow glyph;
    glyph.text = regular.value("字碼").toString();
    glyph.fontName = glyphFace;
    glyph.data = records.number;
    glyph.flag = HasValue(regular, "字形") ? 0 : 1;
    glyph.expanded = true;
    rows.append(glyph);
    IndexRowBuilder add(rows);

    const bool farEast = checked("mnu_遠東漢語大字典選項");
    const bool jianhong = checked("mnu_建宏漢語大字典選項");
    if ((farEast || jianhong) && HasValue(regular, "漢語大字典")) {
        const int title = add.title("漢語大字典", 0);
        add.value("部首:", records.kangxiRadical, title);
        add.edition(farEast, "遠東圖書公司", "冊-頁-字:", regular, "遠東漢語大字典", title);
        add.edition(jianhong, "建宏出版社", "頁-字:", regular, "建宏漢語大字典", title);
    }

    if (checked("mnu_中文大辭典選項") && HasValue(regular, "中文大辭典索引")) {
        const int title = add.title("中文大辭典(中華學術院)", 0);
        add.value("部首:", records.dictionaryRadical, title);
        add.value("冊-編號:", regular.value("中文大辭典索引"), title);
    }

    const bool gulin = checked("mnu_說文解字詁林選項");
    const bool zhonghua = checked("mnu_中華說文解字選項");
    if ((gulin || zhonghua) && records.seal) {
        const RecordFields &seal = *records.seal;
        const int title = add.title("說文解字", 0);
        add.value("部首:", records.shuowenRadical, title);
        add.value("卷:", seal.value("卷"), title);
        add.edition(gulin, "說文解字詁林(鼎文書局)", "冊-頁:", seal, "詁林索引", title);
        add.edition(zhonghua, "說文解字(中華書局)", "頁(上/下):", seal, "中華索引", title);
    }

    const bool jinwenbian = checked("mnu_金文編選項");
    const bool jinwenGulin = checked("mnu_金文詁林選項");
    const bool vesselNumber = checked("mnu_殷周金文集成器號選項");
    const bool concordance = checked("mnu_殷周金文集成引得選項");
    const std::optional<RecordFields> &bronze =
        records.bronze ? records.bronze : records.supplement;
    if ((jinwenbian || jinwenGulin || vesselNumber || concordance) && bronze) {
        const int title = add.title("金文", 0);
        add.edition(jinwenbian, "金文編(中華書局)", "編號-行-字:", *bronze, "金文編索引", title);
        add.edition(jinwenGulin, "金文詁林(香港中文大學)", "卷-頁:", *bronze, "金文詁林索引",
                    title);
        // Empty for a supplement entry (SupplementFields): it has no 殷周金文集成 edition.
        add.edition(vesselNumber, "殷周金文集成(中國社科院考古所)", "器號:", *bronze, "集成器號",
                    title);
        add.edition(concordance, "殷周金文集成引得(中華書局)", "編號-頁碼:", *bronze,
                    "集成引得索引", title);
    }

    const bool classified = checked("mnu_甲骨刻辭類纂選項");
    const bool oracleGulin = checked("mnu_甲骨文字詁林選項");
    const bool collected = checked("mnu_甲骨文字集釋選項");
    if ((classified || oracleGulin || collected) && records.oracle) {
        const RecordFields &oracle = *records.oracle;
        const int title = add.title("甲骨文", 0);
        add.edition(classified, "殷墟甲骨刻辭類纂(吉林大學)", "冊-頁:", oracle, "甲骨刻辭類纂",
                    title);
        add.edition(oracleGulin, "甲骨文字詁林(吉林大學)", "冊-頁:", oracle, "甲骨文字詁林", title);
        add.edition(collected, "甲骨文字集釋(Ombrelia)", "卷-頁:", oracle, "甲骨文字集釋", title);
    }

    const bool slips = checked("mnu_楚系簡帛文字編選項");
    const bool sources = checked("mnu_楚系文字出處選項");
    if ((slips || sources) && records.chu) {
        const RecordFields &chu = *records.chu;
        const int title = add.title("楚系文字", 0);
        add.edition(slips, "楚系簡帛文字編(湖北教育出版社)", "頁碼-行字:", chu, "楚系簡帛文字編",
                    title);
        add.edition(sources, "出處", "墓號-簡號:", chu, "出處", title);
    }

    add.edition(checked("mnu_Unicode選項"), "Unicode 3.2", QString(), regular, "Unicode", 0);
    // A glyph of the Big5 range without a Big5 code shows no block, as a Null field elsewhere.
    const bool big5Range = records.number >= 1 && records.number <= LastBig5Number;
    add.edition(checked("mnu_Big5選項") && big5Range, "Big5", QString(), regular, "Big5", 0);

    rows.first().node = rows.size() > 1;
    return rows;
}
