#include "vbprog/Fonsetta/applyinstall.h"

#include "platform/registry/registrystore.h"
#include "vbprog/Fonsetta/eudcfontlink.h"
#include "vbprog/Fonsetta/installregistry.h"

namespace fonsetta
{

using registry::Root;

namespace
{

// A blank system default: a string value of 255 zero bytes.
constexpr qsizetype kBlankFontLength = 255;

class RowWriter
{
public:
    RowWriter(registry::RegistryStore &store, const InstallRow &row, QStringList &failures)
        : m_store(store), m_row(row), m_failures(failures)
    {
    }

    void setString(const QString &name, const QString &text)
    {
        QString error;
        if (!writeRegistryString(m_store, m_row.registryKey, name, text, &error))
            fail(name, error);
    }

    void setRaw(const QString &name, const QString &data)
    {
        if (!m_store.setValue(Root::CurrentUser, m_row.registryKey, name, data))
            fail(name, m_store.errorString());
    }

    bool exists(const QString &name) const
    {
        return m_store.value(Root::CurrentUser, m_row.registryKey, name).has_value();
    }

    // Removing a value that is not there is no failure.
    void remove(const QString &name)
    {
        if (exists(name) && !m_store.deleteValue(Root::CurrentUser, m_row.registryKey, name))
            fail(name, m_store.errorString());
    }

    void addFailures(const QStringList &failures)
    {
        for (const QString &failure : failures)
            m_failures << m_row.caption + u'：' + failure;
    }

private:
    void fail(const QString &name, const QString &error)
    {
        m_failures << QStringLiteral("%1：無法寫入 %2\\%3（%4）")
                          .arg(m_row.caption, m_row.registryKey, name, error);
    }

    registry::RegistryStore &m_store;
    const InstallRow &m_row;
    QStringList &m_failures;
};

void applyTypeface(RowWriter &writer, const EudcFontLink &fontLink, const RowRequest &request,
                   const QString &apppath)
{
    const QString mingLink = QString::fromUtf16(kMingLink);
    const QString newMingLink = QString::fromUtf16(kNewMingLink);
    const QString kaiLink = QString::fromUtf16(kKaiLink);
    if (request.value == CheckValue::Checked) {
        // The box's own text names the Ming file, so that its letter case (which this file
        // system keeps apart) is the one the user chose; only the default file has a Kai twin.
        const QString font = request.text;
        const QString defaultFont = apppath + u"/qeleudc.tte"_qs;
        const QString kaiFont = font.toUpper() == defaultFont.toUpper()
                                    ? apppath + u'/' + QString::fromUtf16(kDefaultKaiFile)
                                    : font;
        writer.setString(QString::fromUtf16(kSystemDefaultEudcFont), font);
        // A typeface link that does not exist is not created.
        for (const QString &ming : {mingLink, newMingLink}) {
            if (writer.exists(ming))
                writer.setString(ming, font);
        }
        if (writer.exists(kaiLink))
            writer.setString(kaiLink, kaiFont);
        // The desktop has no per-typeface links of its own: its Kai faces always take the
        // Kai file, so that text in 標楷體 shows Kai-style characters.
        writer.addFailures(fontLink.install({font, kaiFont}));
    } else if (request.value == CheckValue::Unchecked) {
        writer.setRaw(QString::fromUtf16(kSystemDefaultEudcFont),
                      QString(kBlankFontLength, QChar(u'\0')));
        for (const QString &link : {mingLink, newMingLink, kaiLink})
            writer.remove(link);
        writer.addFailures(fontLink.remove());
    }
}

void applyInputMethod(RowWriter &writer, const InstallRow &row, const RowRequest &request)
{
    if (request.value == CheckValue::Checked)
        writer.setString(row.valueName, request.text);
    else if (request.value == CheckValue::Unchecked)
        writer.remove(row.valueName);
}

} // namespace

QString defaultFilePath(const InstallRow &row, const QString &apppath)
{
    return apppath + u'/' + row.defaultFile;
}

QStringList ApplyInstallSettings(registry::RegistryStore &store, const EudcFontLink &fontLink,
                                 const QList<RowRequest> &rows, const QString &apppath)
{
    QStringList failures;
    const QList<InstallRow> &table = installRows();
    for (qsizetype i = 0; i < table.size() && i < rows.size(); ++i) {
        const RowRequest &request = rows[i];
        if (!request.live)
            continue;
        RowWriter writer(store, table[i], failures);
        if (table[i].id == RowId::Typeface)
            applyTypeface(writer, fontLink, request, apppath);
        else
            applyInputMethod(writer, table[i], request);
    }
    return failures;
}

} // namespace fonsetta
