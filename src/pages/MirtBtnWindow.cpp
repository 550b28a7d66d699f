#include "MirtBtnWindow.h"

#include "DeviceDescription.h"
#include "Log.h"
#include "MacroFile.h"
#include "MirtAction.h"
#include "MirtComboKeyWindow.h"
#include "MirtFireKeyWindow.h"
#include "MirtKit.h"
#include "MirtMacroSelect.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "MirtSingleKeyWindow.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

using namespace ButtonModel;
using namespace ButtonCatalogue;

namespace {

constexpr int kMenuWidth = 220;
constexpr int kLabelFontSize = 13;  // design pixels of the function buttons' labels
constexpr double kNumberX = 18.0;   // the first set's numbers, left of the buttons
constexpr double kWheelX = 330.0;   // the wheel set, right of the first set
constexpr double kCaptionGap = 4.0; // between a wheel caption and its button
constexpr int kWheelNumbers[2] = {253, 254};

const QStringList kFunctionButtonImages = {QStringLiteral("/skin/tabbutton-1.png"),
                                           QStringLiteral("/skin/tabbutton-3.png"),
                                           QStringLiteral("/skin/tabbutton-2.png")};

const char *const kWheelCaptions[2] = {QT_TRANSLATE_NOOP("MirtBtnWindow", "WHEEL UP"),
                                       QT_TRANSLATE_NOOP("MirtBtnWindow", "WHEEL DOWN")};

} // namespace

MirtBtnWindow::MirtBtnWindow(Buttons *records, QWidget *parent, double scale)
    : QWidget(parent), m_dScale(scale), m_pButtons(records)
{
    setObjectName(QStringLiteral("MirtBtnWindow"));
    setAttribute(Qt::WA_TranslucentBackground, true);
    setStyleSheet(QStringLiteral("background:transparent;"));
    buildMenus();
    for (int i = 0; i < 20; ++i) {
        m_first[size_t(i)] = makeFunctionButton(i + 1);
        m_first[size_t(i)]->setObjectName(QStringLiteral("firstSet%1").arg(i));
        m_first[size_t(i)]->setProperty("rowIndex", i); // the main window's marker
        m_first[size_t(i)]->setMenu(m_pBtnMenu);
        m_second[size_t(i)] = makeFunctionButton(i + 1);
        m_second[size_t(i)]->setObjectName(QStringLiteral("secondSet%1").arg(i));
        m_second[size_t(i)]->setMenu(m_pBtnMenu);
    }
    for (int i = 0; i < 2; ++i) {
        m_wheel[size_t(i)] = makeFunctionButton(kWheelNumbers[i]);
        m_wheel[size_t(i)]->setObjectName(QStringLiteral("wheelSet%1").arg(i));
        m_wheel[size_t(i)]->setMenu(m_pWheelMenu);
    }
    layoutSets();
    showSets(kFirstSet);
    Retranslate();
}

MirtPushButton *MirtBtnWindow::makeFunctionButton(int number)
{
    auto *b = new MirtPushButton(kFunctionButtonImages, this);
    b->setProperty("buttonNumber", number);
    b->setProperty("rowIndex", -1);
    b->setCursor(Qt::PointingHandCursor);
    b->SetFontSize(kLabelFontSize);
    b->SetGradientEnabled(false);
    connect(b, &MirtPushButton::OverSignal, this, &MirtBtnWindow::slotMouseOver);
    connect(b, &MirtPushButton::EnterSignal, this, &MirtBtnWindow::slotMouseEnter);
    connect(b, &MirtPushButton::EnterSignal, this, &MirtBtnWindow::OnMouseEnterSlot);
    return b;
}

MirtPushButton *MirtBtnWindow::functionButton(int set, int index) const
{
    if (recordIndex(set, index) < 0)
        return nullptr;
    if (set == kFirstSet)
        return m_first[size_t(index)];
    if (set == kSecondSet)
        return m_second[size_t(index)];
    return m_wheel[size_t(index)];
}

bool MirtBtnWindow::locate(MirtPushButton *btn, int *set, int *index) const
{
    for (int s = 0; s < kSetCount; ++s) {
        for (int i = 0; i < kSetSizes[s]; ++i) {
            if (functionButton(s, i) == btn) {
                *set = s;
                *index = i;
                return true;
            }
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Menus

void MirtBtnWindow::buildMenus()
{
    // One action per catalogue entry with a menu text, created once.
    for (const FunctionRow &row : functionTable()) {
        if (!row.text)
            continue;
        auto *action = new MirtAction(this);
        action->setData(row.fun);
        action->setObjectName(QStringLiteral("entry%1").arg(row.fun));
        connect(action, &QAction::triggered, this, &MirtBtnWindow::onEntryTriggered);
        m_actions.insert(row.fun, action);
    }
    m_pBtnMenu = new QMenu(this);
    m_pBtnMenu->setObjectName(QStringLiteral("buttonMenu"));
    m_pBtnMenu->installEventFilter(this);
    m_pWheelMenu = new QMenu(this);
    m_pWheelMenu->setObjectName(QStringLiteral("wheelMenu"));
    m_pWheelMenu->installEventFilter(this);
    for (const Submenu &s : submenus()) {
        auto *menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("submenu%1").arg(m_submenus.size()));
        for (int fun : s.entries)
            menu->addAction(m_actions.value(fun));
        m_submenus << menu;
    }
    for (QMenu *menu : QList<QMenu *>{m_pBtnMenu, m_pWheelMenu} + m_submenus) {
        menu->setStyleSheet(MirtKit::menuStyleSheet(kMenuWidth));
        menu->setFixedWidth(MirtKit::scaled(kMenuWidth));
    }
}

void MirtBtnWindow::rebuildButtonMenu()
{
    const MenuSwitches switches = menuSwitches();
    m_pBtnMenu->clear();
    for (int fun : menuHeadEntries())
        m_pBtnMenu->addAction(m_actions.value(fun));
    for (int i = 0; i < submenus().size(); ++i) {
        if (submenus().at(i).menu != kMenuProfile)
            m_pBtnMenu->addMenu(m_submenus.at(i));
    }
    for (int fun : menuTailEntries(switches))
        m_pBtnMenu->addAction(m_actions.value(fun));
    m_pWheelMenu->clear();
    for (int fun : wheelMenuEntries())
        m_pWheelMenu->addAction(m_actions.value(fun));
}

// ---------------------------------------------------------------------------
// Operations of the main window

void MirtBtnWindow::SetRecords(Buttons *records)
{
    m_pButtons = records;
    relabel();
}

void MirtBtnWindow::Select(quint8 index, quint8 set)
{
    if (set != kNoSelection)
        m_iCurSet = set;
    m_iCurIndex = index;
    showSets(m_iCurSet);
}

void MirtBtnWindow::SelectAndRelabel(quint8 index, quint8 set)
{
    Select(index, set);
    relabel();
}

void MirtBtnWindow::Rescale(double scale)
{
    m_dScale = scale;
    for (QMenu *menu : QList<QMenu *>{m_pBtnMenu, m_pWheelMenu} + m_submenus) {
        menu->setStyleSheet(MirtKit::menuStyleSheet(kMenuWidth));
        menu->setFixedWidth(MirtKit::scaled(kMenuWidth));
    }
    for (MirtAction *action : qAsConst(m_actions))
        action->applyFont();
    layoutSets();
    update();
}

void MirtBtnWindow::Retranslate()
{
    rebuildButtonMenu();
    for (int i = 0; i < submenus().size(); ++i)
        m_submenus.at(i)->setTitle(submenuTitle(submenus().at(i)));
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setText(functionText(it.key()));
    relabel();
    update();
}

void MirtBtnWindow::relabel()
{
    for (int s = 0; s < kSetCount; ++s) {
        for (int i = 0; i < kSetSizes[s]; ++i) {
            const int r = recordIndex(s, i);
            setLabel(functionButton(s, i), m_pButtons ? buttonLabel((*m_pButtons)[size_t(r)], s) : QString());
        }
    }
}

void MirtBtnWindow::setLabel(MirtPushButton *btn, const QString &label)
{
    btn->setText(label);
    updateLabelTip(btn);
}

void MirtBtnWindow::updateLabelTip(MirtPushButton *btn)
{
    // The button cuts a label short that does not fit (clear of its drop-down
    // mark on both sides); then the whole label is its tool tip.
    const QString label = btn->text();
    const int room = btn->width() - 2 * int(btn->height() * 0.9);
    const QFontMetrics fm(MirtKit::languageFont(kLabelFontSize));
    const bool cut = !label.isEmpty() && (room <= 0 || MirtKit::fittedText(fm, label, room) != label);
    btn->setToolTip(cut ? label : QString());
}

void MirtBtnWindow::restAfterDialog(MirtPushButton *btn)
{
    // A modal dialog or menu swallowed the leave event: the button and the
    // picture's hot spot go back to rest unless the pointer is still there.
    if (!btn)
        return;
    const bool over = btn->isVisible() && btn->rect().contains(btn->mapFromGlobal(QCursor::pos()));
    btn->SetState(0);
    if (over) {
        QEvent enter(QEvent::Enter); // the hover look and its hot spot, as a real enter
        QCoreApplication::sendEvent(btn, &enter);
    } else {
        emit SelBtnControl(btn, false);
    }
}

// ---------------------------------------------------------------------------
// Layout

void MirtBtnWindow::layoutSets()
{
    const double f = m_dScale;
    const QVector<int> matrix = secondMatrix();
    const QVector<Slot> layout = firstSetLayout(matrix, height() > 0 ? height() : int(467 * f), f);
    for (int i = 0; i < 20; ++i) {
        MirtPushButton *b = m_first[size_t(i)];
        const bool shown = i < layout.size() && !layout.at(i).geometry.isEmpty();
        b->setGeometry(shown ? layout.at(i).geometry : QRect());
        b->setProperty("buttonNumber", shown ? layout.at(i).number : 0);
    }
    // The second set: the buttons of the side view, spaced like the first set.
    const int sideButtons = qMin(2, int(matrix.size()));
    const QVector<Slot> side =
        firstSetLayout(QVector<int>(sideButtons, 0), height() > 0 ? height() : int(467 * f), f);
    for (int i = 0; i < 20; ++i)
        m_second[size_t(i)]->setGeometry(i < side.size() ? side.at(i).geometry : QRect());
    // The wheel set: beside the first two rows of the first set, under their captions.
    int row = 0;
    for (int i = 0; i < 2; ++i) {
        QRect g;
        while (row < layout.size() && layout.at(row).geometry.isEmpty())
            ++row;
        if (row < layout.size())
            g = layout.at(row++).geometry;
        else
            g = QRect(int(56 * f), int((62 + 60 * i) * f), int(220 * f), int(30 * f));
        g.moveLeft(int(kWheelX * f));
        m_wheel[size_t(i)]->setGeometry(g);
    }
    for (int s = 0; s < kSetCount; ++s) {
        for (int i = 0; i < kSetSizes[s]; ++i)
            updateLabelTip(functionButton(s, i));
    }
}

void MirtBtnWindow::showSets(int set)
{
    const bool second = set == kSecondSet;
    for (MirtPushButton *b : m_first)
        b->setVisible(!second && !b->geometry().isEmpty());
    for (MirtPushButton *b : m_wheel)
        b->setVisible(!second);
    for (MirtPushButton *b : m_second)
        b->setVisible(second && !b->geometry().isEmpty());
    update();
}

void MirtBtnWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!qFuzzyCompare(MirtKit::scaleFactor(), m_dScale))
        Rescale(MirtKit::scaleFactor());
    else
        layoutSets();
    showSets(m_iCurSet == kNoSelection ? int(kFirstSet) : int(m_iCurSet));
}

void MirtBtnWindow::paintEvent(QPaintEvent *)
{
    // The button numbers left of the function buttons, the wheel captions above theirs.
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(MirtKit::languageFont(13));
    const double f = m_dScale;
    const bool second = m_iCurSet == kSecondSet;
    const auto &buttons = second ? m_second : m_first;
    // A thin frame marks every function button as something to click.
    QColor frame = MirtKit::mutedTextColor();
    frame.setAlpha(110);
    p.setPen(QPen(frame, 1.0));
    p.setBrush(Qt::NoBrush);
    for (QWidget *b : findChildren<MirtPushButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (b->isVisible())
            p.drawRoundedRect(QRectF(b->geometry()).adjusted(0.5, 0.5, -0.5, -0.5), 3 * f, 3 * f);
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
        MirtPushButton *b = buttons[i];
        if (!b->isVisible())
            continue;
        const int number = second ? int(i) + 1 : b->property("buttonNumber").toInt();
        const QRect badge(int(kNumberX * f), b->y(), b->x() - int(kNumberX * f) - int(8 * f), b->height());
        p.setPen(Qt::NoPen);
        p.setBrush(MirtKit::accentColor());
        const int d = qMin(badge.height(), int(24 * f));
        const QRect circle(badge.right() - d, badge.center().y() - d / 2, d, d);
        p.drawEllipse(circle);
        p.setPen(MirtKit::textColor());
        p.drawText(circle, Qt::AlignCenter, QString::number(number));
    }
    if (second)
        return;
    p.setPen(MirtKit::mutedTextColor());
    p.setFont(MirtKit::languageFont(11));
    for (int i = 0; i < 2; ++i) {
        const QRect g = m_wheel[size_t(i)]->geometry();
        const QRect caption(g.x(), g.y() - int(18 * f) - int(kCaptionGap * f), g.width(), int(18 * f));
        if (i == 0 && caption.top() < 0)
            continue;
        p.drawText(caption, Qt::AlignLeft | Qt::AlignBottom, tr(kWheelCaptions[i]));
    }
}

// ---------------------------------------------------------------------------
// Hover, selection and the menu

void MirtBtnWindow::OnMouseEnterSlot(MirtPushButton *btn)
{
    const int index = int(std::find(m_first.cbegin(), m_first.cend(), btn) - m_first.cbegin());
    if (index >= int(m_first.size()))
        return;
    m_iCurSet = kFirstSet;
    m_iCurIndex = quint8(index);
    showSets(kFirstSet);
    qCDebug(lcPages, "OnMouseEnterSlot %d", index);
}

void MirtBtnWindow::slotMouseOver(MirtPushButton *btn, bool bType)
{
    int set = 0, index = 0;
    if (locate(btn, &set, &index))
        emit SelBtnControl(btn, bType);
}

void MirtBtnWindow::slotMouseEnter(MirtPushButton *btn)
{
    int set = 0, index = 0;
    if (locate(btn, &set, &index)) {
        m_iCurSet = quint8(set);
        m_iCurIndex = quint8(index);
    }
}

bool MirtBtnWindow::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_pBtnMenu || watched == m_pWheelMenu) && event->type() == QEvent::Close) {
        if (MirtPushButton *b = functionButton(m_iCurSet, m_iCurIndex))
            restAfterDialog(b);
    }
    return QWidget::eventFilter(watched, event);
}

void MirtBtnWindow::onEntryTriggered()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (action)
        chooseFunction(action->data().toInt());
}

void MirtBtnWindow::chooseFunction(int fun)
{
    const int r = recordIndex(m_iCurSet, m_iCurIndex);
    if (r < 0 || !m_pButtons)
        return;
    MirtPushButton *btn = functionButton(m_iCurSet, m_iCurIndex);
    emit SelBtnControl(btn, true);
    Buttons &records = *m_pButtons;
    if (!keepsClick(records, r, fun)) {
        emit PopOneClickBox();
        restAfterDialog(btn);
        return;
    }
    if (fun == ButtonCatalogue::kFunMacro || fun == ButtonCatalogue::kFunGunFile) {
        // The macro or gun file comes from the macro library; with none there, the MACRO tab opens.
        if (fun == ButtonCatalogue::kFunGunFile && r == 0) {
            MirtMessageBox box(MirtMessageBox::kWarning, QString(), tr("Warning"),
                               MacroSelection::tr(MacroSelection::kLeftButtonNoGun), this);
            box.exec();
        } else if (MacroFile::libraryNames().isEmpty()) {
            emit GotoMacroTab(3);
            restAfterDialog(btn);
            return;
        } else {
            const MacroSelection::Choice start = MacroSelection::initialChoice(records[size_t(r)], fun);
            MirtMacroSelect dlg(fun == ButtonCatalogue::kFunMacro ? tr("MACRO SELECT") : tr("GUNFILE SELECT"),
                                start.name, start.loopCount, start.runMode, start.leftButtonOption, this);
            dlg.setSlotCheck(&records, r);
            if (dlg.exec() == QDialog::Accepted) {
                MacroSelection::applyChoice(records[size_t(r)], fun, dlg.choice());
                setLabel(btn, buttonLabel(records[size_t(r)], m_iCurSet));
                emit ButtonsChangedSignal();
            }
        }
        restAfterDialog(btn);
        m_iCurSet = m_iCurIndex = kNoSelection;
        return;
    }
    Assignment a;
    a.fun = fun;
    if ((fun == kFunSingleKey || fun == kFunComboKey || fun == kFunFireKey) && !runCaptureDialog(fun, &a)) {
        restAfterDialog(btn);
        m_iCurSet = m_iCurIndex = kNoSelection;
        return;
    }
    if (assign(records, r, a) == Result::Assigned) {
        if (fun == kFunSingleKey)
            qCDebug(lcPages, "single key %d", a.keyIndex);
        setLabel(btn, buttonLabel(records[size_t(r)], m_iCurSet));
        emit ButtonsChangedSignal();
    }
    restAfterDialog(btn);
    m_iCurSet = m_iCurIndex = kNoSelection;
}

bool MirtBtnWindow::runCaptureDialog(int fun, Assignment *a)
{
    const ButtonAssignment &record = (*m_pButtons)[size_t(recordIndex(m_iCurSet, m_iCurIndex))];
    const bool holds = record.Fun == fun;
    if (fun == kFunSingleKey) {
        MirtSingleKeyWindow dialog(this);
        if (holds)
            dialog.fill(record.Res1);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        a->keyIndex = dialog.key();
    } else if (fun == kFunComboKey) {
        MirtComboKeyWindow dialog(this);
        if (holds)
            dialog.fill(record);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        a->combo = dialog.capture().comboSlots();
    } else {
        MirtFireKeyWindow dialog(this);
        if (holds)
            dialog.fill(record);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const FireSettings f = dialog.settings();
        a->fireSource = fireSourceCode(f);
        a->times = f.times;
        a->delay = f.delay;
    }
    return true;
}
