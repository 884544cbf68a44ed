#pragma once

#include "tests/vbprog/murvel/mainwindow/fakeviews.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A program folder holding the fixture databases and, when a test writes one, murvel.ini;
// and the real main window started on it, with fake views registered for every kind.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString iniPath() const;
    void writeIni(const QString &text);
    QString readIni() const;

    // Creates the window, registers the fake views and runs start-up.
    bool start();

    template<typename T = QWidget> T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    QAction *item(const QString &name) const;
    bool checked(const QString &name) const;
    void click(const QString &itemName) const;

    // The window of a kind, or null.
    ChildWindow *child(int kind) const;
    QList<int> loadedKinds() const;

    QTemporaryDir folder;
    std::unique_ptr<mdi漢字字形> window;
    ViewLog log;
    QStringList problems;
};

// Overwrites the page type of an index's root page in a database file, as a damaged disk
// would: reading the index then fails.
void DamageIndex(const QString &databasePath, const QString &index);

// Reads a written murvel.ini back.
class ProfileCheck
{
public:
    explicit ProfileCheck(const QString &path);
    // The value of a key, trimmed; "(missing)" when there is none.
    QString operator()(const QString &section, const QString &key) const;
    // The number of key lines in the file.
    int keyCount() const;

private:
    QString m_path;
};

// murvel.ini of a run after a saved shut-down, with the extra lines appended.
QString RestoredIni(const QString &extra = {});
