#include "vbprog/murvel/mainwindow/frm簡易瀏覽.h"

frm簡易瀏覽::frm簡易瀏覽(std::function<void()> onClosed, QWidget *parent)
    : PresetPicker(PresetFamily::Simple, "預設開啟(基本)", std::move(onClosed), parent)
{
}
