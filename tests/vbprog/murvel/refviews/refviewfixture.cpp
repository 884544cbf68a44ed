#include "tests/vbprog/murvel/refviews/refviewfixture.h"

#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <sqlite3.h>

const QStringList RefViewTest::IndexOptions = {
    "mnu_遠東漢語大字典選項",   "mnu_建宏漢語大字典選項",
    "mnu_中文大辭典選項",       "mnu_說文解字詁林選項",
    "mnu_中華說文解字選項",     "mnu_金文編選項",
    "mnu_金文詁林選項",         "mnu_殷周金文集成器號選項",
    "mnu_殷周金文集成引得選項", "mnu_甲骨刻辭類纂選項",
    "mnu_甲骨文字詁林選項",     "mnu_甲骨文字集釋選項",
    "mnu_楚系簡帛文字編選項",   "mnu_楚系文字出處選項",
    "mnu_Unicode選項",          "mnu_Big5選項"};
const QStringList RefViewTest::EvolutionOptions = {"mnu_甲骨文選項", "mnu_金文選項",
                                                   "mnu_楚系文字選項", "mnu_小篆選項"};

void RefViewTest::SetUp()
{
    copyDatabases();
    startViews();
}

void RefViewTest::copyDatabases()
{
    MainWindowTest::SetUp();
    const QDir fixtures(QStringLiteral(MURVEL_FIXTURE_DIR "/refviews"));
    const QDir program(folder.path());
    for (const QString &file : ScriptDatabaseFiles) {
        QFile::remove(program.filePath(file));
        ASSERT_TRUE(QFile::copy(fixtures.filePath(file), program.filePath(file)))
            << file.toStdString();
        QFile(program.filePath(file))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    writeIni(RestoredIni());
}

void RefViewTest::damage(const QString &file, const QString &sql)
{
    sqlite3 *db = nullptr;
    const QByteArray path = QDir(folder.path()).filePath(file).toUtf8();
    ASSERT_EQ(sqlite3_open(path.constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

void RefViewTest::startViews()
{
    ASSERT_TRUE(start());
    window->childWindows().setFactory(WindowKinds::Evolution, WindowKinds::Evolution,
                                      [] { return new frm字形演變; });
    window->childWindows().setFactory(WindowKinds::Index, WindowKinds::Index,
                                      [] { return new frm字形索引; });
    setOptions(IndexOptions + EvolutionOptions, true);
}

void RefViewTest::showNumber(qint32 number)
{
    QLineEdit *box = window->box("txt編號");
    box->setText(QString::number(number));
    QTest::keyClick(box, Qt::Key_Return);
}

qint32 RefViewTest::numberOf(const QString &glyph)
{
    QLineEdit *box = window->box("txt字形");
    box->setText(glyph);
    QTest::keyClick(box, Qt::Key_Return);
    return window->box("txt編號")->text().toInt();
}

frm字形索引 *RefViewTest::openIndex()
{
    click("mnu_字形索引");
    return dynamic_cast<frm字形索引 *>(child(WindowKinds::Index));
}

frm字形演變 *RefViewTest::openEvolution()
{
    click("mnu_字形演變");
    return dynamic_cast<frm字形演變 *>(child(WindowKinds::Evolution));
}

void RefViewTest::setOptions(const QStringList &items, bool checked)
{
    for (const QString &item : items)
        window->menus().setChecked(item, checked);
}

namespace
{

int outline(const OutlineList &list, int index, int depth, QStringList &lines)
{
    lines << QString(depth, ' ') + list.ItemText(index);
    int next = index + 1;
    for (int child = 0; child < list.ChildCount(index); ++child)
        next = outline(list, next, depth + 1, lines);
    return next;
}

} // namespace

QStringList Outline(const OutlineList &list)
{
    QStringList lines;
    for (int index = 0; index < list.ListCount();)
        index = outline(list, index, 0, lines);
    return lines;
}
