#pragma once

#include "comAddIn/officehost/hostdocument.h"
#include "comAddIn/officehost/hostprogram.h"
#include "comAddIn/officehost/hostwindow.h"
#include "platform/office/excel/xlsxapplication.h"
#include "platform/office/host/addinlibrary.h"
#include "platform/registry/registrystore.h"
#include "tests/platform/office/excel/sampleworkbook.h"
#include "tests/support/libreoffice.h"
#include "tests/support/scopedenvironment.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

inline const QString Beside = QStringLiteral("\uF6A4");
inline const QString Bright = "日" + Beside + "月"; // 明 in the lookup fixture
inline const QString Around = QStringLiteral("\uF6A5");
// The chooser asks about it: 好 and 永 share the roots 女子 in the lookup fixture.
inline const QString GoodOrLong = "女" + Around + "子";

// The porvex add-in registered in a private registry, with the lookup fixture as the
// installed program's database. The user closes every question (the chooser) without
// picking, so a formula the chooser asks about stays as it is; m_onQuestion sees the
// program while the question is open.
class ConversionClickTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_environment.set("MURVEL_REGISTRY_DIR", m_dir.filePath(u"registry"_qs).toUtf8());
        m_environment.set("MURVEL_OFFICE_CONFIG_DIR", m_dir.filePath(u"office"_qs).toUtf8());
        m_environment.set("MURVEL_WINDOWS_DIR", m_dir.filePath(u"windows"_qs).toUtf8());
        office::AddInLibrary library;
        ASSERT_TRUE(library.load(QStringLiteral(PORVEX_LIBRARY)))
            << library.errorString().toStdString();
        ASSERT_EQ(library.registerServer(), 0);
        // The lookup fixture stands for the installed main program.
        ASSERT_TRUE(registry::RegistryStore().setValue(
            registry::Root::LocalMachine, mainprogram::kAppPathsKey, QString(),
            QStringLiteral(MURVEL_FIXTURE_DIR "/lookup/murvel")));
        // The user closes every chooser without picking: the formula stays as it is.
        QObject::connect(&m_closer, &QTimer::timeout, [this] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                if (m_onQuestion)
                    m_onQuestion(dialog);
                dialog->close();
            }
        });
        m_closer.start(50);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Writes the sample workbook with an edit made to it; false when a step failed.
    static bool writeEditedWorkbook(const QString &path,
                                    const std::function<bool(office::excel::Workbook &)> &edit)
    {
        if (!writeSampleWorkbook(path))
            return false;
        office::excel::XlsxApplication excel;
        auto book = excel.workbooks().open(path);
        return book.ok() && edit(*book.value()) && book.value()->save().ok();
    }

    // The index of the window's text that holds the text, -1 when none does.
    static int segmentHolding(officehost::HostWindow &window, const QString &text)
    {
        const QList<officehost::TextSegment> segments = window.document()->segments();
        for (int index = 0; index < segments.size(); ++index) {
            if (segments[index].text.contains(text))
                return index;
        }
        return -1;
    }

    // Puts the caret into the window's text that holds text, at the position, and clicks.
    static void clickAtCaret(officehost::HostWindow &window, const QString &text, int at,
                             const QString &tag)
    {
        const int segment = segmentHolding(window, text);
        ASSERT_GE(segment, 0) << text.toStdString();
        window.document()->select(officehost::SegmentSelection{segment, at, at});
        ASSERT_TRUE(window.clickTag(tag).ok());
    }

    static QString libreOfficeText(const QString &file, const QString &format)
    {
        const auto converted = testsupport::convertWithLibreOffice(file, format);
        return converted.ok() ? QString::fromUtf8(converted->document) : QString();
    }

    int argc = 0;
    QApplication m_app{argc, nullptr};
    QTemporaryDir m_dir;
    ScopedEnvironment m_environment;
    QTimer m_closer;
    std::function<void(QWidget *question)> m_onQuestion;
};
