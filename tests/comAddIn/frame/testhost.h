#pragma once

#include "platform/office/host/commandbars.h"
#include "platform/office/host/hostapplication.h"

#include <QTemporaryDir>

// A host application whose command bars live in a real file of a temporary folder.
class TestHost : public office::HostApplication
{
public:
    explicit TestHost(QString name) : m_name(std::move(name)) { reopenBars(); }

    QString name() const override { return m_name; }
    QString barsFile() const { return m_dir.filePath(u"bars.json"_qs); }
    // As a host does at its next start: the bars read back from their file.
    void reopenBars() { setCommandBars(office::CommandBars::openFile(barsFile())); }
    office::CommandBar &bar(const QString &name) const { return *commandBars()->item(name); }

private:
    QString m_name;
    QTemporaryDir m_dir;
};
