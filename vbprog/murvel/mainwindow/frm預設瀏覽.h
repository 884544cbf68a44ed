#pragma once

#include "vbprog/murvel/mainwindow/presetpicker.h"

// The picker of the advanced layouts 預設瀏覽一..四.
class frm預設瀏覽 : public PresetPicker
{
public:
    explicit frm預設瀏覽(std::function<void()> onClosed, QWidget *parent = nullptr);
};
