#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <ostream>

// Writes small SQLite files for the tests with the plain SQLite API, in a temporary folder
// that lives as long as this object.
class TestFiles
{
public:
    // A new database file made by running the statements in order; a failing statement
    // fails the test.
    QString database(const QString &name, const QStringList &statements);
    QString path(const QString &name) const;

private:
    QTemporaryDir m_dir;
};

// A table in the shape of the glyph table: indexes 字形, 編號, Big5 and 構字式 (two keys),
// rows whose keys repeat, hold Null, private-use and supplementary-plane characters.
//   rowid 編號 字形     連接符號 部件序   字根序   Big5
//   1     1    口       0        口       口       1
//   2     2    木       0        木       木       2
//   3     3    林       1        木木     木木     3
//   4     4    Null     1        木口     木口     Null
//   5     5    杏       2        木口     木口     5
//   6     6    口       0        口       口       6
//   7     7    呆       2        口木     口木     7
//   8     8    Null     Null     Null     Null     8
//   9     9    𠀋       0        𠀋       𠀋       9
//   10    10   U+F6A3   9        U+F6A3   U+F6A3   10
QStringList glyphTableStatements();

// Readable values in the messages of failed expectations.
inline void PrintTo(const QVariant &value, std::ostream *out)
{
    *out << (value.isNull() ? std::string("Null") : value.toString().toStdString());
}
