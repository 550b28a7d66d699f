#pragma once
// Values every kit widget shares: the window scale factor, the language font,
// the accent colour of the colour theme, the colour scheme of the device
// description and the location of the skin pictures.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace MirtKit {

// The window scale factor (1.0 to 5.0) published by the main window.
double scaleFactor();
void setScaleFactor(double factor);
// int(value × scale factor), the rule every design value follows.
int scaled(double value);

// The current language index ("Config/LangID"). Read from LangConfig.ini on
// first use; the main window sets it again on every language change.
int languageId();
void setLanguageId(int langId);

// Family and pixel size of "FONT_LIST/FONT_%d" / "FONT_LIST/FONT_SIZE_%d" for
// the current language. The values are cached per language; call
// reloadConfig() after Config.ini changed behind the program's back.
QString languageFontFamily();
int languageFontPixelSize();
// The language font with its pixel size × scale factor. designPixelSize > 0
// replaces the configured size; reduction is taken off the configured size.
QFont languageFont(int designPixelSize = 0, int reduction = 0);
// Has the toolkit's font database, which all threads share, look up the
// families the window's first frame draws with (the application's font and
// the language font): the list of fonts, each family's faces and fallbacks.
// For a thread beside the start-up, once the application object exists; it
// reads the configuration files and touches none of the kit's own state. The
// window then finds them listed instead of looking them up itself.
void warmUpFonts();

// A caption in fm's font: text itself when it surely fits in width, else
// text cut short with "…" (QFontMetrics::elidedText). Shaping a line is the
// dear part of drawing it; for Latin, Greek, Cyrillic and CJK text the sum of
// the characters' own advances, with room for kerning, tells that it fits
// without shaping it a second time just to measure it.
QString fittedText(const QFontMetrics &fm, const QString &text, int width);

// The accent colour table of the colour theme ("Config/GColorID").
int accentCount();
QColor accentColorOf(int themeIndex);
// Accent colour of the configured theme; an index outside the table gives
// the first entry.
QColor accentColor();
int themeIndex();
void setThemeIndex(int themeIndex);

// "PROFILE/ColorMode": 0 standard colours, anything else the alternative
// scheme. Read from the device description on first use.
int colorMode();
void setColorMode(int mode);

// Text pen of a button in image state 0 normal, 1 hover, 2 pressed, 3 disabled
// under the current colour scheme.
QColor buttonTextColor(int state);
// Panel and text colours of the dark skin.
QColor panelColor();
QColor textColor();
QColor mutedTextColor();

// The skin's dialog face on RECT: BACKGROUND stretched over it (the panel
// colour when there is none), framed by a two-pixel line in the accent colour.
// The message box and every dialog of the pages paint themselves with it.
void paintDialog(QPainter &painter, const QRect &rect, const QPixmap &background);

// Style sheet of the skin's drop-down menus: dark panel, the language font's
// size, selected and pressed items in the accent colour, a checked item (the
// one in use) in accent text with an accent dot. width > 0 fixes the
// menu width (design pixels).
QString menuStyleSheet(int designWidth = 0);
// The arrows of a spin box on the dark skin, to append to its style sheet:
// the skin's solid white triangles ("spin_up-1.png" ...; the platform's own
// arrows are dark grey on dark grey), dimmed ("-2") when the box is disabled
// or the value at the end of its range.
QString spinBoxArrowSheet();
// Gives MENU the style sheet SHEET when it is first about to show: a menu that
// is never opened costs no style sheet parsing on the way to the first frame.
void setMenuStyleSheetWhenShown(QMenu *menu, const QString &sheet);
// The same with menuStyleSheet(designWidth), made for the scale factor and
// language of each showing (the window may have moved to a screen of another
// factor since); the menu's kit actions take the language font again too.
void setMenuStyleSheetWhenShown(QMenu *menu, int designWidth);

// Forgets every cached configuration value (fonts, theme, colour mode).
void reloadConfig();

// Full path of a picture: ":/..." resource paths and existing absolute paths
// are kept; "/skin/x.png", "skin/x.png" and "x.png" resolve inside the skin
// folder of the data folder.
//
// Every skin picture comes at full size (sharp up to factor 5.0) and at one
// and two times its design size in the subfolders "1x" and "2x". A skin name
// resolves to the smallest of these that is not enlarged at FACTOR: "1x" up
// to 1.0, "2x" up to 2.0, the full-size picture above, and to the full-size
// picture when the smaller one is missing. The one-argument forms use the
// current scale factor, so a picture fits the factor at the time it is
// loaded: a widget that keeps pictures loads them again when
// skinRendition() is no longer what it loaded them for. The folder names need
// no quoting in a style sheet's url().
QString resolvePath(const QString &path);
QString resolvePath(const QString &path, double factor);
QString skinPath(const QString &name);
// Loads a skin picture; a missing file gives a null pixmap.
QPixmap skinPixmap(const QString &name);
// The rendition a factor loads: 1 or 2 (the "1x" / "2x" folder) or 0 for
// the full-size picture. skinRendition() is that of the current factor.
int renditionFor(double factor);
int skinRendition();

// Every picture of the skin folder, relative to it: the names the program
// loads ("dlg.png", "mouse/MODEL/Mouse.png", "mouse/MODEL/mouse_N.png" for
// N = 1..buttonCount, "mouse/MODEL_Side.png" ...) and the kit's own button
// states ("tab-1..4.png", "profile-1..4.png", "cmd-1..4.png": normal, hover,
// pressed, disabled; "close-1..3.png", "min-1..3.png", "marker-1..3.png":
// normal, hover, pressed).
QStringList skinPictureNames(const QString &model, int buttonCount);

// Links the compiled-in resources (":/yes_Btn", ":/no_Btn", ":/skin/loading.gif").
void initResources();

} // namespace MirtKit

// Sets the geometry to (int(x·f), int(y·f), int(w·f), int(h·f)) and publishes f
// as the kit's scale factor.
void SetScaledGeometry(QWidget *widget, double factor, int x, int y, int w, int h);
// Multiplies the widget's current geometry by factor, truncating each value.
void RescaleGeometry(QWidget *widget, double factor);
