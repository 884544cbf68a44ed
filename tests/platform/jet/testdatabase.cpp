#include "testdatabase.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

QString TestFiles::path(const QString &name) const
{
    return m_dir.filePath(name);
}

QString TestFiles::database(const QString &name, const QStringList &statements)
{
    const QString fileName = path(name);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(fileName).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        ADD_FAILURE() << "cannot create " << fileName.toStdString();
    for (const QString &statement : statements) {
        char *message = nullptr;
        if (sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &message) !=
            SQLITE_OK)
            ADD_FAILURE() << statement.toStdString() << ": " << message;
        sqlite3_free(message);
    }
    sqlite3_close(db);
    return fileName;
}

QStringList glyphTableStatements()
{
    return {
        QStringLiteral("CREATE TABLE 檢字表(編號 INTEGER, 字形 TEXT, 連接符號 INTEGER, "
                       "部件序 TEXT, 字根序 TEXT, Big5 INTEGER, 部首筆畫排序 INTEGER, "
                       "組字字數 INTEGER, \"組字字數(Big5)\" INTEGER)"),
        QStringLiteral("CREATE INDEX \"檢字表.字形\" ON 檢字表(字形)"),
        QStringLiteral("CREATE INDEX \"檢字表.編號\" ON 檢字表(編號)"),
        QStringLiteral("CREATE INDEX \"檢字表.Big5\" ON 檢字表(Big5)"),
        QStringLiteral("CREATE INDEX \"檢字表.構字式\" ON 檢字表(連接符號, 部件序)"),
        QStringLiteral("INSERT INTO 檢字表 VALUES"
                       "(1, '口', 0, '口', '口', 1, 30, 5, 4),"
                       "(2, '木', 0, '木', '木', 2, 75, 9, 8),"
                       "(3, '林', 1, '木木', '木木', 3, 76, 2, 2),"
                       "(4, NULL, 1, '木口', '木口', NULL, 77, 0, 0),"
                       "(5, '杏', 2, '木口', '木口', 5, 77, 1, 1),"
                       "(6, '口', 0, '口', '口', 6, 30, 3, 3),"
                       "(7, '呆', 2, '口木', '口木', 7, 31, 0, 0),"
                       "(8, NULL, NULL, NULL, NULL, 8, NULL, NULL, NULL),"
                       "(9, '𠀋', 0, '𠀋', '𠀋', 9, 1, 0, 0),"
                       "(10, char(63139), 9, char(63139), char(63139), 10, 0, 0, 0)"),
    };
}
