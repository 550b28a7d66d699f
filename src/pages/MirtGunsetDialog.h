#pragma once
// The gun set dialog: a gun file name and up to five shots, each a delay and
// a Y and an X movement; "Yes" builds the event list (MacroSelection) and
// accepts, the macro editor then writes the gun file.

#include "MacroSelection.h"

#include <QDialog>
#include <QPixmap>

#include <functional>

class MirtLabel;
class MirtPushButton;
class QLineEdit;
class QListWidget;
class QSpinBox;

class MirtGunsetDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MirtGunsetDialog(QWidget *parent = nullptr, double dScale = 1.0);

    QString resultName() const { return m_strResultName; }
    // The shots in use (the shot count's first ones).
    QVector<MacroSelection::Shot> shots() const;
    int shotCount() const { return m_iShots; }
    void setShotCount(int n);

    QLineEdit *nameEdit() const { return m_pNameEdit; }
    QSpinBox *delayBox(int i) const { return m_pDelay[i]; }
    QSpinBox *yBox(int i) const { return m_pY[i]; }
    QSpinBox *xBox(int i) const { return m_pX[i]; }
    QListWidget *eventList() const { return m_pEvents; }
    MirtPushButton *yesButton() const { return m_pYesBtn; }

    // Messages go to a MirtMessageBox unless replaced (tests).
    void setMessageSink(std::function<void(const QString &text)> sink) { m_message = std::move(sink); }

public slots:
    void OnYesClick();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The event list from the shots in use.
    void refreshEvents();

    QLineEdit *m_pNameEdit;
    MirtPushButton *m_pShotBtn;
    QSpinBox *m_pDelay[MacroSelection::kShotsMax];
    QSpinBox *m_pY[MacroSelection::kShotsMax];
    QSpinBox *m_pX[MacroSelection::kShotsMax];
    QListWidget *m_pEvents;
    MirtPushButton *m_pYesBtn;
    MirtPushButton *m_pNoBtn;
    QPixmap m_background;
    QPixmap m_bullet;
    int m_iShots = MacroSelection::kShotsMax;
    QString m_strResultName;
    std::function<void(const QString &)> m_message;
};
