#pragma once
// The notice block sent to the on-screen display: 1044 bytes, little-endian.
//
//   offset  size  field
//        0   512  notice text, UTF-16, zero-terminated (255 code units at most)
//      512     4  int32 0
//      516     4  int32 1500
//      520     4  int32 0
//      524     4  colour 0x00BBGGRR (red in the low byte)
//      528     4  int32 60
//      532   512  font family, UTF-16, zero-terminated ("Arial")

#include <QByteArray>
#include <QColor>
#include <QString>

namespace Osd {

constexpr int kBlockSize = 1044;
constexpr int kTextFieldBytes = 512;
constexpr int kTextMaxUnits = kTextFieldBytes / 2 - 1; // 255, leaving the terminator
constexpr int kOffsetText = 0;
constexpr int kOffsetValue0 = 512;
constexpr int kOffsetDuration = 516;
constexpr int kOffsetValue2 = 520;
constexpr int kOffsetColor = 524;
constexpr int kOffsetValue60 = 528;
constexpr int kOffsetFont = 532;
static_assert(kOffsetFont + kTextFieldBytes == kBlockSize, "OSD block layout");

constexpr qint32 kValue0 = 0;
constexpr qint32 kDuration = 1500;
constexpr qint32 kValue2 = 0;
constexpr qint32 kValue60 = 60;

// The OSD window's title; the local socket is named after it.
inline QString windowTitle()
{
    return QStringLiteral("Wireless Mouse OSD");
}
// The full local-socket name: the title inside the user's runtime folder.
QString serverName();

struct Notice
{
    QString text;
    qint32 value0 = kValue0;
    qint32 duration = kDuration;
    qint32 value2 = kValue2;
    quint32 colorRef = 0; // 0x00BBGGRR
    qint32 value60 = kValue60;
    QString font = QStringLiteral("Arial");

    QColor color() const;
};

quint32 colorRef(const QColor &color);

// The block for TEXT (cut to 255 code units) in the accent COLOR.
QByteArray buildBlock(const QString &text, const QColor &color);
QByteArray buildBlock(const Notice &notice);

// Reads a block; false when BLOCK is not 1044 bytes or a text field has no
// terminator.
bool parseBlock(const QByteArray &block, Notice *notice);

} // namespace Osd
