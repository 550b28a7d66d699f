#include "MacroDialog.h"

#include "ButtonModel.h"
#include "DeviceDescription.h"
#include "FieldRevert.h"
#include "KeyTables.h"
#include "Log.h"
#include "MacroKeySource.h"
#include "MacroSelection.h"
#include "MirtGunsetDialog.h"
#include "MirtKit.h"
#include "MirtMacroItemDelegate.h"
#include "MirtMessageBox.h"
#include "MirtPushButton.h"
#include "PageStyle.h"
#include "ProfileTypes.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The notice while keys are taken: a key row's edit puts the next key into
// that row; a recording says which windows its keys come from.
QString keyNotice(bool bEditKey, const MacroKeySource *source)
{
    if (bEditKey)
        return MacroDialog::tr("PRESS A KEY: IT GOES INTO THE SELECTED ROW.");
    return source->notice();
}

const char *const kHeaders[3] = {QT_TRANSLATE_NOOP("MacroDialog", "KEY"),
                                 QT_TRANSLATE_NOOP("MacroDialog", "ACTION"),
                                 QT_TRANSLATE_NOOP("MacroDialog", "DELAY(ms)")};
// Tree item data: the button's index in MacroModel::kButtonBits and its part, or a direction.
constexpr int kRoleKind = Qt::UserRole;
constexpr int kRoleValue = Qt::UserRole + 1;
enum TreeKind
{
    kTreeNone = 0,
    kTreeButton = 1,
    kTreeMove = 2
};
constexpr int kDefaultMoveSize = 10;
constexpr int kInsertDelayMs = 10;
// Column widths that keep the page inside the tab's 665 × 467 area.
constexpr int kLeftWidth = 118;
constexpr int kRightWidth = 214;

QString fieldSheet()
{
    return QStringLiteral(
               "QLineEdit { background: #15171b; color: %1; border: 1px solid #3a3d44; padding: 1px 4px; }"
               "QLineEdit:disabled { color: #666; }")
        .arg(MirtKit::textColor().name());
}

QString viewSheet()
{
    const QString accent = MirtKit::accentColor().name();
    return QStringLiteral(
               "QListWidget, QTableView, QTreeWidget { background: #15171b; color: %1; border: 1px solid "
               "#3a3d44;"
               " selection-background-color: %2; outline: 0; }"
               "QHeaderView::section { background: #22252b; color: %1; border: 0; padding: 2px 4px; }"
               "QTreeWidget::item:hover { color: %2; }")
        .arg(MirtKit::textColor().name(), accent);
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setFont(MirtKit::languageFont(11));
    l->setStyleSheet(QStringLiteral("color: %1;").arg(MirtKit::textColor().name()));
    return l;
}

// A widget's source text (of the context MacroDialog), so that a change of
// language shows it again in the new one.
const char *const kSourceText = "mousecfgSourceText";

template <typename W> W *withSource(W *widget, const char *source)
{
    widget->setProperty(kSourceText, QByteArray(source));
    return widget;
}

QLabel *caption(const char *source, QWidget *parent)
{
    return withSource(caption(MacroDialog::tr(source), parent), source);
}

QLineEdit *numberField(int minimum, int maximum, int maxLength, QWidget *parent, const QString &objectName)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setValidator(new QIntValidator(minimum, maximum, e));
    e->setMaxLength(maxLength);
    e->setAlignment(Qt::AlignCenter);
    e->setFont(MirtKit::languageFont(12));
    e->setStyleSheet(fieldSheet());
    e->setFixedWidth(MirtKit::scaled(56));
    return e;
}

} // namespace

MacroDialog::MacroDialog(ProfileSet *set, QWidget *parent, double dScale)
    : QDialog(parent), m_model(DeviceDescription::minDelay()), m_pSet(set), m_dScale(dScale)
{
    // Deleting or renaming a macro changes the buttons that run it.
    m_model.setProfileSet(set);
    m_model.setQuestion([this](const QString &text) {
        MirtMessageBox box(MirtMessageBox::kQuestion, QString(), tr("Warning"), text, this, nullptr,
                           Qt::FramelessWindowHint);
        return box.exec() == QDialog::Accepted;
    });
    setObjectName(QStringLiteral("macroPage"));
    // A page inside the tab's area (QDialog's constructor makes every dialog a window).
    setWindowFlags(Qt::Widget);
    m_makeSource = createKeySource;
    buildWidgets();
    reloadLibrary();
}

MacroDialog::~MacroDialog()
{
    stopKeys();
}

MirtPushButton *MacroDialog::makeButton(const QString &text, const QString &objectName)
{
    QStringList images;
    for (int i = 1; i <= 4; ++i)
        images << QStringLiteral("/skin/cmd-%1.png").arg(i);
    auto *b = new MirtPushButton(images, this);
    b->setObjectName(objectName);
    b->setText(text);
    b->SetFontSize(10);
    b->setFixedHeight(MirtKit::scaled(22));
    b->setMinimumWidth(MirtKit::scaled(40));
    m_buttons << b;
    return b;
}

MirtPushButton *MacroDialog::makeButton(const char *source, const QString &objectName)
{
    return withSource(makeButton(tr(source), objectName), source);
}

MirtPushButton *MacroDialog::button(const QString &objectName) const
{
    for (MirtPushButton *b : m_buttons) {
        if (b->objectName() == objectName)
            return b;
    }
    return nullptr;
}

void MacroDialog::buildWidgets()
{
    setStyleSheet(QStringLiteral("MacroDialog { background: transparent; }"));
    auto *top = new QHBoxLayout(this);
    const int gap = MirtKit::scaled(6);
    top->setContentsMargins(gap, gap, gap, gap);
    top->setSpacing(gap);

    // Library.
    auto *left = new QVBoxLayout;
    left->addWidget(caption(QT_TR_NOOP("MACRO LIST"), this));
    m_pMacroList = new QListWidget(this);
    m_pMacroList->setObjectName(QStringLiteral("macroList"));
    m_pMacroList->setStyleSheet(viewSheet());
    m_pMacroList->setFont(MirtKit::languageFont(12));
    m_pMacroList->setFixedWidth(MirtKit::scaled(kLeftWidth));
    left->addWidget(m_pMacroList, 1);
    m_pNameEdit = new QLineEdit(this);
    m_pNameEdit->setObjectName(QStringLiteral("macroNameEdit"));
    m_pNameEdit->setMaxLength(100);
    m_pNameEdit->setStyleSheet(fieldSheet());
    m_pNameEdit->setFixedWidth(MirtKit::scaled(kLeftWidth));
    left->addWidget(m_pNameEdit);
    auto *libraryButtons = new QGridLayout;
    libraryButtons->setSpacing(MirtKit::scaled(4));
    const struct
    {
        const char *text;
        const char *name;
        void (MacroDialog::*slot)();
    } library[] = {{QT_TR_NOOP("NEW"), "newButton", &MacroDialog::onNew},
                   {QT_TR_NOOP("DELETE"), "deleteMacroButton", &MacroDialog::onDeleteMacro},
                   {QT_TR_NOOP("CHANGE NAME"), "changeNameButton", &MacroDialog::onChangeName},
                   {QT_TR_NOOP("BATCH"), "batchButton", &MacroDialog::onBatch},
                   {QT_TR_NOOP("IMPORT"), "importButton", &MacroDialog::onImport},
                   {QT_TR_NOOP("EXPORT"), "exportButton", &MacroDialog::onExport},
                   {QT_TR_NOOP("GUN SET"), "gunSetButton", &MacroDialog::onGunSet}};
    int n = 0;
    for (const auto &c : library) {
        MirtPushButton *b = makeButton(c.text, QLatin1String(c.name));
        connect(b, &QPushButton::clicked, this, c.slot);
        libraryButtons->addWidget(b, n, 0);
        m_editingControls << b;
        ++n;
    }
    left->addLayout(libraryButtons);
    top->addLayout(left);

    // Event table and row commands.
    auto *middle = new QVBoxLayout;
    m_pRows = new QStandardItemModel(0, 3, this);
    for (int c = 0; c < 3; ++c)
        m_pRows->setHeaderData(c, Qt::Horizontal, tr(kHeaders[c]));
    m_pTable = new QTableView(this);
    m_pTable->setObjectName(QStringLiteral("eventTable"));
    m_pTable->setModel(m_pRows);
    m_pDelegate = new MirtMacroItemDelegate(m_model.delayUnit(), m_pTable);
    m_pTable->setItemDelegate(m_pDelegate);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->verticalHeader()->hide();
    m_pTable->verticalHeader()->setDefaultSectionSize(MirtKit::scaled(22));
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_pTable->horizontalHeader()->setFont(MirtKit::languageFont(11));
    m_pTable->setShowGrid(false);
    m_pTable->setStyleSheet(viewSheet());
    connect(m_pTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MacroDialog::CurrentChanged);
    connect(m_pTable, &QTableView::clicked, this, &MacroDialog::itemClicked);
    middle->addWidget(m_pTable, 1);

    auto *rowEdit = new QHBoxLayout;
    m_pKeyLabel = caption(QT_TR_NOOP("KEY"), this);
    m_pKeyEdit = new QLineEdit(this);
    m_pKeyEdit->setObjectName(QStringLiteral("keyEdit"));
    m_pKeyEdit->setReadOnly(true);
    m_pKeyEdit->setStyleSheet(fieldSheet());
    m_pKeyEdit->setFixedWidth(MirtKit::scaled(110));
    m_pDelayLabel = caption(QT_TR_NOOP("DELAY(ms)"), this);
    m_pDelayEdit =
        numberField(MacroModel::kDelayMinMs, MacroModel::kDelayMaxMs, 5, this, QStringLiteral("delayEdit"));
    connect(m_pDelayEdit, &QLineEdit::editingFinished, this, &MacroDialog::EditDelayChanged);
    m_pMoveLabel = caption(QT_TR_NOOP("DISTANCE"), this);
    m_pMoveEdit = numberField(1, MacroModel::kMoveMax, 5, this, QStringLiteral("moveEdit"));
    connect(m_pMoveEdit, &QLineEdit::editingFinished, this, &MacroDialog::EditMoveChanged);
    // A refused delay or distance: the row's own value again.
    FieldRevert::install(m_pDelayEdit, [this] { showRowEditor(); });
    FieldRevert::install(m_pMoveEdit, [this] { showRowEditor(); });
    for (QWidget *w : {static_cast<QWidget *>(m_pKeyLabel), static_cast<QWidget *>(m_pKeyEdit),
                       static_cast<QWidget *>(m_pDelayLabel), static_cast<QWidget *>(m_pDelayEdit),
                       static_cast<QWidget *>(m_pMoveLabel), static_cast<QWidget *>(m_pMoveEdit)}) {
        rowEdit->addWidget(w);
        w->hide();
    }
    rowEdit->addStretch(1);
    // The row's fields come and go; the line keeps its height so the buttons below never move.
    auto *rowEditLine = new QWidget(this);
    rowEditLine->setFixedHeight(MirtKit::scaled(26));
    rowEdit->setContentsMargins(0, 0, 0, 0);
    rowEditLine->setLayout(rowEdit);
    middle->addWidget(rowEditLine);

    auto *rowButtons = new QGridLayout;
    rowButtons->setSpacing(MirtKit::scaled(4));
    const struct
    {
        const char *text;
        const char *name;
        std::function<void()> run;
    } rows[] = {
        {QT_TR_NOOP("EDIT"), "editButton", [this] { onEdit(); }},
        {QT_TR_NOOP("DELETE"), "deleteRowButton",
         [this] {
             m_model.deleteRow();
             refreshRows();
         }},
        {QT_TR_NOOP("TOP"), "topButton",
         [this] {
             m_model.moveTop();
             refreshRows();
         }},
        {QT_TR_NOOP("BOTTOM"), "bottomButton",
         [this] {
             m_model.moveBottom();
             refreshRows();
         }},
        {QT_TR_NOOP("MOVE UP"), "moveUpButton",
         [this] {
             m_model.moveUp();
             refreshRows();
         }},
        {QT_TR_NOOP("MOVE DOWN"), "moveDownButton",
         [this] {
             m_model.moveDown();
             refreshRows();
         }},
        {QT_TR_NOOP("CLEAR"), "clearButton",
         [this] {
             m_model.clearRows();
             refreshRows();
         }},
        {QT_TR_NOOP("INSERT DELAY"), "insertDelayButton",
         [this] {
             m_model.insertDelay(kInsertDelayMs);
             refreshRows();
         }},
    };
    n = 0;
    for (const auto &c : rows) {
        MirtPushButton *b = makeButton(c.text, QLatin1String(c.name));
        connect(b, &QPushButton::clicked, this, c.run);
        rowButtons->addWidget(b, n / 3, n % 3);
        m_editingControls << b;
        ++n;
    }
    middle->addLayout(rowButtons);

    auto *record = new QHBoxLayout;
    MirtPushButton *start = makeButton(QT_TR_NOOP("START"), QStringLiteral("startButton"));
    connect(start, &QPushButton::clicked, this, &MacroDialog::onStartStop);
    MirtPushButton *save = makeButton(QT_TR_NOOP("SAVE"), QStringLiteral("saveButton"));
    connect(save, &QPushButton::clicked, this, &MacroDialog::onSave);
    MirtPushButton *cancel = makeButton(QT_TR_NOOP("CANCEL"), QStringLiteral("cancelButton"));
    connect(cancel, &QPushButton::clicked, this, &MacroDialog::onCancel);
    record->addWidget(start);
    record->addWidget(save);
    record->addWidget(cancel);
    m_editingControls << save << cancel;
    middle->addLayout(record);
    m_pBudgetLabel = caption(QString(), this);
    m_pBudgetLabel->setObjectName(QStringLiteral("budgetLabel"));
    m_pBudgetLabel->setWordWrap(true);
    middle->addWidget(m_pBudgetLabel);
    m_pNoticeLabel = caption(QString(), this);
    m_pNoticeLabel->setObjectName(QStringLiteral("recordNotice"));
    m_pNoticeLabel->setWordWrap(true);
    // Empty while nothing is recorded; its place is kept so the buttons never move.
    m_pNoticeLabel->setFixedHeight(MirtKit::scaled(30));
    middle->addWidget(m_pNoticeLabel);
    top->addLayout(middle, 1);

    // Options and mouse actions.
    auto *right = new QVBoxLayout;
    right->setSpacing(MirtKit::scaled(4));
    m_pRecordDelayBox = withSource(new QCheckBox(tr("RECORD DELAYS BETWEEN ACTION"), this),
                                   QT_TR_NOOP("RECORD DELAYS BETWEEN ACTION"));
    m_pRecordDelayBox->setObjectName(QStringLiteral("recordDelayBox"));
    m_pDefaultDelayBox =
        withSource(new QCheckBox(tr("INSERT DEFAULT DELAY"), this), QT_TR_NOOP("INSERT DEFAULT DELAY"));
    m_pDefaultDelayBox->setObjectName(QStringLiteral("defaultDelayBox"));
    for (QCheckBox *box : {m_pRecordDelayBox, m_pDefaultDelayBox}) {
        box->setStyleSheet(PageStyle::checkBoxSheet());
        box->setFont(MirtKit::languageFont(10));
        connect(box, &QCheckBox::clicked, this, &MacroDialog::checkbtn_clicked);
        right->addWidget(box);
        m_editingControls << box;
    }
    auto *defDelay = new QHBoxLayout;
    defDelay->addWidget(caption(QT_TR_NOOP("DEFAULT DELAY(ms)"), this));
    m_pDefDelayEdit = numberField(0, MacroModel::kDelayMaxMs, 5, this, QStringLiteral("defaultDelayEdit"));
    connect(m_pDefDelayEdit, &QLineEdit::editingFinished, this, &MacroDialog::DefDelayChanged);
    defDelay->addWidget(m_pDefDelayEdit);
    right->addLayout(defDelay);
    const char *const loopTexts[3] = {QT_TR_NOOP("LOOPS TIME(1-255)"), QT_TR_NOOP("REPEAT RUN WHEN KEY DOWN"),
                                      QT_TR_NOOP("REPEAT RUN UNTIL THE KEY DOWN")};
    for (int i = 0; i < 3; ++i) {
        m_pLoopRadio[i] = withSource(new QRadioButton(tr(loopTexts[i]), this), loopTexts[i]);
        m_pLoopRadio[i]->setObjectName(QStringLiteral("loopRadio%1").arg(i + 1));
        m_pLoopRadio[i]->setStyleSheet(PageStyle::radioSheet());
        m_pLoopRadio[i]->setFont(MirtKit::languageFont(10));
        connect(m_pLoopRadio[i], &QRadioButton::clicked, this,
                [this, i] { m_model.data().LoopType = i + 1; });
        right->addWidget(m_pLoopRadio[i]);
        m_editingControls << m_pLoopRadio[i];
    }
    auto *loop = new QHBoxLayout;
    loop->addWidget(caption(QT_TR_NOOP("LOOPS"), this));
    m_pLoopEdit = numberField(1, 255, 3, this, QStringLiteral("loopEdit"));
    connect(m_pLoopEdit, &QLineEdit::editingFinished, this, &MacroDialog::LoopTimeChanged);
    FieldRevert::install(m_pDefDelayEdit, [this] { refreshOptions(); });
    FieldRevert::install(m_pLoopEdit, [this] { refreshOptions(); });
    loop->addWidget(m_pLoopEdit);
    right->addLayout(loop);

    m_pActionTree = new QTreeWidget(this);
    m_pActionTree->setObjectName(QStringLiteral("actionTree"));
    m_pActionTree->setHeaderHidden(true);
    m_pActionTree->setStyleSheet(viewSheet());
    m_pActionTree->setFont(MirtKit::languageFont(11));
    auto *command = new QTreeWidgetItem(m_pActionTree, {tr("MOUSE COMMAND")});
    for (int b = 0; b < 5; ++b) {
        auto *item = new QTreeWidgetItem(command, {MacroModel::buttonName(MacroModel::kButtonBits[b])});
        item->setData(0, kRoleKind, kTreeButton);
        item->setData(0, kRoleValue, b * 3 + MacroModel::kClick);
        auto *down = new QTreeWidgetItem(item, {tr("PRESS DOWN")});
        down->setData(0, kRoleKind, kTreeButton);
        down->setData(0, kRoleValue, b * 3 + MacroModel::kPress);
        auto *up = new QTreeWidgetItem(item, {tr("BOUNCE UP")});
        up->setData(0, kRoleKind, kTreeButton);
        up->setData(0, kRoleValue, b * 3 + MacroModel::kRelease);
    }
    auto *movement = new QTreeWidgetItem(m_pActionTree, {tr("MOVEMENT")});
    for (int d = 0; d < 4; ++d) {
        auto *item = new QTreeWidgetItem(movement, {MacroModel::directionName(d)});
        item->setData(0, kRoleKind, kTreeMove);
        item->setData(0, kRoleValue, d);
    }
    command->setExpanded(true);
    movement->setExpanded(true);
    connect(m_pActionTree, &QTreeWidget::itemClicked, this, &MacroDialog::TreeitemClick);
    right->addWidget(m_pActionTree, 1);
    m_editingControls << m_pActionTree << m_pMacroList << m_pTable;
    auto *rightBox = new QWidget(this);
    rightBox->setFixedWidth(MirtKit::scaled(kRightWidth));
    right->setContentsMargins(0, 0, 0, 0);
    rightBox->setLayout(right);
    top->addWidget(rightBox);

    connect(m_pMacroList, &QListWidget::currentRowChanged, this, &MacroDialog::onLibraryRowChanged);
    connect(this, &MacroDialog::EnableButtonsSignal, this, &MacroDialog::enableEditing);
}

// ---------------------------------------------------------------------------
// Library

void MacroDialog::reloadLibrary()
{
    const QString keep = m_model.name();
    m_bFilling = true;
    m_pMacroList->clear();
    const QStringList names = MacroFile::libraryNames();
    for (const QString &name : names) {
        auto *item = new QListWidgetItem(name, m_pMacroList);
        if (m_bBatch)
            item->setCheckState(Qt::Unchecked);
    }
    m_bFilling = false;
    const int row = names.indexOf(keep);
    if (row >= 0) {
        m_pMacroList->setCurrentRow(row);
    } else if (!names.isEmpty()) {
        m_pMacroList->setCurrentRow(0);
    } else {
        loadMacro(QString());
    }
}

void MacroDialog::onLibraryRowChanged(int row)
{
    if (m_bFilling || m_model.isRecording())
        return;
    const QListWidgetItem *item = m_pMacroList->item(row);
    loadMacro(item ? item->text() : QString());
}

void MacroDialog::loadMacro(const QString &name)
{
    m_pNameEdit->setText(name);
    // The macro the model already edits (just made, imported or renamed) keeps its rows.
    if (name == m_model.name() && !name.isEmpty() && m_pRows->rowCount() == m_model.events().size())
        return;
    QString error;
    if (!m_model.load(name, &error))
        qCWarning(lcPages, "%s", qPrintable(error));
    refreshOptions();
    refreshRows();
}

void MacroDialog::onNew()
{
    QString error;
    if (!m_model.newMacro(&error)) {
        message(MirtMessageBox::kQuestion, tr("WARNING"), error);
        return;
    }
    reloadLibrary();
    refreshOptions();
    refreshRows();
    emit MacroLibraryChanged();
}

void MacroDialog::onDeleteMacro()
{
    if (m_pMacroList->count() == 0 || m_model.name().isEmpty())
        return;
    QString error;
    if (!m_model.deleteCurrent(&error) && !error.isEmpty())
        message(MirtMessageBox::kWarning, tr("Warning"), error);
    reloadLibrary();
    refreshOptions();
    refreshRows();
    emit MacroLibraryChanged();
}

void MacroDialog::onChangeName()
{
    const QString typed = m_pNameEdit->text();
    if (m_model.name().isEmpty() || typed.isEmpty())
        return;
    QString error;
    if (!m_model.rename(typed, &error)) {
        message(MirtMessageBox::kWarning, tr("Warning"), error);
        return;
    }
    m_pNameEdit->setText(m_model.name());
    reloadLibrary();
    emit MacroLibraryChanged();
}

void MacroDialog::onImport()
{
    const QStringList files =
        m_pick     ? m_pick(kPickImport)
        : m_bBatch ? QFileDialog::getOpenFileNames(this, tr("Load Macro File"), QString(),
                                                   tr("Macro File(*.MSMACRO)"))
                   : QStringList{QFileDialog::getOpenFileName(this, tr("Load Macro File"), QString(),
                                                              tr("Macro File(*.MSMACRO)"))};
    QString last;
    for (const QString &file : files) {
        if (file.isEmpty())
            continue;
        QString name, error;
        if (!MacroModel::importFile(file, &name, &error)) {
            message(error == MacroModel::tr(MacroModel::kTooManyMacros) ? MirtMessageBox::kQuestion
                                                                        : MirtMessageBox::kWarning,
                    error == MacroModel::tr(MacroModel::kTooManyMacros) ? tr("WARNING") : tr("Warning"),
                    error);
            if (!m_bBatch)
                return;
            continue;
        }
        last = name;
    }
    if (last.isEmpty())
        return;
    reloadLibrary();
    if (!m_bBatch)
        m_pMacroList->setCurrentRow(MacroFile::libraryNames().indexOf(last));
    emit MacroLibraryChanged();
}

void MacroDialog::onExport()
{
    if (!m_bBatch) {
        if (m_model.name().isEmpty())
            return;
        const QString path = m_pick
                                 ? m_pick(kPickExport).value(0)
                                 : QFileDialog::getSaveFileName(this, tr("Save Macro File"),
                                                                m_model.name() + QStringLiteral(".MSMACRO"),
                                                                tr("Macro File(*.MSMACRO)"));
        QString error;
        if (!path.isEmpty() && !MacroModel::exportFile(m_model.name(), path, &error))
            message(MirtMessageBox::kWarning, tr("Warning"), error);
        return;
    }
    const QString folder = m_pick ? m_pick(kPickExportFolder).value(0)
                                  : QFileDialog::getExistingDirectory(this, tr("Save Macro File"));
    if (folder.isEmpty())
        return;
    for (int i = 0; i < m_pMacroList->count(); ++i) {
        const QListWidgetItem *item = m_pMacroList->item(i);
        QString error;
        if (item->checkState() == Qt::Checked &&
            !MacroModel::exportFile(
                item->text(), folder + QLatin1Char('/') + item->text() + QStringLiteral(".MSMACRO"), &error))
            message(MirtMessageBox::kWarning, tr("Warning"), error);
    }
}

void MacroDialog::onBatch()
{
    m_bBatch = !m_bBatch;
    if (MirtPushButton *b = button(QStringLiteral("batchButton")))
        b->SetState(m_bBatch ? 1 : 0);
    reloadLibrary();
}

void MacroDialog::onGunSet()
{
    if (MacroFile::countMacros() >= kMacroListSize) {
        message(MirtMessageBox::kQuestion, tr("WARNING"), MacroModel::tr(MacroModel::kTooManyMacros));
        return;
    }
    MirtGunsetDialog dlg(this, m_dScale);
    if (dlg.exec() != QDialog::Accepted)
        return;
    QString name, error;
    if (!MacroSelection::writeGunFile(dlg.resultName(), dlg.shots(), m_model.delayUnit(), &name, &error)) {
        message(MirtMessageBox::kWarning, tr("Warning"), error);
        return;
    }
    m_model.load(name);
    reloadLibrary();
    m_pMacroList->setCurrentRow(MacroFile::libraryNames().indexOf(name));
    refreshOptions();
    refreshRows();
    emit MacroLibraryChanged();
}

// ---------------------------------------------------------------------------
// Recording and key edits

void MacroDialog::startKeys()
{
    if (m_pKeySource)
        return;
    m_pKeySource = m_makeSource ? m_makeSource(window(), this) : nullptr;
    if (!m_pKeySource)
        return;
    connect(m_pKeySource, &MacroKeySource::keyEvent, this, &MacroDialog::onKey);
    const bool started = m_pKeySource->start();
    if (started && m_pKeySource->systemWide()) {
        m_pKeyShield = new WindowKeySource(window(), this);
        m_pKeyShield->start();
    }
    m_pNoticeLabel->setText(started ? keyNotice(m_bEditKey, m_pKeySource)
                                    : tr("KEYS CANNOT BE RECORDED HERE."));
}

void MacroDialog::stopKeys()
{
    delete m_pKeyShield;
    m_pKeyShield = nullptr;
    if (m_pKeySource) {
        m_pKeySource->stop();
        delete m_pKeySource;
        m_pKeySource = nullptr;
    }
    if (m_pNoticeLabel)
        m_pNoticeLabel->clear();
}

void MacroDialog::onStartStop()
{
    MirtPushButton *start = button(QStringLiteral("startButton"));
    if (!m_model.isRecording()) {
        stopKeys();
        m_bEditKey = false;
        if (!m_model.startRecording())
            return; // no macro to record into
        start->setText(tr("STOP"));
        refreshRows();
        emit EnableButtonsSignal(false);
        startKeys();
        // Recorded keys must not type into the fields.
        m_pTable->setFocus();
        return;
    }
    stopKeys();
    const MacroModel::StopResult r = m_model.stopRecording();
    start->setText(tr("START"));
    emit EnableButtonsSignal(true);
    refreshRows();
    if (r.unreleased)
        message(MirtMessageBox::kWarning, tr("Warning"), MacroModel::tr(MacroModel::kNotReleased));
    if (!r.saved)
        message(MirtMessageBox::kWarning, tr("Warning"), r.errorText);
    warnIfCut();
}

void MacroDialog::onKey(int evdevCode, bool release, quint32 timeMs)
{
    if (m_model.isRecording()) {
        if (m_model.recordEvdev(evdevCode, release, timeMs) == MacroModel::Recorded::Appended)
            refreshRows();
        return;
    }
    if (!m_bEditKey)
        return;
    int scan = 0;
    uint32_t flags = 0;
    if (!ButtonModel::scanFromEvdev(evdevCode, release, &scan, &flags))
        return;
    const int index = ButtonModel::keyIndexFromScan(scan, flags);
    if (m_model.editKey(index, release)) {
        m_pKeyEdit->setText(KeyTables::keyName(index));
        refreshRows();
    }
}

void MacroDialog::onEdit()
{
    if (m_model.selectedRow() < 0)
        return;
    showRowEditor();
    if (MacroModel::isKeyRow(m_model.events().at(m_model.selectedRow()))) {
        m_bEditKey = true;
        m_model.resetEditKey();
        emit EnableButtonsSignal(false);
        startKeys();
        m_pTable->setFocus();
    }
}

void MacroDialog::onSave()
{
    stopKeys();
    m_bEditKey = false;
    QString error;
    if (!m_model.save(&error) && !m_model.name().isEmpty())
        message(MirtMessageBox::kWarning, tr("Warning"), error);
    emit EnableButtonsSignal(true);
    showRowEditor();
    warnIfCut();
}

void MacroDialog::onCancel()
{
    stopKeys();
    m_bEditKey = false;
    const QString name = m_model.name();
    m_model.load(name);
    refreshOptions();
    refreshRows();
    emit EnableButtonsSignal(true);
}

void MacroDialog::enableEditing(bool bEnable)
{
    for (QWidget *w : qAsConst(m_editingControls)) {
        if (auto *b = qobject_cast<MirtPushButton *>(w))
            b->SetEnabledLook(bEnable);
        else
            w->setEnabled(bEnable);
    }
    // While a key is edited SAVE and CANCEL end the edit.
    if (m_bEditKey) {
        button(QStringLiteral("saveButton"))->SetEnabledLook(true);
        button(QStringLiteral("cancelButton"))->SetEnabledLook(true);
    }
}

// ---------------------------------------------------------------------------
// Rows

void MacroDialog::refreshRows()
{
    m_bFilling = true;
    m_pRows->setRowCount(0);
    for (const MacroEvent &e : m_model.events()) {
        m_pRows->appendRow({new QStandardItem(QString::number(e.type)),
                            new QStandardItem(QString::number(e.high)),
                            new QStandardItem(QString::number(e.low))});
    }
    const int row = m_model.selectedRow();
    if (row >= 0) {
        m_pTable->selectionModel()->setCurrentIndex(
            m_pRows->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_pTable->scrollTo(m_pRows->index(row, 0));
    } else {
        m_pTable->selectionModel()->clearSelection();
        m_pTable->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    }
    m_bFilling = false;
    showRowEditor();
    refreshBudget();
}

void MacroDialog::refreshOptions()
{
    const MacroFile::MacroData &d = m_model.data();
    m_pRecordDelayBox->setChecked(d.DelayType == MacroModel::kRecordDelays);
    m_pDefaultDelayBox->setChecked(d.DelayType == MacroModel::kDefaultDelay);
    m_pDefDelayEdit->setText(QString::number(d.DefaultDelay));
    m_pLoopEdit->setText(QString::number(d.LoopTime));
    for (int i = 0; i < 3; ++i) {
        m_pLoopRadio[i]->setAutoExclusive(false);
        m_pLoopRadio[i]->setChecked(d.LoopType == i + 1);
        m_pLoopRadio[i]->setAutoExclusive(true);
    }
}

QString MacroDialog::budgetText() const
{
    const int used = m_pSet ? MacroModel::slotNames(m_pSet->current().BUTTON_INFO).size() : 0;
    return tr("MOUSE MEMORY: %1/%2 BYTES · MACRO SLOTS IN USE: %3/%4")
        .arg(MacroModel::packedBytes(m_model.events()))
        .arg(MacroModel::kSlotBytes)
        .arg(used)
        .arg(MacroModel::kSlots);
}

void MacroDialog::refreshBudget()
{
    const bool fits = MacroModel::fitsSlot(m_model.events());
    m_pBudgetLabel->setText(budgetText());
    m_pBudgetLabel->setStyleSheet(
        QStringLiteral("color: %1;")
            .arg(fits ? MirtKit::mutedTextColor().name() : QStringLiteral("#ff5a4f")));
}

void MacroDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    refreshBudget();
}

void MacroDialog::warnIfCut()
{
    if (!m_model.name().isEmpty() && !MacroModel::fitsSlot(m_model.events()))
        message(MirtMessageBox::kWarning, tr("Warning"), MacroModel::tr(MacroModel::kBytesOverflow));
}

void MacroDialog::showRowEditor()
{
    const int row = m_model.selectedRow();
    const MacroEvent e = row >= 0 ? m_model.events().at(row) : MacroEvent{};
    const bool key = row >= 0 && MacroModel::isKeyRow(e);
    const bool delay = row >= 0 && MacroModel::isDelayRow(e);
    const bool move = row >= 0 && MacroModel::isMoveRow(e);
    m_pKeyLabel->setVisible(key);
    m_pKeyEdit->setVisible(key);
    m_pDelayLabel->setVisible(delay);
    m_pDelayEdit->setVisible(delay);
    m_pMoveLabel->setVisible(move);
    m_pMoveEdit->setVisible(move);
    if (key)
        m_pKeyEdit->setText(MacroModel::rowName(e, m_model.delayUnit()));
    if (delay)
        m_pDelayEdit->setText(QString::number(MacroFile::delayMs(e, m_model.delayUnit())));
    if (move)
        m_pMoveEdit->setText(QString::number(MacroModel::moveSize(e)));
}

void MacroDialog::CurrentChanged(const QModelIndex &current, const QModelIndex &)
{
    if (m_bFilling)
        return;
    m_model.selectRow(current.isValid() ? current.row() : -1);
    // A key edit ends when another kind of row is chosen.
    if (m_bEditKey &&
        (m_model.selectedRow() < 0 || !MacroModel::isKeyRow(m_model.events().at(m_model.selectedRow())))) {
        stopKeys();
        m_bEditKey = false;
        emit EnableButtonsSignal(true);
    }
    m_model.resetEditKey();
    showRowEditor();
}

void MacroDialog::itemClicked(const QModelIndex &index)
{
    SelectRow(index.row());
}

void MacroDialog::SelectRow(int row)
{
    m_model.selectRow(row);
    refreshRows();
}

void MacroDialog::TreeitemClick(QTreeWidgetItem *item, int)
{
    if (!item || m_model.isRecording() || m_model.name().isEmpty())
        return;
    const int kind = item->data(0, kRoleKind).toInt();
    const int value = item->data(0, kRoleValue).toInt();
    if (kind == kTreeButton)
        m_model.insertButton(value / 3, MacroModel::ButtonPart(value % 3));
    else if (kind == kTreeMove)
        m_model.insertMove(MacroModel::Direction(value), kDefaultMoveSize);
    else
        return;
    refreshRows();
}

void MacroDialog::EditDelayChanged()
{
    if (m_model.setRowDelay(m_pDelayEdit->text().toInt()))
        refreshRows();
}

void MacroDialog::EditMoveChanged()
{
    if (m_model.setRowDistance(m_pMoveEdit->text().toInt()))
        refreshRows();
}

void MacroDialog::DefDelayChanged()
{
    m_model.data().DefaultDelay = qBound(0, m_pDefDelayEdit->text().toInt(), MacroModel::kDelayMaxMs);
}

void MacroDialog::LoopTimeChanged()
{
    m_model.data().LoopTime = qBound(1, m_pLoopEdit->text().toInt(), 255);
    m_pLoopEdit->setText(QString::number(m_model.data().LoopTime));
}

void MacroDialog::checkbtn_clicked()
{
    // Ticking one delay box clears the other.
    if (sender() == m_pRecordDelayBox && m_pRecordDelayBox->isChecked())
        m_pDefaultDelayBox->setChecked(false);
    if (sender() == m_pDefaultDelayBox && m_pDefaultDelayBox->isChecked())
        m_pRecordDelayBox->setChecked(false);
    m_model.setDelayMode(m_pRecordDelayBox->isChecked()    ? MacroModel::kRecordDelays
                         : m_pDefaultDelayBox->isChecked() ? MacroModel::kDefaultDelay
                                                           : MacroModel::kNoDelays);
}

void MacroDialog::message(int kind, const QString &title, const QString &text)
{
    if (m_message) {
        m_message(kind, title, text);
        return;
    }
    MirtMessageBox box(kind, QString(), title, text, this, nullptr, Qt::FramelessWindowHint);
    box.exec();
}

// ---------------------------------------------------------------------------
// Language

void MacroDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void MacroDialog::retranslate()
{
    for (QWidget *w : findChildren<QWidget *>()) {
        const QByteArray source = w->property(kSourceText).toByteArray();
        if (source.isEmpty())
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            b->setText(tr(source.constData()));
        else if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(tr(source.constData()));
    }
    if (m_model.isRecording())
        button(QStringLiteral("startButton"))->setText(tr("STOP"));
    for (int c = 0; c < 3; ++c)
        m_pRows->setHeaderData(c, Qt::Horizontal, tr(kHeaders[c]));
    // The action tree: the mouse commands with their two parts, then the movements.
    if (QTreeWidgetItem *command = m_pActionTree->topLevelItem(0)) {
        command->setText(0, tr("MOUSE COMMAND"));
        for (int b = 0; b < command->childCount(); ++b) {
            QTreeWidgetItem *item = command->child(b);
            item->setText(0, MacroModel::buttonName(MacroModel::kButtonBits[b]));
            item->child(0)->setText(0, tr("PRESS DOWN"));
            item->child(1)->setText(0, tr("BOUNCE UP"));
        }
    }
    if (QTreeWidgetItem *movement = m_pActionTree->topLevelItem(1)) {
        movement->setText(0, tr("MOVEMENT"));
        for (int d = 0; d < movement->childCount(); ++d)
            movement->child(d)->setText(0, MacroModel::directionName(d));
    }
    if (m_pKeySource)
        m_pNoticeLabel->setText(keyNotice(m_bEditKey, m_pKeySource));
    refreshBudget();
    showRowEditor();
    m_pTable->viewport()->update();
}
