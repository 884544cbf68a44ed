#include "vbprog/murvel/mainwindow/presetpicker.h"

#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/dialogplacement.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace
{

constexpr int kPictureWidth = 180;
constexpr int kPictureHeight = 120;
constexpr int kMargin = 16;
constexpr int kGap = 24;
constexpr int kFrameInset = 4; // the frame lies this far outside its picture
constexpr int kViewGap = 3;    // between the view rectangles of a miniature
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;

struct ViewLook {
    int kind;
    const char *caption;
    const char *colour;
};

constexpr std::array kViewLooks{
    ViewLook{WindowKinds::Derivation, "字形孳乳", "#f4d48c"},
    ViewLook{WindowKinds::Structure, "字形結構", "#a8d5a2"},
    ViewLook{WindowKinds::VariantCharacters, "異體字表", "#9cc3e6"},
    ViewLook{WindowKinds::VariantComponents, "異體字根", "#c9b3e0"},
    ViewLook{WindowKinds::Evolution, "字形演變", "#f2b0a0"},
    ViewLook{WindowKinds::Index, "字形索引", "#b8e0dc"},
    ViewLook{PresetRadicalList, "構字部件", "#e6c8a0"},
};

const ViewLook &lookOf(int kind)
{
    for (const ViewLook &look : kViewLooks) {
        if (look.kind == kind)
            return look;
    }
    Q_UNREACHABLE();
}

} // namespace

PresetPicker::PresetPicker(PresetFamily family, const QString &caption,
                           std::function<void()> onClosed, QWidget *parent)
    : QDialog(parent), family_(family)
{
    connect(this, &QDialog::finished, this, std::move(onClosed));
    setWindowTitle(caption);
    for (int i = 0; i < 4; ++i) {
        const int column = i % 2;
        const int row = i / 2;
        addMiniature(i, {kMargin + column * (kPictureWidth + kGap),
                         kMargin + row * (kPictureHeight + kGap)});
    }

    const int gridWidth = 2 * kPictureWidth + kGap;
    const int buttonTop = kMargin + 2 * kPictureHeight + kGap + kMargin;
    auto *ok = new QPushButton("確定", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    ok->setGeometry(kMargin + gridWidth - 2 * kButtonWidth - kGap / 2, buttonTop, kButtonWidth,
                    kButtonHeight);
    auto *cancel = new QPushButton("取消", this);
    cancel->setObjectName("CancelButton");
    cancel->setGeometry(kMargin + gridWidth - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    connect(ok, &QPushButton::clicked, this, [this] {
        recordChoice();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(kMargin + gridWidth + kMargin, buttonTop + kButtonHeight + kMargin);
    MoveCentredAboveMiddle(*this);

    const bool ownFamily = gPresetIsSimple == (family_ == PresetFamily::Simple);
    showFrameAround(ownFamily ? gPresetLayoutNumber - 1 : -1);
    gPresetDialogOk = false;
}

bool PresetPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        showFrameAround(watched->property("index").toInt());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PresetPicker::addMiniature(int index, QPoint place)
{
    auto *frame = new QFrame(this);
    frame->setObjectName("shp預設瀏覽");
    frame->setProperty("index", index);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    frame->setGeometry(place.x() - kFrameInset, place.y() - kFrameInset,
                       kPictureWidth + 2 * kFrameInset, kPictureHeight + 2 * kFrameInset);
    frames_[static_cast<std::size_t>(index)] = frame;

    auto *picture = new QFrame(this);
    picture->setObjectName("pic預設瀏覽");
    picture->setProperty("index", index);
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);
    picture->setGeometry(place.x(), place.y(), kPictureWidth, kPictureHeight);
    picture->installEventFilter(this);

    const PresetLayout &layout = *FindPresetLayout(family_, index + 1);
    const std::vector<PresetColumn> columns = PresetColumns(layout);
    const int columnCount = static_cast<int>(columns.size());
    const int columnWidth = (kPictureWidth - kViewGap) / columnCount;
    const auto addView = [&](int kind, QRect rect) {
        const ViewLook &look = lookOf(kind);
        auto *label = new QLabel(look.caption, picture);
        label->setObjectName(QString("lbl") + look.caption);
        label->setProperty("index", index);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setStyleSheet(
            QString("background-color: %1; border: 1px solid #606060;").arg(look.colour));
        label->setGeometry(rect);
        label->installEventFilter(this);
    };
    for (int i = 0; i < columnCount; ++i) {
        const PresetColumn &column = columns[static_cast<std::size_t>(i)];
        const int left = kViewGap + i * columnWidth;
        const int width = columnWidth - kViewGap;
        const int fullHeight = kPictureHeight - 2 * kViewGap;
        if (column.lower == 0) {
            addView(column.upper, {left, kViewGap, width, fullHeight});
            continue;
        }
        const int upperHeight = (fullHeight - kViewGap) / 2;
        addView(column.upper, {left, kViewGap, width, upperHeight});
        addView(column.lower,
                {left, 2 * kViewGap + upperHeight, width, fullHeight - kViewGap - upperHeight});
    }
}

void PresetPicker::showFrameAround(int index)
{
    for (int i = 0; i < 4; ++i)
        frames_[static_cast<std::size_t>(i)]->setVisible(i == index);
}

void PresetPicker::recordChoice()
{
    for (int i = 0; i < 4; ++i) {
        if (!frames_[static_cast<std::size_t>(i)]->isHidden())
            gPresetLayoutNumber = i + 1;
    }
    gPresetIsSimple = family_ == PresetFamily::Simple;
    gPresetDialogOk = true;
}
