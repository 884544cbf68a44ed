#pragma once

#include "platform/fonts/operatorfont.h"
#include "platform/registry/registrystore.h"
#include "tests/support/scopedenvironment.h"
#include "vbprog/Fonsetta/eudcfontlink.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtGlobal>

// A user of their own for one test: the registry store, the home folder and the XDG
// folders (fonts, fontconfig settings, font cache) all in one temporary folder, so neither
// the test nor the fc-cache and fc-match it starts touch the real user's.
struct TempDesktop {
    TempDesktop()
    {
        environment.set("HOME", QFile::encodeName(dir.path()));
        environment.set("XDG_DATA_HOME", QFile::encodeName(dataHome()));
        environment.set("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
        environment.set("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    }

    QString dataHome() const { return dir.filePath(QStringLiteral("data")); }
    QString configHome() const { return dir.filePath(QStringLiteral("config")); }
    fonsetta::EudcFontLink fontLink() const { return {dataHome(), configHome()}; }

    QTemporaryDir dir;
    registry::RegistryStore store{dir.filePath(QStringLiteral("registry"))};
    ScopedEnvironment environment;
};

// The font the build makes for the formula operators stands in for an end-user-defined-
// character font: it draws private-use characters (U+EDC0..U+EDC7, U+F6A3..U+F6B0).
inline QString standInEudcFont()
{
    return QStringLiteral(MURVEL_PROGRAM_DIR "/") + fonts::operatorFontFileName();
}

// The sample end-user-defined-character fonts that the build composes into the program
// folder: "Qeleudc.tte" (Ming) and "qeleudck.tte" (Kai), families of their own.
inline QString sampleEudcFont(const QString &fileName)
{
    return QStringLiteral(MURVEL_PROGRAM_DIR "/") + fileName;
}

// The files the links of the installer's font folder point to, sorted.
inline QStringList linkTargets(const fonsetta::EudcFontLink &link)
{
    QStringList targets;
    for (const QString &name : QDir(link.linkFolder()).entryList(QDir::Files | QDir::System))
        targets << QFileInfo(link.linkFolder() + u'/' + name).symLinkTarget();
    targets.sort();
    return targets;
}
