#pragma once

#include "vbprog/murvel/mainwindow/presetpicker.h"

// The picker of the basic layouts 簡易瀏覽一..四.
class frm簡易瀏覽 : public PresetPicker
{
public:
    explicit frm簡易瀏覽(std::function<void()> onClosed, QWidget *parent = nullptr);
};
