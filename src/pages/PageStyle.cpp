#include "PageStyle.h"

#include "MirtKit.h"

#include <QFileInfo>

namespace PageStyle {

static QString px(double design)
{
    return QString::number(qMax(1, MirtKit::scaled(design))) + QStringLiteral("px");
}

QString checkBoxSheet()
{
    const QString accent = MirtKit::accentColor().name();
    const QString off = MirtKit::skinPath(QStringLiteral("/skin/checkbox-1.png"));
    const QString on = MirtKit::skinPath(QStringLiteral("/skin/checkbox-2.png"));
    if (QFileInfo::exists(off) && QFileInfo::exists(on)) {
        return QStringLiteral("QCheckBox{color: %1; spacing: %2; background: transparent;}"
                              "QCheckBox::indicator{width: %3; height: %3;}"
                              "QCheckBox::indicator:unchecked{image: url(%4);}"
                              "QCheckBox::indicator:checked{image: url(%5);}"
                              "QCheckBox:checked{color: %6;}"
                              "QCheckBox:disabled{color: rgb(100,100,100);}")
            .arg(MirtKit::textColor().name(), px(3), px(14), off, on, accent);
    }
    // Without the skin: boxes filled with the accent colour.
    return QStringLiteral("QCheckBox{color: %1; spacing: %2; background: transparent;}"
                          "QCheckBox::indicator{width: %3; height: %3; border: 1px solid rgb(150,150,150);"
                          "border-radius: 2px; background: rgb(30,30,34);}"
                          "QCheckBox::indicator:checked{background: %4; border: 1px solid %4;}"
                          "QCheckBox::indicator:hover{border: 1px solid %4;}"
                          "QCheckBox:disabled{color: rgb(100,100,100);}")
        .arg(MirtKit::textColor().name(), px(4), px(12), accent);
}

QString radioSheet()
{
    const QString accent = MirtKit::accentColor().name();
    return QStringLiteral("QRadioButton{color: %1; spacing: %2; background: transparent;}"
                          "QRadioButton::indicator{width: %3; height: %3; border: 1px solid rgb(150,150,150);"
                          "border-radius: %4; background: rgb(30,30,34);}"
                          "QRadioButton::indicator:checked{background: %5; border: 1px solid %5;}"
                          "QRadioButton::indicator:hover{border: 1px solid %5;}")
        .arg(MirtKit::textColor().name(), px(4), px(12), px(6), accent);
}

QString spinBoxSheet()
{
    return QStringLiteral("QSpinBox{color: %1; background: rgb(30,30,34); border: 1px solid rgb(90,90,96);"
                          "border-radius: 2px; padding-left: %2;}"
                          "QSpinBox:focus{border: 1px solid %3;}"
                          "QSpinBox:disabled{color: rgb(85,85,90); background: rgb(20,20,23);"
                          "border: 1px solid rgb(48,48,52);}")
               .arg(MirtKit::textColor().name(), px(3), MirtKit::accentColor().name()) +
           MirtKit::spinBoxArrowSheet();
}

QString sliderSheet()
{
    const QString accent = MirtKit::accentColor().name();
    return QStringLiteral("QSlider{background: transparent;}"
                          "QSlider::groove:horizontal{background: rgba(0,0,0,0); height: %1;}"
                          "QSlider::sub-page:horizontal{background: %2; border-radius: 2px;}"
                          "QSlider::add-page:horizontal{background: rgb(70,70,74); border-radius: 2px;}"
                          "QSlider::handle:horizontal{background: rgb(235,235,235); width: %3;"
                          "margin: -%4 0; border-radius: %5;}"
                          "QSlider::handle:horizontal:disabled{background: rgb(110,110,110);}"
                          "QSlider::sub-page:horizontal:disabled{background: rgb(90,90,90);}")
        .arg(px(4), accent, px(10), px(3), px(5));
}

QString buttonSheet()
{
    const QString accent = MirtKit::accentColor().name();
    return QStringLiteral("QPushButton{color: %1; background: rgb(40,40,46); border: 1px solid rgb(90,90,96);"
                          "border-radius: 3px; padding: 0 %2;}"
                          "QPushButton:hover{border: 1px solid %3;}"
                          "QPushButton:pressed{background: %3; color: black;}"
                          "QPushButton:disabled{color: rgb(100,100,100); border: 1px solid rgb(60,60,60);}")
        .arg(MirtKit::textColor().name(), px(6), accent);
}

QString panelSheet(const QString &objectName)
{
    return QStringLiteral("#%1{background: rgba(20,20,24,220); border: 1px solid rgb(55,55,60);"
                          "border-radius: 4px;}")
        .arg(objectName);
}

} // namespace PageStyle
