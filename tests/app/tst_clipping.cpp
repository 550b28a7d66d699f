// No text of the window is cut off: every page and the dialogs a user opens
// from them, at the scale factors 1.0, 1.5 and 2.0, in every language. A text
// is measured with the font it is drawn in, in the room its widget leaves it
// (the style's margins, indicators and paddings taken off); a text cut short
// with "…" is fine when the widget's tool tip holds all of it. The fonts
// follow the factor too: a text as large at 2.0 as at 1.0 is reported.

#include "MirtColorArea.h"
#include "MirtComboKeyWindow.h"
#include "MirtFireKeyWindow.h"
#include "MirtGunsetDialog.h"
#include "MirtKit.h"
#include "MirtLabel.h"
#include "MirtMacroSelect.h"
#include "MirtPushButton.h"
#include "MirtSingleKeyWindow.h"
#include "MousecfgWidget.h"
#include "Paths.h"
#include "ScaleTable.h"
#include "SimulatedMouseFeed.h"
#include "SimulatedMouseSession.h"
#include "SkinCache.h"
#include "WindowParts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStyleOptionFrame>
#include <QStyleOptionMenuItem>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>

using namespace WindowParts;

namespace {

// The toolkit keeps the style options of a view and a line edit to their
// subclasses; these read them as the widgets themselves would.
struct ViewOptions : QAbstractItemView
{
    static QStyleOptionViewItem of(const QAbstractItemView *view)
    {
        return (view->*(&ViewOptions::viewOptions))();
    }
};

struct LineEditOptions : QLineEdit
{
    static QStyleOptionFrame of(const QLineEdit *edit)
    {
        QStyleOptionFrame option;
        (edit->*(&LineEditOptions::initStyleOption))(&option);
        return option;
    }
};

struct MenuOptions : QMenu
{
    static QStyleOptionMenuItem of(const QMenu *menu, const QAction *action)
    {
        QStyleOptionMenuItem option;
        (menu->*(&MenuOptions::initStyleOption))(&option, action);
        return option;
    }
};

// A widget's place: its object name, or its class and rank among its
// siblings of that class, and the same for its parents up to ROOT.
QString where(const QObject *o, const QObject *root)
{
    QStringList path;
    for (const QObject *p = o; p && p != root->parent(); p = p->parent()) {
        QString name = p->objectName();
        if (name.isEmpty()) {
            name = QLatin1String(p->metaObject()->className());
            int rank = 0;
            if (p->parent()) {
                for (const QObject *sibling : p->parent()->children()) {
                    if (sibling == p)
                        break;
                    rank += qstrcmp(sibling->metaObject()->className(), p->metaObject()->className()) == 0;
                }
            }
            name += QStringLiteral("[%1]").arg(rank);
        }
        path.prepend(name);
    }
    return path.join(QLatin1Char('/'));
}

QString plain(const QString &text, Qt::TextFormat format)
{
    if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument doc;
        doc.setHtml(text);
        return doc.toPlainText();
    }
    return text;
}

class ClipFinder
{
public:
    // Texts cut off, one line each: where, the text, what it needs and has.
    QStringList clipped;
    // The pixel size of each text's font, by place.
    QMap<QString, int> fontPx;

    void walk(QWidget *top)
    {
        m_root = top;
        QList<QWidget *> widgets = top->findChildren<QWidget *>();
        widgets.prepend(top);
        for (QWidget *w : qAsConst(widgets)) {
            if (auto *menu = qobject_cast<QMenu *>(w)) {
                checkMenu(menu);
                continue;
            }
            if (!w->isVisibleTo(top) || w->width() <= 0)
                continue;
            if (auto *b = qobject_cast<MirtPushButton *>(w)) {
                checkFits(w, b->text(), b->captionFont(), b->captionRect().width());
                checkDropDown(b);
            } else if (auto *l = qobject_cast<MirtLabel *>(w))
                checkLabel(l, l->paintFont());
            else if (auto *l = qobject_cast<QLabel *>(w))
                checkLabel(l, l->font());
            else if (auto *b = qobject_cast<QAbstractButton *>(w))
                checkHint(w, b->text(), b->font(), b->sizeHint().width(), b->width());
            else if (auto *e = qobject_cast<QLineEdit *>(w))
                checkLineEdit(e);
            else if (auto *v = qobject_cast<QAbstractItemView *>(w))
                checkView(v);
            else if (auto *h = qobject_cast<QHeaderView *>(w))
                checkHeader(h);
        }
    }

private:
    void fail(const QObject *w, const QString &text, int needed, int room)
    {
        clipped << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                       .arg(where(w, m_root), text)
                       .arg(needed)
                       .arg(room);
    }
    void noteFont(const QObject *w, const QString &text, const QFont &font, const QString &suffix = QString())
    {
        if (!text.trimmed().isEmpty())
            fontPx.insert(where(w, m_root) + suffix, QFontInfo(font).pixelSize());
    }
    // Cut short with "…" and the whole text in the tool tip: fine.
    static bool tipHolds(const QWidget *w, const QString &text) { return w->toolTip().contains(text); }

    void checkFits(QWidget *w, const QString &text, const QFont &font, int room)
    {
        if (text.isEmpty())
            return;
        noteFont(w, text, font);
        const int needed = QFontMetrics(font).horizontalAdvance(text);
        if (needed > room && !tipHolds(w, text))
            fail(w, text, needed, room);
    }

    void checkHint(QWidget *w, const QString &text, const QFont &font, int needed, int room)
    {
        if (text.isEmpty())
            return;
        noteFont(w, text, font);
        if (needed > room && !tipHolds(w, text))
            fail(w, text, needed, room);
    }

    void checkLabel(QLabel *l, const QFont &font)
    {
        const QString text = plain(l->text(), l->textFormat());
        if (text.trimmed().isEmpty() || l->pixmap(Qt::ReturnByValue).isNull() == false)
            return;
        noteFont(l, text, font);
        const QFontMetrics fm(font);
        QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        if (l->indent() > 0)
            room.adjust(l->indent(), 0, 0, 0);
        if (l->wordWrap() || text.contains(QLatin1Char('\n'))) {
            const int flags = l->wordWrap() ? Qt::TextWordWrap : 0;
            const QRect needed = fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text);
            if ((needed.width() > room.width() || needed.height() > room.height()) && !tipHolds(l, text))
                fail(l, text, needed.height(), room.height());
            return;
        }
        const int needed = fm.horizontalAdvance(text);
        if (needed > room.width() && !tipHolds(l, text))
            fail(l, text, needed, room.width());
    }

    void checkLineEdit(QLineEdit *e)
    {
        const QString text = e->text().isEmpty() ? e->placeholderText() : e->displayText();
        if (text.isEmpty())
            return;
        noteFont(e, text, e->font());
        const QStyleOptionFrame option = LineEditOptions::of(e);
        QRect room = e->style()->subElementRect(QStyle::SE_LineEditContents, &option, e);
        room = room.marginsRemoved(e->textMargins());
        const int needed = QFontMetrics(e->font()).horizontalAdvance(text) + 2 * 2; // the edit's own margin
        if (needed > room.width() && !tipHolds(e, text))
            fail(e, text, needed, room.width());
    }

    void checkView(QAbstractItemView *v)
    {
        QAbstractItemModel *model = v->model();
        if (!model)
            return;
        const QStyleOptionViewItem base = ViewOptions::of(v);
        const QRect viewport = v->viewport()->rect();
        // Every item that is shown, down the tree.
        QList<QModelIndex> parents = {QModelIndex()};
        for (int p = 0; p < parents.size(); ++p) {
            const QModelIndex parent = parents.at(p);
            for (int r = 0; r < model->rowCount(parent) && r < 200; ++r) {
                for (int c = 0; c < model->columnCount(parent); ++c) {
                    const QModelIndex index = model->index(r, c, parent);
                    if (model->hasChildren(index))
                        parents << index;
                    const QString text = index.data(Qt::DisplayRole).toString();
                    const QRect rect = v->visualRect(index);
                    if (text.isEmpty() || rect.isEmpty())
                        continue;
                    QStyleOptionViewItem option = base;
                    option.rect = rect;
                    const QString place = QStringLiteral("#%1").arg(r);
                    const QVariant font = index.data(Qt::FontRole);
                    noteFont(v, text, font.isValid() ? font.value<QFont>() : v->font(), place);
                    const int needed = v->itemDelegate(index)->sizeHint(option, index).width();
                    // What the view shows of the item: its column, inside the viewport.
                    const int room = qMin(rect.right(), viewport.right()) - rect.left() + 1;
                    const QString tip = index.data(Qt::ToolTipRole).toString();
                    if (needed > room && !tip.contains(text))
                        fail(v, text, needed, room);
                }
            }
        }
    }

    void checkHeader(QHeaderView *h)
    {
        if (!h->model() || h->isHidden())
            return;
        for (int i = 0; i < h->count(); ++i) {
            const QString text = h->model()->headerData(i, h->orientation()).toString();
            if (text.isEmpty() || h->isSectionHidden(i))
                continue;
            const int needed = h->sectionSizeHint(i);
            if (needed > h->sectionSize(i))
                fail(h, text, needed, h->sectionSize(i));
        }
    }

    // A menu sizes itself to its widest entry, unless a width is imposed:
    // then each entry needs its text, the style's item margins and columns,
    // and the menu's frame.
    void checkMenu(QMenu *menu)
    {
        emit menu->aboutToShow(); // menus are filled and styled as they open
        menu->ensurePolished();
        const int room = menu->maximumWidth();
        QStyle *style = menu->style();
        QStyleOption frame;
        frame.initFrom(menu);
        const int around = 2 * (style->pixelMetric(QStyle::PM_MenuHMargin, &frame, menu) +
                                style->pixelMetric(QStyle::PM_MenuPanelWidth, &frame, menu)) +
                           menu->contentsMargins().left() + menu->contentsMargins().right();
        const QList<QAction *> actions = menu->actions();
        for (int i = 0; i < actions.size(); ++i) {
            QAction *a = actions.at(i);
            if (a->isSeparator() || a->text().isEmpty() || !a->isVisible())
                continue;
            const QFont font = a->font().resolve() ? a->font() : menu->font();
            noteFont(menu, a->text(), font, QStringLiteral(":action%1").arg(i));
            if (room >= QWIDGETSIZE_MAX)
                continue;
            QStyleOptionMenuItem option = MenuOptions::of(menu, a);
            const QFontMetrics fm(font);
            const QSize text(fm.horizontalAdvance(a->text()), fm.height());
            const int needed =
                style->sizeFromContents(QStyle::CT_MenuItem, &option, text, menu).width() + around;
            if (needed > room && !a->toolTip().contains(a->text()))
                fail(menu, a->text(), needed, room);
        }
    }

    // A drop-down that shows the entry chosen from its menu shows any of them.
    void checkDropDown(MirtPushButton *b)
    {
        QMenu *menu = b->menu();
        if (!menu)
            return;
        bool showsEntry = false;
        for (QAction *a : menu->actions())
            showsEntry = showsEntry || (!a->text().isEmpty() && a->text() == b->text());
        if (!showsEntry)
            return;
        for (QAction *a : menu->actions()) {
            const int needed = QFontMetrics(b->captionFont()).horizontalAdvance(a->text());
            if (!a->isSeparator() && needed > b->captionRect().width())
                fail(b, a->text(), needed, b->captionRect().width());
        }
    }

    const QWidget *m_root = nullptr;
};

} // namespace

class TestClipping : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void textsFitAtEveryScale_data();
    void textsFitAtEveryScale();

private:
    std::unique_ptr<MousecfgWidget> makeWindow(int scaleIndex, int language);

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<SimulatedMouseSession> m_sim;
    std::unique_ptr<SimulatedMouseFeed> m_feed;
};

void TestClipping::initTestCase()
{
    const QString shipped = Paths::dataDir();
    m_config = std::make_unique<QTemporaryDir>();
    m_data = std::make_unique<QTemporaryDir>();
    Paths::setConfigDir(m_config->path());
    SkinCache::setDirectory(m_config->filePath(QStringLiteral("skin-cache")));
    QVERIFY(QFile::copy(shipped + QStringLiteral("/Configs/Config.ini"),
                        m_config->filePath(QStringLiteral("Config.ini"))));
    // The shipped device description, translations and skin.
    for (const char *name : {"DefaultProfile.bin", "lang", "skin"})
        QVERIFY(QFile::link(shipped + QLatin1Char('/') + QLatin1String(name),
                            m_data->filePath(QLatin1String(name))));
    Paths::setDataDir(m_data->path());
    MirtKit::reloadConfig();
    m_sim = std::make_unique<SimulatedMouseSession>(
        false, m_config->filePath(QStringLiteral("simulated-mouse.ini")));
    m_feed = std::make_unique<SimulatedMouseFeed>(&m_sim->backend());
}

void TestClipping::cleanupTestCase()
{
    m_feed.reset();
    m_sim.reset();
    Paths::setDataDir(QString());
    MirtKit::setScaleFactor(1.0);
}

std::unique_ptr<MousecfgWidget> TestClipping::makeWindow(int scaleIndex, int language)
{
    MirtKit::setLanguageId(0);
    MousecfgServices s;
    s.hotplug = m_feed.get();
    s.simulated = true;
    s.startMinimized = true;
    auto w = std::make_unique<MousecfgWidget>(s);
    // As on a screen of that DPI; the pages are built afterwards, at that factor.
    w->setScaleIndex(scaleIndex);
    w->changeLanguage(language);
    w->show();
    return w;
}

void TestClipping::textsFitAtEveryScale_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("Simplified Chinese") << 1;
    QTest::newRow("Traditional Chinese") << 2;
}

void TestClipping::textsFitAtEveryScale()
{
    QFETCH(int, language);
    QStringList clipped;
    QMap<QString, int> fontsAt1;
    for (const int scaleIndex : {0, 2, 4}) {
        std::unique_ptr<MousecfgWidget> w = makeWindow(scaleIndex, language);
        QCOMPARE(w->scaleIndex(), scaleIndex);
        QCOMPARE(w->size(),
                 QSize(ScaleTable::expectedWidth(scaleIndex), ScaleTable::expectedHeight(scaleIndex)));
        const double scale = ScaleTable::factorOf(scaleIndex);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        ClipFinder finder;
        // Each page as its tab shows it (pages are built when first shown).
        const char *const pages[] = {"colorPage", "buttonPage", "dpiPage", "macroPage"};
        for (int tab = 0; tab < MousecfgWidget::kTabCount; ++tab) {
            w->SelectTab(tab);
            QTRY_VERIFY(findPart<QWidget>(w.get(), pages[tab]));
            QCoreApplication::processEvents();
            finder.walk(w.get());
        }
        // The dialogs the pages open, as they open them.
        QWidget *buttonPage = part<QWidget>(w.get(), "buttonPage");
        QWidget *colorPage = part<QWidget>(w.get(), "colorPage");
        QWidget *macroPage = part<QWidget>(w.get(), "macroPage");
        std::vector<std::unique_ptr<QDialog>> dialogs;
        dialogs.emplace_back(new MirtSingleKeyWindow(buttonPage));
        dialogs.emplace_back(new MirtComboKeyWindow(buttonPage));
        dialogs.emplace_back(new MirtFireKeyWindow(buttonPage));
        dialogs.emplace_back(new MirtMacroSelect(QCoreApplication::translate("MirtBtnWindow", "MACRO SELECT"),
                                                 QString(), 1, 0, 0, buttonPage));
        dialogs.emplace_back(new MirtMacroSelect(
            QCoreApplication::translate("MirtBtnWindow", "GUNFILE SELECT"), QString(), 1, 0, 0, buttonPage));
        dialogs.emplace_back(new MirtColorArea(QColor(255, 0, 0), colorPage));
        dialogs.emplace_back(new MirtGunsetDialog(macroPage, scale));
        for (const std::unique_ptr<QDialog> &d : dialogs) {
            d->setObjectName(QLatin1String(d->metaObject()->className()));
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d.get()));
            finder.walk(d.get());
            d->hide();
        }
        const QString at = QStringLiteral("at %1×: ").arg(scale);
        for (const QString &c : qAsConst(finder.clipped))
            clipped << at + c;
        if (scaleIndex == 0) {
            fontsAt1 = finder.fontPx;
            continue;
        }
        // A text drawn no larger than at 1.0 does not follow the factor.
        for (auto it = finder.fontPx.cbegin(); it != finder.fontPx.cend(); ++it) {
            const int at1 = fontsAt1.value(it.key(), 0);
            if (at1 > 0 && it.value() < int(at1 * scale * 0.85))
                clipped << at + QStringLiteral("%1: a %2 px font, %3 px at 1×")
                                    .arg(it.key())
                                    .arg(it.value())
                                    .arg(at1);
        }
    }
    clipped.removeDuplicates();
    QVERIFY2(clipped.isEmpty(), qPrintable(QStringLiteral("%1 texts cut off:\n").arg(clipped.size()) +
                                           clipped.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestClipping)
#include "tst_clipping.moc"
