#pragma once

#include "comAddIn/porvex/conversionrun.h"
#include "scriptedpicker.h"
#include "vbprog/murvel/core/missingcharacterlog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The formulas of the missing-character log in the Windows folder, in the file's order.
inline QStringList loggedFormulasIn(const QString &windowsFolder)
{
    QFile file(QDir(windowsFolder).filePath(QStringLiteral("usrhanzi.txt")));
    return file.open(QIODevice::ReadOnly) ? MissingCharacterLog::parse(file.readAll())
                                          : QStringList();
}

// A conversion's surroundings for the tests: the lookup fixture as the program's database,
// a Windows folder of the test's own, a picker that answers as told, and the messages shown.
class ConversionTest : public ::testing::Test
{
protected:
    explicit ConversionTest(int pickerAnswer = porvex::CandidatePicker::NoChoice)
        : picker(pickerAnswer)
    {
        context.programFolder = QStringLiteral(MURVEL_FIXTURE_DIR "/lookup/");
        context.windowsFolder = windows.path();
        context.picker = &picker;
        context.showMessage = [this](const porvex::Message &message) {
            messages << message.title + u'|' + message.text;
        };
    }

    QStringList loggedFormulas() const { return loggedFormulasIn(windows.path()); }

    QTemporaryDir documents;
    QTemporaryDir windows;
    ScriptedPicker picker;
    porvex::ConversionContext context;
    QStringList messages;
};

namespace formulas
{
inline const QString Beside = QStringLiteral("\uF6A4");
inline const QString Above = QStringLiteral("\uF6A3");
inline const QString Around = QStringLiteral("\uF6A5");
inline const QString Open = QStringLiteral("\uF6AE");
inline const QString Close = QStringLiteral("\uF6AF");
// 明, an ordinary glyph; \uE010 in set 3; 魚羊 offered by the chooser (pick 1: \uE002 of set 2).
inline const QString Bright = "日" + Beside + "月";
inline const QString Girl = "女" + Above + "子";
inline const QString Fish = "魚" + Around + "羊";
// No record holds these.
inline const QString MissingBracket = Open + Bright + "口" + Close;
inline const QString MissingHalf = Beside + "丁";
} // namespace formulas
