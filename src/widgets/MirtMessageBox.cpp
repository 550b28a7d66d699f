#include "MirtMessageBox.h"

#include "MirtKit.h"
#include "MirtPlugInWatch.h"
#include "MirtPushButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

QFont MirtMessageBox::messageFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Consolas"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("WenQuanYi Micro Hei")});
    f.setStyleHint(QFont::Monospace);
    f.setWeight(75);
    f.setPixelSize(qMax(1, MirtKit::scaled(14)));
    return f;
}

namespace {

} // namespace

MirtMessageBox::MirtMessageBox(int iKind, const QString &windowTitle, const QString &heading,
                               const QString &message, QWidget *parent, MirtPlugInWatch *watch,
                               Qt::WindowFlags flags)
    : QDialog(parent, flags), m_iKind(iKind), m_pWatch(watch)
{
    MirtKit::initResources();
    setObjectName(QStringLiteral("MirtMessageBox"));
    setAttribute(Qt::WA_TranslucentBackground, true);
    setFixedSize(MirtKit::scaled(478), MirtKit::scaled(309));
    setWindowTitle(windowTitle);
    setModal(true);
    m_background = MirtKit::skinPixmap(QStringLiteral("/skin/dlg.png"));

    const int space = MirtKit::scaled(30);
    const QString iconName =
        iKind == kDongle ? QStringLiteral("/skin/dongle2.png") : QStringLiteral("/skin/warn.png");
    m_pIcon = new QLabel(this);
    m_pIcon->setFixedSize(MirtKit::scaled(45), MirtKit::scaled(45));
    m_pIcon->setScaledContents(true);
    m_pIcon->setPixmap(
        MirtKit::skinPixmap(iconName).scaled(m_pIcon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_pIcon->setAccessibleName(iKind == kDongle ? tr("Receiver") : tr("Warning"));

    const QString textStyle = QStringLiteral("color: rgb(%1,%2,%3); background: transparent;");
    const QColor headColor = MirtKit::accentColor();
    const QColor bodyColor = MirtKit::textColor();
    m_pLabel1 = new QLabel(heading, this);
    m_pLabel1->setObjectName(QStringLiteral("msgBoxInfoLabel1"));
    m_pLabel1->setFont(messageFont());
    m_pLabel1->setWordWrap(true);
    m_pLabel1->setStyleSheet(textStyle.arg(headColor.red()).arg(headColor.green()).arg(headColor.blue()));
    m_pLabel1->setAccessibleName(heading);
    m_pLabel2 = new QLabel(message, this);
    m_pLabel2->setObjectName(QStringLiteral("msgBoxInfoLabel2"));
    m_pLabel2->setFont(messageFont());
    m_pLabel2->setWordWrap(true);
    m_pLabel2->setStyleSheet(textStyle.arg(bodyColor.red()).arg(bodyColor.green()).arg(bodyColor.blue()));
    m_pLabel2->setAccessibleName(message);
    m_pLabel1->setVisible(!heading.isEmpty());

    const QSize btnSize(MirtKit::scaled(110), MirtKit::scaled(34));
    m_pYesBtn = new MirtPushButton({QStringLiteral(":/yes_Btn")}, this);
    m_pYesBtn->setObjectName(QStringLiteral("msgBoxYesBtn"));
    m_pYesBtn->setFixedSize(btnSize);
    m_pYesBtn->SetFontSize(14);
    m_pYesBtn->setText(iKind == kQuestion ? tr("Yes") : tr("Ok"));
    connect(m_pYesBtn, &QAbstractButton::released, this, &QDialog::accept);
    if (iKind == kQuestion) {
        m_pNoBtn = new MirtPushButton({QStringLiteral(":/no_Btn")}, this);
        m_pNoBtn->setObjectName(QStringLiteral("msgBoxNoBtn"));
        m_pNoBtn->setFixedSize(btnSize);
        m_pNoBtn->SetFontSize(14);
        m_pNoBtn->setText(tr("No"));
        connect(m_pNoBtn, &QAbstractButton::released, this, &QDialog::reject);
        // Enter alone must not confirm a question: the keyboard starts on "No".
        m_pYesBtn->setAutoDefault(false);
        m_pNoBtn->setDefault(true);
        setFocusProxy(m_pNoBtn);
    } else {
        // Enter confirms a box that only informs.
        m_pYesBtn->setDefault(true);
        setFocusProxy(m_pYesBtn);
    }

    auto *texts = new QVBoxLayout;
    texts->setSpacing(MirtKit::scaled(8));
    texts->addStretch(1);
    texts->addWidget(m_pLabel1);
    texts->addWidget(m_pLabel2);
    texts->addStretch(1);

    auto *row1 = new QHBoxLayout;
    row1->setSpacing(0);
    row1->addSpacing(space);
    row1->addWidget(m_pIcon, 0, Qt::AlignVCenter);
    row1->addSpacing(space);
    row1->addLayout(texts, 1);
    row1->addSpacing(space);

    auto *row2 = new QHBoxLayout;
    row2->addStretch(1);
    row2->addWidget(m_pYesBtn);
    if (m_pNoBtn) {
        row2->addSpacing(space);
        row2->addWidget(m_pNoBtn);
    }
    row2->addStretch(1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, space, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(row1, 1);
    outer->addLayout(row2);
    outer->addSpacing(space);

    if (m_pWatch) {
        m_pTimer = new QTimer(this);
        m_pTimer->setInterval(kPlugInPeriodMs);
        connect(m_pTimer, &QTimer::timeout, this, &MirtMessageBox::GetPlugInSignal);
        m_pTimer->start();
    }
}

void MirtMessageBox::GetPlugInSignal()
{
    if (m_pWatch && m_pWatch->deviceReady() != 0) {
        if (m_pTimer)
            m_pTimer->stop();
        accept();
    }
}

void MirtMessageBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    MirtKit::paintDialog(p, rect(), m_background);
}

void MirtMessageBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDragging = true;
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void MirtMessageBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPos() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void MirtMessageBox::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    QDialog::mouseReleaseEvent(event);
}
