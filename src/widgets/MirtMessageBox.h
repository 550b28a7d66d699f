#pragma once
// The modal message box of the skin: a question with "Yes" and "No", or a
// warning, notice or "device unplugged" box with "Ok".

#include <QDialog>
#include <QFont>

class QLabel;
class QTimer;
class MirtPushButton;
class MirtPlugInWatch;

class MirtMessageBox : public QDialog
{
    Q_OBJECT

public:
    enum Kind
    {
        kQuestion = 1, // warn icon, "Yes" (Accepted) and "No" (Rejected)
        kWarning = 2,  // warn icon, "Ok"
        kNotice = 3,   // warn icon, "Ok"
        kDongle = 4,   // receiver icon, "Ok"; used with the plug-in watch
    };

    // watch: when not null, the box closes itself (Accepted) as soon as
    // watch->deviceReady() is non-zero, checked every 100 ms.
    MirtMessageBox(int iKind, const QString &windowTitle, const QString &heading, const QString &message,
                   QWidget *parent = nullptr, MirtPlugInWatch *watch = nullptr,
                   Qt::WindowFlags flags = Qt::FramelessWindowHint);

    int kind() const { return m_iKind; }
    MirtPushButton *yesButton() const { return m_pYesBtn; }
    MirtPushButton *noButton() const { return m_pNoBtn; }

    static constexpr int kPlugInPeriodMs = 100;
    // The boxes' text font at the current scale (the skin's other question boxes use it too).
    static QFont messageFont();

public slots:
    void GetPlugInSignal();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_iKind;
    QPixmap m_background;
    QLabel *m_pIcon = nullptr;
    QLabel *m_pLabel1 = nullptr;
    QLabel *m_pLabel2 = nullptr;
    MirtPushButton *m_pYesBtn = nullptr;
    MirtPushButton *m_pNoBtn = nullptr;
    QTimer *m_pTimer = nullptr;
    MirtPlugInWatch *m_pWatch = nullptr;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};
