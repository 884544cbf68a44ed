#pragma once

#include "../mainwindow/mainwindowfixture.h"
#include "tests/support/printqstring.h"
#include "vbprog/murvel/refviews/frm字形演變.h"
#include "vbprog/murvel/refviews/frm字形索引.h"

#include <ostream>

class OutlineList;

// The main window started on the refviews fixture databases (base typeface 細明體, glyph
// size 24), with the real index and evolution views registered and fake views for the rest.
class RefViewTest : public MainWindowTest
{
protected:
    void SetUp() override;

    // Puts the refviews databases into the program folder.
    void copyDatabases();
    // Runs an SQL statement on a database of the program folder before start-up, to make
    // data that the generator refuses (dangling cross-numbers, a Null 字體).
    void damage(const QString &file, const QString &sql);
    // Starts the main window and registers the two reference views.
    void startViews();

    // Shows the glyph with this regular 編號 in the main window (Enter in txt編號), which
    // broadcasts it to the open views.
    void showNumber(qint32 number);
    // The regular 編號 of a glyph, found through txt字形.
    qint32 numberOf(const QString &glyph);

    frm字形索引 *openIndex();
    frm字形演變 *openEvolution();

    // Sets the check mark of each item.
    void setOptions(const QStringList &items, bool checked);

    static const QStringList IndexOptions;     // the sixteen items under 字形索引
    static const QStringList EvolutionOptions; // the four items under 字形演變
};

// The list as an outline: one line per item, indented by one blank per level.
QStringList Outline(const OutlineList &list);
