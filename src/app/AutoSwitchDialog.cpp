#include "AutoSwitchDialog.h"

#include "MirtKit.h"
#include "MirtPushButton.h"
#include "PageStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 500;
constexpr int kMargin = 26;

QString px(double design)
{
    return QString::number(qMax(1, MirtKit::scaled(design))) + QStringLiteral("px");
}

QString comboSheet()
{
    return QStringLiteral("QComboBox{color: %1; background: rgb(30,30,34); border: 1px solid rgb(90,90,96);"
                          "border-radius: 2px; padding: 0 %2;}"
                          "QComboBox:focus, QComboBox:hover{border: 1px solid %3;}"
                          "QComboBox QAbstractItemView{color: %1; background: rgb(30,30,34);"
                          "selection-background-color: %3; selection-color: black;}")
        .arg(MirtKit::textColor().name(), px(4), MirtKit::accentColor().name());
}

QFont textFont(int designPixels, bool bold = false)
{
    QFont font = MirtKit::languageFont(designPixels);
    font.setBold(bold);
    return font;
}

} // namespace

AutoSwitchDialog::AutoSwitchDialog(const AutoSwitchRules &rules, const QList<ActiveWindow> &windows,
                                   const QString &unsupported, const QStringList &problems, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint), m_rules(rules)
{
    MirtKit::initResources();
    setObjectName(QStringLiteral("autoSwitchDialog"));
    setAttribute(Qt::WA_TranslucentBackground, true);
    setFixedSize(MirtKit::scaled(kWidth), MirtKit::scaled(kHeight));
    setWindowTitle(tr("Auto-switch profiles"));
    setModal(true);
    setFont(textFont(13));
    m_background = MirtKit::skinPixmap(QStringLiteral("/skin/dlg.png"));
    const QString text =
        QStringLiteral("color: %1; background: transparent;").arg(MirtKit::textColor().name());
    const QString muted =
        QStringLiteral("color: %1; background: transparent;").arg(MirtKit::mutedTextColor().name());

    auto *title = new QLabel(tr("AUTO-SWITCH PROFILES"), this);
    title->setFont(textFont(18, true));
    title->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(MirtKit::accentColor().name()));

    m_enabled = new QCheckBox(tr("Switch profiles as these applications gain the focus"), this);
    m_enabled->setObjectName(QStringLiteral("autoSwitchEnabled"));
    m_enabled->setStyleSheet(PageStyle::checkBoxSheet());
    m_enabled->setChecked(rules.enabled());

    auto *note = new QLabel(this);
    note->setObjectName(QStringLiteral("autoSwitchNote"));
    note->setWordWrap(true);
    note->setStyleSheet(muted);
    QStringList notes;
    if (!unsupported.isEmpty())
        notes << unsupported;
    if (!problems.isEmpty())
        notes << tr("Some lines of the rule file were left out: %1").arg(problems.first());
    note->setText(notes.join(QLatin1Char('\n')));
    note->setVisible(!notes.isEmpty());

    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(QStringLiteral("autoSwitchRules"));
    m_table->setHorizontalHeaderLabels({tr("Application"), tr("Profile")});
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    m_table->horizontalHeader()->resizeSection(1, MirtKit::scaled(150));
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(MirtKit::scaled(30));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->setStyleSheet(
        QStringLiteral(
            "QTableWidget{color: %1; background: rgba(0,0,0,110); border: 1px solid rgb(70,70,76);}"
            "QTableWidget::item:selected{background: %2; color: black;}"
            "QHeaderView::section{color: %3; background: rgb(24,24,28); border: none;"
            "border-bottom: 1px solid %2; padding: %4;}")
            .arg(MirtKit::textColor().name(), MirtKit::accentColor().name(), MirtKit::mutedTextColor().name(),
                 px(4)) +
        comboSheet());
    for (const AutoSwitchRules::Rule &r : rules.rules())
        addRow(r.application, r.slot);

    // The new rule: an application of an open window, or typed.
    m_application = new QComboBox(this);
    m_application->setObjectName(QStringLiteral("autoSwitchApplication"));
    m_application->setEditable(true);
    m_application->setInsertPolicy(QComboBox::NoInsert);
    m_application->lineEdit()->setPlaceholderText(tr("Window class or program path"));
    m_application->setStyleSheet(comboSheet());
    QStringList offered;
    for (const ActiveWindow &w : windows) {
        QStringList names = w.classes;
        if (!w.exePath.isEmpty())
            names << w.exePath;
        for (const QString &n : names) {
            if (!offered.contains(n) && AutoSwitchRules::checkApplication(n)) {
                offered << n;
                m_application->addItem(w.title.isEmpty() ? n : QStringLiteral("%1 — %2").arg(n, w.title), n);
            }
        }
    }
    m_application->setCurrentIndex(-1);
    m_application->setFixedHeight(MirtKit::scaled(30));
    m_newSlot = slotBox(1, false);
    m_newSlot->setObjectName(QStringLiteral("autoSwitchNewSlot"));
    const QSize small(MirtKit::scaled(100), MirtKit::scaled(30));
    auto makeButton = [&](const QString &picture, const QString &caption, const QString &name) {
        auto *button = new MirtPushButton({picture}, this);
        button->setObjectName(name);
        button->setFixedSize(small);
        button->SetFontSize(13);
        button->setText(caption);
        button->setAutoDefault(false);
        return button;
    };
    MirtPushButton *add = makeButton(QStringLiteral(":/yes_Btn"), tr("ADD"), QStringLiteral("autoSwitchAdd"));
    connect(add, &QAbstractButton::released, this, [this] {
        const QVariant data = m_application->currentData();
        const QString typed = m_application->currentText().trimmed();
        // A pick shows "class — title"; its data is the name itself.
        const QString name = data.isValid() && m_application->itemText(m_application->currentIndex()) == typed
                                 ? data.toString()
                                 : typed;
        if (addRule(name, m_newSlot->currentData().toInt())) {
            m_application->setCurrentIndex(-1);
            m_application->clearEditText();
        }
    });
    MirtPushButton *remove =
        makeButton(QStringLiteral(":/no_Btn"), tr("DELETE"), QStringLiteral("autoSwitchRemove"));
    connect(remove, &QAbstractButton::released, this, [this] {
        const int row = m_table->currentRow();
        if (row >= 0)
            m_table->removeRow(row);
    });

    auto *otherwiseLabel = new QLabel(tr("Every other window:"), this);
    otherwiseLabel->setStyleSheet(text);
    m_otherwise = slotBox(rules.otherwise(), true);
    m_otherwise->setObjectName(QStringLiteral("autoSwitchOtherwise"));

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("autoSwitchError"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: rgb(255,120,100); background: transparent;"));
    m_error->hide();

    MirtPushButton *ok = makeButton(QStringLiteral(":/yes_Btn"), tr("OK"), QStringLiteral("autoSwitchOk"));
    MirtPushButton *cancel =
        makeButton(QStringLiteral(":/no_Btn"), tr("Cancel"), QStringLiteral("autoSwitchCancel"));
    connect(ok, &QAbstractButton::released, this, &QDialog::accept);
    connect(cancel, &QAbstractButton::released, this, &QDialog::reject);

    const int margin = MirtKit::scaled(kMargin);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(margin, margin, margin, margin);
    outer->setSpacing(MirtKit::scaled(10));
    outer->addWidget(title);
    outer->addWidget(m_enabled);
    outer->addWidget(note);
    outer->addWidget(m_table, 1);
    auto *addRowLayout = new QHBoxLayout;
    addRowLayout->setSpacing(MirtKit::scaled(8));
    addRowLayout->addWidget(m_application, 1);
    addRowLayout->addWidget(m_newSlot);
    addRowLayout->addWidget(add);
    addRowLayout->addWidget(remove);
    outer->addLayout(addRowLayout);
    auto *otherwiseRow = new QHBoxLayout;
    otherwiseRow->addWidget(otherwiseLabel);
    otherwiseRow->addWidget(m_otherwise);
    otherwiseRow->addStretch(1);
    outer->addLayout(otherwiseRow);
    outer->addWidget(m_error);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
}

QComboBox *AutoSwitchDialog::slotBox(int slot, bool withKeep)
{
    auto *box = new QComboBox(this);
    box->setStyleSheet(comboSheet());
    box->setFixedHeight(MirtKit::scaled(28));
    if (withKeep)
        box->addItem(tr("Leave the mouse as it is"), int(AutoSwitchRules::kKeep));
    for (int i = 1; i <= 5; ++i)
        box->addItem(tr("Profile %1").arg(i), i);
    box->setCurrentIndex(qMax(0, box->findData(slot)));
    return box;
}

void AutoSwitchDialog::addRow(const QString &application, int slot)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto *item = new QTableWidgetItem(application);
    item->setToolTip(application);
    m_table->setItem(row, 0, item);
    m_table->setCellWidget(row, 1, slotBox(slot, false));
}

bool AutoSwitchDialog::addRule(const QString &application, int slot)
{
    QString error;
    AutoSwitchRules check = rules();
    if (!check.setRule(application, slot, &error)) {
        showError(error);
        return false;
    }
    m_error->hide();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (AutoSwitchRules::sameApplication(m_table->item(row, 0)->text(), application)) {
            auto *box = qobject_cast<QComboBox *>(m_table->cellWidget(row, 1));
            box->setCurrentIndex(box->findData(slot));
            m_table->selectRow(row);
            return true;
        }
    }
    addRow(application, slot);
    m_table->selectRow(m_table->rowCount() - 1);
    return true;
}

void AutoSwitchDialog::showError(const QString &text)
{
    m_error->setText(text);
    m_error->show();
}

AutoSwitchRules AutoSwitchDialog::rules() const
{
    AutoSwitchRules result = m_rules; // keeps how the file was read
    result.clearRules();
    result.setEnabled(m_enabled->isChecked());
    result.setOtherwise(m_otherwise->currentData().toInt());
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const auto *box = qobject_cast<QComboBox *>(m_table->cellWidget(row, 1));
        result.setRule(m_table->item(row, 0)->text(), box->currentData().toInt());
    }
    return result;
}

void AutoSwitchDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    MirtKit::paintDialog(p, rect(), m_background);
}
