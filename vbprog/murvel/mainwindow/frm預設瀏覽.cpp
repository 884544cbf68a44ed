#include "vbprog/murvel/mainwindow/frm預設瀏覽.h"

frm預設瀏覽::frm預設瀏覽(std::function<void()> onClosed, QWidget *parent)
    : PresetPicker(PresetFamily::Advanced, "預設開啟(進階)", std::move(onClosed), parent)
{
}
