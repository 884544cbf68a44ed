#pragma once

#include "platform/office/host/addinlibrary.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/scopedenvironment.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A user with the build's add-in libraries registered in a private registry, command bars
// of their own, and a document report.docx holding "甲乙丙".
class RegisteredAddInsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_environment.insert(u"MURVEL_REGISTRY_DIR"_qs, m_dir.filePath(u"registry"_qs));
        m_environment.insert(u"MURVEL_OFFICE_CONFIG_DIR"_qs, m_dir.filePath(u"office"_qs));
        for (const char *name : {"MURVEL_REGISTRY_DIR", "MURVEL_OFFICE_CONFIG_DIR"})
            m_ownEnvironment.set(name, m_environment.value(QString::fromLatin1(name)).toUtf8());
        for (const QString &path : libraries()) {
            office::AddInLibrary library;
            ASSERT_TRUE(library.load(path)) << library.errorString().toStdString();
            ASSERT_EQ(library.registerServer(), 0);
        }
        m_path = m_dir.filePath(u"report.docx"_qs);
        ASSERT_TRUE(wordtest::writeDocx(m_path, u"<w:p><w:r><w:t>甲乙丙</w:t></w:r></w:p>"_qs));
    }
    // The libraries to register.
    virtual QStringList libraries() const = 0;

    QTemporaryDir m_dir;
    // The environment of a host program started by the test.
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    // The same variables in the test's own process.
    ScopedEnvironment m_ownEnvironment;
    QString m_path;
};
