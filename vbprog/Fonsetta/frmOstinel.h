#pragma once

#include "vbprog/Fonsetta/eudcfontlink.h"
#include "vbprog/Fonsetta/installrows.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace registry
{
class RegistryStore;
}

// The installer's only window: one row per setting with what is registered now, a
// three-state check box (checked sets, unchecked removes, grey leaves it) and a file button;
// 預設 fills the default files, 安裝 writes, 關閉 ends.
class frmOstinel : public QWidget
{
public:
    // Asks for a file with the row's filter and pattern; nullopt when the user cancels.
    using FileChooser =
        std::function<std::optional<QString>(const QString &filter, const QString &pattern)>;
    // Shows a message with the window's title; `problem` for a failure.
    using MessageSink = std::function<void(const QString &text, bool problem)>;

    // Reads the current settings from the store (not owned; it must outlive the window).
    frmOstinel(registry::RegistryStore &store, fonsetta::EudcFontLink fontLink,
               QWidget *parent = nullptr);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setMessageSink(MessageSink sink) { m_showMessage = std::move(sink); }

    // Enables 預設 when a row is checked and 安裝 when a row is not grey.
    void 設定按鈕狀態();

private:
    struct RowControls {
        QCheckBox *check = nullptr;
        QLineEdit *text = nullptr;
        QPushButton *fileButton = nullptr;
    };

    void buildControls();
    void loadSettings();
    void chooseFile(int row);
    void fillDefaults();
    void install();

    registry::RegistryStore &m_store;
    fonsetta::EudcFontLink m_fontLink;
    QList<RowControls> m_rows; // in the order of installRows()
    QPushButton *m_defaults = nullptr;
    QPushButton *m_install = nullptr;
    QString m_apppath; // the main program folder without its trailing separator
    FileChooser m_chooseFile;
    MessageSink m_showMessage;
};
