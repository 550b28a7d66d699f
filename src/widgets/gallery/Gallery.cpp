#include "Gallery.h"

#include "MirtAction.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtLineEdit.h"
#include "MirtListItem.h"
#include "MirtMessageBox.h"
#include "MirtProcessbar.h"
#include "MirtPushButton.h"
#include "MirtSlider.h"
#include "ShippedModel.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QScrollArea>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString model()
{
    return QString::fromLatin1(kShippedProductName);
}

MirtLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new MirtLabel(text, parent);
    l->SetFontSize(11);
    l->SetTextColor(MirtKit::mutedTextColor());
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    l->setFixedHeight(MirtKit::scaled(16));
    return l;
}

} // namespace

Gallery::Gallery(double scale, QWidget *parent) : QWidget(parent), m_scale(scale)
{
    MirtKit::setScaleFactor(scale);
    setWindowTitle(QStringLiteral("mousecfg widget gallery (scale %1)").arg(scale));
    setObjectName(QStringLiteral("Gallery"));

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(MirtKit::scaled(12), MirtKit::scaled(12), MirtKit::scaled(12),
                              MirtKit::scaled(12));
    outer->setSpacing(MirtKit::scaled(12));
    auto *kit = new QWidget(this);
    kit->setFixedWidth(MirtKit::scaled(470));
    buildKit(kit);
    outer->addWidget(kit, 0, Qt::AlignTop);

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setStyleSheet(
        QStringLiteral(
            "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"
            "QScrollBar:vertical { background: #121317; width: %1px; margin: 0; }"
            "QScrollBar::handle:vertical { background: #3a3e48; min-height: %2px; border-radius: %3px; }"
            "QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }"
            "QScrollBar::add-page, QScrollBar::sub-page { background: none; }")
            .arg(MirtKit::scaled(8))
            .arg(MirtKit::scaled(30))
            .arg(MirtKit::scaled(4)));
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *pictures = new QWidget;
    m_pictures = pictures;
    buildPictures(pictures);
    scroll->setWidget(pictures);
    outer->addWidget(scroll, 1);
    resize(MirtKit::scaled(1180), MirtKit::scaled(760));
}

QStringList Gallery::skinPictures()
{
    QStringList names = MirtKit::skinPictureNames(model(), kShippedButtonCount);
    names.removeAll(QStringLiteral("icon.ico"));
    return names;
}

void Gallery::buildKit(QWidget *page)
{
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(MirtKit::scaled(6));
    const auto sz = [](int w, int h) { return QSize(MirtKit::scaled(w), MirtKit::scaled(h)); };

    auto *title = new MirtLabel(QStringLiteral("WIDGET KIT"), page);
    title->SetFontSize(18);
    title->SetBold(true);
    title->setFixedHeight(MirtKit::scaled(28));
    v->addWidget(title);

    v->addWidget(caption(QStringLiteral("Tabs: normal, hover, selected, disabled"), page));
    auto *tabs = new QHBoxLayout;
    const QStringList tabImages = {QStringLiteral("/skin/tab-1.png"), QStringLiteral("/skin/tab-2.png"),
                                   QStringLiteral("/skin/tab-3.png"), QStringLiteral("/skin/tab-4.png")};
    const QStringList tabNames = {QStringLiteral("LIGHTING"), QStringLiteral("CUSTOMIZE"),
                                  QStringLiteral("DPI"), QStringLiteral("MACRO")};
    for (int i = 0; i < 4; ++i) {
        auto *b = new MirtPushButton(tabImages, page);
        b->setFixedSize(sz(110, 34));
        b->setText(tabNames.at(i));
        if (i == 1)
            b->SetState(1);
        if (i == 2)
            b->SetState(2);
        if (i == 3)
            b->SetEnabledLook(false);
        tabs->addWidget(b);
    }
    v->addLayout(tabs);

    v->addWidget(caption(QStringLiteral("Profile slots and commands"), page));
    auto *profiles = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto *b =
            new MirtPushButton({QStringLiteral("/skin/profile-1.png"), QStringLiteral("/skin/profile-2.png"),
                                QStringLiteral("/skin/profile-3.png"), QStringLiteral("/skin/profile-4.png")},
                               page);
        b->setFixedSize(sz(84, 28));
        b->setText(QStringLiteral("Profile %1").arg(i + 1));
        b->SetState(i == 0 ? 1 : 0);
        profiles->addWidget(b);
    }
    v->addLayout(profiles);
    auto *commands = new QHBoxLayout;
    const QStringList cmdImages = {QStringLiteral("/skin/cmd-1.png"), QStringLiteral("/skin/cmd-2.png"),
                                   QStringLiteral("/skin/cmd-3.png"), QStringLiteral("/skin/cmd-4.png")};
    for (const QString &t : {QStringLiteral("RESET"), QStringLiteral("Apply"), QStringLiteral("Cancel"),
                             QStringLiteral("Firmware Update")}) {
        auto *b = new MirtPushButton(cmdImages, page);
        b->setFixedSize(sz(104, 28));
        b->setText(t);
        if (t == QStringLiteral("Cancel"))
            b->SetEnabledLook(false);
        commands->addWidget(b);
    }
    v->addLayout(commands);

    v->addWidget(caption(QStringLiteral("Function buttons, pickers, language, title buttons"), page));
    auto *grid = new QGridLayout;
    grid->setSpacing(MirtKit::scaled(6));
    const QStringList fnImages = {QStringLiteral("/skin/tabbutton-1.png"),
                                  QStringLiteral("/skin/tabbutton-3.png"),
                                  QStringLiteral("/skin/tabbutton-2.png")};
    auto *menu = new QMenu(page);
    menu->setStyleSheet(MirtKit::menuStyleSheet());
    for (const char *entry : {"Left", "Right", "Middle", "Forward", "Back", "DPI +", "DPI -"})
        menu->addAction(new MirtAction(QString::fromLatin1(entry), menu));
    menu->setActiveAction(menu->actions().at(2));
    auto *fn1 = new MirtPushButton(fnImages, page);
    fn1->setFixedSize(sz(220, 30));
    fn1->setText(QStringLiteral("Left"));
    fn1->setMenu(menu);
    auto *fn2 = new MirtPushButton(fnImages, page);
    fn2->setFixedSize(sz(220, 30));
    fn2->setText(QStringLiteral("A very long key combination that does not fit: Ctrl + Alt + Shift + F12"));
    fn2->SetState(2);
    fn2->setMenu(menu);
    grid->addWidget(fn1, 0, 0, 1, 2);
    grid->addWidget(fn2, 1, 0, 1, 2);
    auto *lang = new MirtPushButton({QStringLiteral("/skin/lang.png"), QStringLiteral("/skin/lang.png"),
                                     QStringLiteral("/skin/lang.png")},
                                    page);
    lang->setFixedSize(sz(100, 24));
    lang->setText(QStringLiteral("English"));
    grid->addWidget(lang, 0, 2);
    auto *rate = new MirtPushButton({QStringLiteral("/skin/rate.png")}, page);
    rate->setFixedSize(sz(120, 30));
    rate->setText(QStringLiteral("1000 HZ"));
    grid->addWidget(rate, 1, 2);
    auto *titleRow = new QHBoxLayout;
    for (const QString &kind : {QStringLiteral("min"), QStringLiteral("close")}) {
        auto *b = new MirtPushButton({QStringLiteral("/skin/%1-1.png").arg(kind),
                                      QStringLiteral("/skin/%1-2.png").arg(kind),
                                      QStringLiteral("/skin/%1-3.png").arg(kind)},
                                     page);
        b->setFixedSize(sz(30, 30));
        b->setAccessibleName(kind == QStringLiteral("min") ? QStringLiteral("Minimise")
                                                           : QStringLiteral("Close"));
        titleRow->addWidget(b);
    }
    for (int i = 1; i <= 3; ++i) {
        auto *m =
            new MirtPushButton({QStringLiteral("/skin/marker-1.png"), QStringLiteral("/skin/marker-2.png"),
                                QStringLiteral("/skin/marker-3.png")},
                               page);
        m->setFixedSize(sz(20, 20));
        m->SetState(i == 3 ? 2 : i - 1);
        titleRow->addWidget(m);
    }
    titleRow->addStretch(1);
    grid->addLayout(titleRow, 2, 0, 1, 3);
    v->addLayout(grid);

    v->addWidget(caption(QStringLiteral("Slider with value bubble, labels, battery bar"), page));
    auto *slider = new MirtSlider(page);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(1, 5);
    slider->setValue(3);
    slider->SetBubbleEnabled(true);
    slider->setFixedHeight(MirtKit::scaled(24));
    const QString accent = MirtKit::accentColor().name();
    slider->setStyleSheet(
        QStringLiteral("QSlider::groove:horizontal{height:%1px;background:#2a2d35;border-radius:%2px;}"
                       "QSlider::sub-page:horizontal{background:%3;border-radius:%2px;}"
                       "QSlider::handle:horizontal{image:url(%4);width:%5px;margin:-%6px 0;}")
            .arg(MirtKit::scaled(4))
            .arg(MirtKit::scaled(2))
            .arg(accent)
            .arg(MirtKit::skinPath(QStringLiteral("slider_handle.png")))
            .arg(MirtKit::scaled(20))
            .arg(MirtKit::scaled(8)));
    v->addWidget(slider);
    // Show the value bubble as a press would.
    QTimer::singleShot(0, slider, [slider]() {
        QStyleOptionSlider opt;
        opt.initFrom(slider);
        const QPoint at(slider->width() / 2, slider->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, slider->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(slider, &press);
    });

    auto *labels = new QHBoxLayout;
    auto *l1 = new MirtLabel(QStringLiteral("DPI : 1600"), page);
    l1->setFixedHeight(MirtKit::scaled(22));
    auto *l2 = new MirtLabel(QString(), page);
    l2->setNum(42);
    l2->SetFillColor(QColor(40, 42, 50));
    l2->setAlignment(Qt::AlignCenter);
    l2->setFixedSize(sz(60, 22));
    auto *bar = new MirtProcessbar(page);
    bar->setRange(0, 100);
    bar->setValue(57);
    bar->setFixedSize(sz(64, 24));
    bar->setStyleSheet(QStringLiteral("QProgressBar{background:white;border-radius:2px;}"
                                      "QProgressBar::chunk{background:%1;border-radius:2px;}")
                           .arg(accent));
    bar->SetText(QStringLiteral("57%"));
    labels->addWidget(l1);
    labels->addWidget(l2);
    labels->addWidget(bar);
    v->addLayout(labels);

    v->addWidget(caption(QStringLiteral("List row (delay) and line edit"), page));
    auto *rows = new QHBoxLayout;
    auto *row = new MirtListItem(page);
    row->SetType(MirtListItem::kDelayType);
    row->SetValue(0, 12);
    row->setFixedSize(sz(120, 30));
    auto *edit = new MirtLineEdit(page);
    edit->setText(QStringLiteral("Gun file 1"));
    edit->setFixedSize(sz(200, 26));
    rows->addWidget(row);
    rows->addWidget(edit);
    rows->addStretch(1);
    v->addLayout(rows);

    v->addWidget(caption(QStringLiteral("Message box (kind 1) and busy dialog"), page));
    auto *boxRow = new QHBoxLayout;
    // The boxes are modal windows; the gallery shows pictures of them.
    for (int kind : {int(MirtMessageBox::kQuestion), int(MirtMessageBox::kDongle)}) {
        MirtMessageBox box(kind, QString(), QStringLiteral("Warning"),
                           kind == MirtMessageBox::kQuestion
                               ? QStringLiteral("AT LEAST ONE PROFILE TO BE RETAINED.")
                               : QStringLiteral("Dongle Disconnect!"),
                           nullptr);
        box.layout()->activate();
        auto *shot = new QLabel(page);
        const QPixmap pm = box.grab();
        shot->setPixmap(pm.scaled(pm.size() * 0.36, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        shot->setAccessibleName(box.findChild<QLabel *>(QStringLiteral("msgBoxInfoLabel2"))->text());
        boxRow->addWidget(shot, 0, Qt::AlignTop);
    }
    auto *busy = new QLabel(page);
    busy->setFixedSize(sz(128, 128));
    busy->setStyleSheet(
        QStringLiteral("border-image: url(%1);").arg(MirtKit::skinPath(QStringLiteral("process.png"))));
    auto *movie = new QMovie(QStringLiteral(":/skin/loading.gif"), QByteArray(), busy);
    movie->setScaledSize(sz(127, 127));
    busy->setMovie(movie);
    movie->start();
    v->addLayout(boxRow);
    boxRow = new QHBoxLayout;
    boxRow->addWidget(busy, 0, Qt::AlignTop);
    // The function menu with its "Middle" entry under the pointer.
    auto *menuShot = new QLabel(page);
    menu->ensurePolished();
    menu->adjustSize();
    menuShot->setPixmap(menu->grab());
    menuShot->setAccessibleName(QStringLiteral("Function menu"));
    boxRow->addWidget(menuShot, 0, Qt::AlignTop);
    boxRow->addStretch(1);
    v->addLayout(boxRow);
    v->addStretch(1);
}

void Gallery::buildPictures(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    grid->setSpacing(MirtKit::scaled(10));
    const int cell = MirtKit::scaled(84);
    int col = 0;
    int rowIndex = 0;
    const int columns = 5;
    for (const QString &name : skinPictures()) {
        QPixmap pm = MirtKit::skinPixmap(name);
        auto *pic = new QLabel(page);
        pic->setAlignment(Qt::AlignCenter);
        const bool wide = name == QStringLiteral("cfgMainback.png") || name.startsWith(QStringLiteral("dlg"));
        const int span = wide ? 2 : 1;
        const QSize box(cell * span + (span - 1) * MirtKit::scaled(10), cell * (wide ? 1 : 1));
        if (pm.isNull()) {
            pic->setText(QStringLiteral("MISSING"));
            pic->setStyleSheet(QStringLiteral("color: red;"));
        } else {
            pic->setPixmap(pm.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
        pic->setFixedSize(box);
        pic->setAccessibleName(name);
        auto *cap = caption(name.section(QLatin1Char('/'), -1), page);
        cap->SetFontSize(9);
        cap->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        cap->setAlignment(Qt::AlignCenter);
        if (col + span > columns) {
            col = 0;
            rowIndex += 2;
        }
        grid->addWidget(pic, rowIndex, col, 1, span, Qt::AlignCenter);
        grid->addWidget(cap, rowIndex + 1, col, 1, span);
        col += span;
    }
    grid->setRowStretch(rowIndex + 2, 1);
}

void Gallery::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(11, 12, 15));
}
