#include "MirtKit.h"

#include "AppConfig.h"
#include "DeviceDescription.h"
#include "MirtAction.h"
#include "Paths.h"
#include "SkinPictures.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QMenu>
#include <QWidget>

#include <array>

namespace {

struct KitState
{
    double scale = 1.0;
    int langId = -1; // -1: not read yet
    bool fontLoaded = false;
    int fontLangId = -1;
    QString fontFamily;
    int fontPixelSize = 0;
    int theme = -1;     // -1: not read yet
    int colorMode = -1; // -1: not read yet
    // resolvePath's answers per rendition (0, 1, 2), for the data folder
    // resolvedIn: it holds the same files all along.
    QString resolvedIn;
    std::array<QHash<QString, QString>, 3> resolved;
};

KitState &state()
{
    static KitState s;
    return s;
}

void ensureFont()
{
    KitState &s = state();
    const int lang = MirtKit::languageId();
    if (s.fontLoaded && s.fontLangId == lang)
        return;
    s.fontFamily = AppConfig::fontFamily(lang);
    s.fontPixelSize = AppConfig::fontSize(lang);
    s.fontLangId = lang;
    s.fontLoaded = true;
}

} // namespace

static void initKitResources()
{
    Q_INIT_RESOURCE(mousecfg_widgets);
}

namespace MirtKit {

double scaleFactor()
{
    return state().scale;
}

void setScaleFactor(double factor)
{
    if (factor > 0.0)
        state().scale = factor;
}

int scaled(double value)
{
    return int(value * state().scale);
}

int languageId()
{
    KitState &s = state();
    if (s.langId < 0)
        s.langId = qMax(0, AppConfig::readLangID());
    return s.langId;
}

void setLanguageId(int langId)
{
    state().langId = qMax(0, langId);
}

QString languageFontFamily()
{
    ensureFont();
    return state().fontFamily;
}

int languageFontPixelSize()
{
    ensureFont();
    return state().fontPixelSize;
}

QFont languageFont(int designPixelSize, int reduction)
{
    ensureFont();
    const KitState &s = state();
    QFont font;
    if (!s.fontFamily.isEmpty())
        font.setFamily(s.fontFamily);
    int size = designPixelSize > 0 ? designPixelSize : s.fontPixelSize - reduction;
    if (size > 0) {
        const int px = int(size * s.scale);
        font.setPixelSize(qMax(1, px));
    }
    return font;
}

void warmUpFonts()
{
    QFont application = QGuiApplication::font();
    QFont language(AppConfig::fontFamily(AppConfig::readLangID()));
    for (QFont *font : {&application, &language}) {
        // Any size serves: the sizes' engines are each thread's own, the families' lists are shared.
        font->setPixelSize(14);
        QFontMetrics(*font).horizontalAdvance(QStringLiteral("Profile 1"));
    }
}

QString fittedText(const QFontMetrics &fm, const QString &text, int width)
{
    int sum = 0;
    bool simple = true;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        // Scripts whose shaped width stays within the sum of advances (no
        // joining or reordering): up to Cyrillic, and the CJK blocks.
        if (u < 0x20 ||
            !(u < 0x0530 || (u >= 0x2000 && u < 0x2E80 && !c.isMark()) || (u >= 0x3000 && u < 0xA000) ||
              (u >= 0xAC00 && u < 0xD7A4) || (u >= 0xFF00 && u < 0xFFF0)) ||
            c.isMark()) {
            simple = false;
            break;
        }
        sum += fm.horizontalAdvance(c);
    }
    if (simple && sum + sum / 8 + 2 <= width)
        return text;
    return fm.elidedText(text, Qt::ElideRight, width);
}

int accentCount()
{
    return AppConfig::kAccentCount;
}

QColor accentColorOf(int index)
{
    return AppConfig::accentColor(index);
}

int themeIndex()
{
    KitState &s = state();
    if (s.theme < 0)
        s.theme = AppConfig::colorThemeIndex();
    if (s.theme < 0 || s.theme >= accentCount())
        s.theme = 0;
    return s.theme;
}

void setThemeIndex(int index)
{
    state().theme = (index >= 0 && index < accentCount()) ? index : 0;
}

QColor accentColor()
{
    return accentColorOf(themeIndex());
}

int colorMode()
{
    KitState &s = state();
    if (s.colorMode < 0)
        s.colorMode = DeviceDescription::colorMode() != 0 ? 1 : 0;
    return s.colorMode;
}

void setColorMode(int mode)
{
    state().colorMode = mode != 0 ? 1 : 0;
}

QColor buttonTextColor(int imageState)
{
    if (colorMode() == 0) {
        switch (imageState) {
        case 1:
            return QColor(255, 255, 255);
        case 2:
            return QColor(255, 255, 255);
        case 3:
            return QColor(98, 102, 110);
        default:
            return QColor(206, 210, 218);
        }
    }
    // Alternative scheme: accent-coloured captions that turn white when active.
    switch (imageState) {
    case 1:
        return accentColor().lighter(140);
    case 2:
        return QColor(255, 255, 255);
    case 3:
        return QColor(98, 102, 110);
    default:
        return accentColor();
    }
}

QColor panelColor()
{
    return QColor(18, 19, 23);
}

void paintDialog(QPainter &painter, const QRect &rect, const QPixmap &background)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!background.isNull())
        painter.drawPixmap(rect, background);
    else
        painter.fillRect(rect, panelColor());
    const qreal w = 2.0;
    QPen pen(accentColor(), w);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect).adjusted(w / 2, w / 2, -w / 2, -w / 2));
    painter.restore();
}

QColor textColor()
{
    return colorMode() == 0 ? QColor(226, 229, 235) : accentColor();
}

QColor mutedTextColor()
{
    return QColor(138, 143, 153);
}

QString menuStyleSheet(int designWidth)
{
    const QColor a = accentColor();
    const QString accent = QStringLiteral("rgb(%1,%2,%3)").arg(a.red()).arg(a.green()).arg(a.blue());
    // Dark text on the bright accents (green, beige, cyan, orange), white on the others.
    const double luma = 0.299 * a.red() + 0.587 * a.green() + 0.114 * a.blue();
    const QString onAccent = luma > 140 ? QStringLiteral("#101114") : QStringLiteral("#ffffff");
    int px = languageFontPixelSize();
    if (px <= 0)
        px = 12;
    QString css =
        QStringLiteral(
            "QMenu{background:#16171c;color:#e2e5eb;border:1px solid #3a3e48;padding:%1px 0;font-size:%2px;}"
            "QMenu::item{padding:%3px %4px;background:transparent;}"
            "QMenu::item:checked{color:%5;font-weight:bold;}"
            "QMenu::item:selected{background:%5;color:%6;}"
            "QMenu::item:pressed{background:%5;color:%6;}"
            "QMenu::item:disabled{color:#62666e;}"
            "QMenu::indicator{width:%7px;height:%7px;margin-left:%1px;}"
            "QMenu::indicator:checked{background:%5;border-radius:%8px;}"
            "QMenu::indicator:checked:selected{background:%6;}"
            "QMenu::separator{height:1px;background:#2a2d35;margin:%1px %4px;}")
            .arg(scaled(4))
            .arg(qMax(1, scaled(px)))
            .arg(scaled(5))
            .arg(scaled(14))
            .arg(accent, onAccent)
            .arg(qMax(2, scaled(8)))
            .arg(qMax(1, scaled(4)));
    if (designWidth > 0)
        css += QStringLiteral("QMenu{min-width:%1px;max-width:%1px;}").arg(scaled(designWidth));
    return css;
}

QString spinBoxArrowSheet()
{
    // The skin's arrow pictures on buttons wide enough to hit.
    return QStringLiteral(
               "QSpinBox::up-button,QSpinBox::down-button{width:%1px;border:none;background:transparent;}"
               "QSpinBox::up-button{subcontrol-position:top right;}"
               "QSpinBox::down-button{subcontrol-position:bottom right;}"
               "QSpinBox::up-arrow,QSpinBox::down-arrow{width:%2px;height:%3px;}"
               "QSpinBox::up-arrow{image:url(%4);}"
               "QSpinBox::down-arrow{image:url(%5);}"
               "QSpinBox::up-arrow:disabled,QSpinBox::up-arrow:off{image:url(%6);}"
               "QSpinBox::down-arrow:disabled,QSpinBox::down-arrow:off{image:url(%7);}")
        .arg(qMax(8, scaled(16)))
        .arg(qMax(5, scaled(10)))
        .arg(qMax(3, scaled(6)))
        .arg(skinPath(QStringLiteral("/skin/spin_up-1.png")),
             skinPath(QStringLiteral("/skin/spin_down-1.png")),
             skinPath(QStringLiteral("/skin/spin_up-2.png")),
             skinPath(QStringLiteral("/skin/spin_down-2.png")));
}

void setMenuStyleSheetWhenShown(QMenu *menu, const QString &sheet)
{
    // Every later showing finds the sheet in place.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, sheet] {
        if (menu->styleSheet().isEmpty())
            menu->setStyleSheet(sheet);
    });
}

void setMenuStyleSheetWhenShown(QMenu *menu, int designWidth)
{
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, designWidth] {
        const QString sheet = menuStyleSheet(designWidth);
        if (menu->styleSheet() != sheet)
            menu->setStyleSheet(sheet);
        for (QAction *a : menu->actions()) {
            if (auto *kit = qobject_cast<MirtAction *>(a))
                kit->applyFont();
        }
    });
}

void reloadConfig()
{
    KitState &s = state();
    s.fontLoaded = false;
    s.langId = -1;
    s.theme = -1;
    s.colorMode = -1;
}

int renditionFor(double factor)
{
    if (factor <= 1.0)
        return 1;
    if (factor <= 2.0)
        return 2;
    return 0;
}

int skinRendition()
{
    return renditionFor(scaleFactor());
}

QString resolvePath(const QString &path)
{
    return resolvePath(path, scaleFactor());
}

QString resolvePath(const QString &path, double factor)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char(':')))
        return path;
    const QString data = Paths::dataDir();
    const int r = renditionFor(factor);
    // Asked for by every button for each of its pictures: the lookup builds no key.
    KitState &s = state();
    if (s.resolvedIn != data) {
        s.resolvedIn = data;
        for (QHash<QString, QString> &answers : s.resolved)
            answers.clear();
    }
    QHash<QString, QString> &resolved = s.resolved[size_t(r)];
    const auto it = resolved.constFind(path);
    if (it != resolved.constEnd())
        return it.value();
    QString result = path;
    // Absolute paths are kept, except the program's own "/skin/..." form, which
    // is relative to the data folder.
    if (!QFileInfo(path).isAbsolute() ||
        (!QFileInfo::exists(path) && path.startsWith(QLatin1String("/skin/")))) {
        QString rel = path;
        while (rel.startsWith(QLatin1Char('/')) || rel.startsWith(QLatin1String("./")))
            rel = rel.mid(rel.startsWith(QLatin1Char('/')) ? 1 : 2);
        if (rel.startsWith(QLatin1String("skin/")))
            rel = rel.mid(5);
        const QDir skin(QDir(data).filePath(QStringLiteral("skin")));
        result = skin.filePath(rel);
        if (r) {
            const QString smaller = skin.filePath(QStringLiteral("%1x/").arg(r) + rel);
            if (QFileInfo::exists(smaller))
                result = smaller;
        }
    }
    resolved.insert(path, result);
    return result;
}

QString skinPath(const QString &name)
{
    return resolvePath(name);
}

QPixmap skinPixmap(const QString &name)
{
    return SkinPictures::picture(resolvePath(name));
}

QStringList skinPictureNames(const QString &model, int buttonCount)
{
    QStringList names = {
        QStringLiteral("cfgMainback.png"),   QStringLiteral("dlg.png"),
        QStringLiteral("dlg_gun.png"),       QStringLiteral("process.png"),
        QStringLiteral("bat1.png"),          QStringLiteral("bat2.png"),
        QStringLiteral("warn.png"),          QStringLiteral("dongle.png"),
        QStringLiteral("dongle2.png"),       QStringLiteral("lightning.png"),
        QStringLiteral("mouselogo.png"),     QStringLiteral("icon.ico"),
        QStringLiteral("icon.png"),          QStringLiteral("lang.png"),
        QStringLiteral("rate.png"),          QStringLiteral("profilesel.png"),
        QStringLiteral("bulletsel.png"),     QStringLiteral("gunset_bullet.png"),
        QStringLiteral("DPI-ON.png"),        QStringLiteral("DPI-OFF.png"),
        QStringLiteral("checkbox2-1.png"),   QStringLiteral("checkbox2-2.png"),
        QStringLiteral("checkbox-1.png"),    QStringLiteral("checkbox-2.png"),
        QStringLiteral("radio-1.png"),       QStringLiteral("radio-2.png"),
        QStringLiteral("slider_handle.png"), QStringLiteral("spin_up-1.png"),
        QStringLiteral("spin_up-2.png"),     QStringLiteral("spin_down-1.png"),
        QStringLiteral("spin_down-2.png"),
    };
    for (int n = 1; n <= 3; ++n)
        names << QStringLiteral("tabbutton-%1.png").arg(n);
    for (int n = 1; n <= 4; ++n)
        names << QStringLiteral("tab-%1.png").arg(n) << QStringLiteral("profile-%1.png").arg(n)
              << QStringLiteral("cmd-%1.png").arg(n);
    for (int n = 1; n <= 3; ++n)
        names << QStringLiteral("close-%1.png").arg(n) << QStringLiteral("min-%1.png").arg(n)
              << QStringLiteral("marker-%1.png").arg(n);
    for (int n = 1; n <= 4; ++n)
        names << QStringLiteral("btn_up%1.png").arg(n) << QStringLiteral("btn_down%1.png").arg(n);
    for (const char *icon : {"keydown", "keyup", "mousedown", "mouseup", "move", "delay"})
        names << QString::fromLatin1(icon) + QStringLiteral(".png");
    names << QStringLiteral("mouse/%1/Mouse.png").arg(model);
    for (int n = 1; n <= buttonCount; ++n)
        names << QStringLiteral("mouse/%1/mouse_%2.png").arg(model).arg(n);
    names << QStringLiteral("mouse/%1_Side.png").arg(model);
    return names;
}

void initResources()
{
    static bool done = false;
    if (!done) {
        initKitResources();
        done = true;
    }
}

} // namespace MirtKit

void SetScaledGeometry(QWidget *widget, double factor, int x, int y, int w, int h)
{
    MirtKit::setScaleFactor(factor);
    if (widget)
        widget->setGeometry(int(x * factor), int(y * factor), int(w * factor), int(h * factor));
}

void RescaleGeometry(QWidget *widget, double factor)
{
    if (!widget)
        return;
    const QRect g = widget->geometry();
    widget->setGeometry(int(g.x() * factor), int(g.y() * factor), int(g.width() * factor),
                        int(g.height() * factor));
}
