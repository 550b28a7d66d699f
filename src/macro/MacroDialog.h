#pragma once
// The MACRO tab's page: the macro library on the left, the selected macro's
// event table with its row commands in the middle, the delay and loop options
// and the mouse action tree on the right. Recording, row editing and the
// library commands go through MacroModel; the page only shows and asks.

#include "MacroModel.h"

#include <QDialog>
#include <QModelIndex>
#include <QStringList>

#include <functional>

class MacroKeySource;
class MirtMacroItemDelegate;
class MirtPushButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QStandardItemModel;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;
struct ProfileSet;

class MacroDialog : public QDialog
{
    Q_OBJECT

public:
    // set: the profile set whose current profile's macro slots are counted, and
    // whose buttons follow a macro that is renamed or deleted (may be null).
    MacroDialog(ProfileSet *set, QWidget *parent = nullptr, double dScale = 1.0);
    ~MacroDialog() override;

    MacroModel &model() { return m_model; }
    QTableView *eventTable() const { return m_pTable; }
    QListWidget *macroList() const { return m_pMacroList; }
    QString budgetText() const;
    MirtPushButton *button(const QString &objectName) const;
    bool isEditingKey() const { return m_bEditKey; }

    // Messages go to a MirtMessageBox unless replaced (tests).
    using MessageSink = std::function<void(int kind, const QString &title, const QString &text)>;
    void setMessageSink(MessageSink sink) { m_message = std::move(sink); }
    // File dialogs, likewise: import (several files in batch mode), export file, export folder.
    using FilePicker = std::function<QStringList(int what)>;
    enum
    {
        kPickImport = 0,
        kPickExport = 1,
        kPickExportFolder = 2
    };
    void setFilePicker(FilePicker picker) { m_pick = std::move(picker); }
    // The key source made on START (the system-wide or the window source unless replaced).
    using KeySourceFactory = std::function<MacroKeySource *(QWidget *window, QObject *parent)>;
    void setKeySourceFactory(KeySourceFactory factory) { m_makeSource = std::move(factory); }

    // Reloads the library list, keeping the current macro when it is still there.
    void reloadLibrary();

public slots:
    void TreeitemClick(QTreeWidgetItem *item, int column);
    void itemClicked(const QModelIndex &index);
    void EditMoveChanged();
    void EditDelayChanged();
    void DefDelayChanged();
    void LoopTimeChanged();
    void CurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    void checkbtn_clicked();
    void SelectRow(int row);
    // A key event from the key source: recorded, or the edit-key replacement.
    void onKey(int evdevCode, bool release, quint32 timeMs);

protected:
    // The slots in use may have changed on the button page meanwhile.
    void showEvent(QShowEvent *event) override;
    // Every text again in the language now installed.
    void changeEvent(QEvent *event) override;

signals:
    void EnableButtonsSignal(bool bEnable);
    void MacroLibraryChanged();

private:
    MirtPushButton *makeButton(const QString &text, const QString &objectName);
    // A button whose SOURCE text follows a change of language.
    MirtPushButton *makeButton(const char *source, const QString &objectName);
    void retranslate();
    void buildWidgets();
    void loadMacro(const QString &name);
    void refreshRows();
    void refreshOptions();
    void refreshBudget();
    void showRowEditor();
    void enableEditing(bool bEnable);
    void startKeys();
    void stopKeys();
    void message(int kind, const QString &title, const QString &text);
    void warnIfCut();

    // Commands.
    void onStartStop();
    void onNew();
    void onDeleteMacro();
    void onChangeName();
    void onSave();
    void onCancel();
    void onEdit();
    void onImport();
    void onExport();
    void onBatch();
    void onGunSet();
    void onLibraryRowChanged(int row);

    MacroModel m_model;
    ProfileSet *m_pSet;
    double m_dScale;
    MessageSink m_message;
    FilePicker m_pick;
    KeySourceFactory m_makeSource;
    MacroKeySource *m_pKeySource = nullptr;
    // Keeps recorded keys from our own fields while the system-wide source records.
    MacroKeySource *m_pKeyShield = nullptr;
    bool m_bEditKey = false;
    bool m_bBatch = false;
    bool m_bFilling = false;

    QListWidget *m_pMacroList = nullptr;
    QTableView *m_pTable = nullptr;
    QStandardItemModel *m_pRows = nullptr;
    MirtMacroItemDelegate *m_pDelegate = nullptr;
    QLineEdit *m_pNameEdit = nullptr;
    QLineEdit *m_pKeyEdit = nullptr;
    QLineEdit *m_pDelayEdit = nullptr;
    QLineEdit *m_pMoveEdit = nullptr;
    QLineEdit *m_pDefDelayEdit = nullptr;
    QLineEdit *m_pLoopEdit = nullptr;
    QLabel *m_pKeyLabel = nullptr;
    QLabel *m_pDelayLabel = nullptr;
    QLabel *m_pMoveLabel = nullptr;
    QLabel *m_pBudgetLabel = nullptr;
    QLabel *m_pNoticeLabel = nullptr;
    QCheckBox *m_pRecordDelayBox = nullptr;
    QCheckBox *m_pDefaultDelayBox = nullptr;
    QRadioButton *m_pLoopRadio[3] = {};
    QTreeWidget *m_pActionTree = nullptr;
    QList<MirtPushButton *> m_buttons;
    QList<QWidget *> m_editingControls;
};
