#include "OsdBlock.h"

#include <QDir>
#include <QStandardPaths>
#include <QtEndian>

#include <cstring>

namespace {

void putInt(QByteArray &block, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        block[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void putUnit(QByteArray &block, int offset, quint16 value)
{
    block[offset] = char(value & 0xFF);
    block[offset + 1] = char(value >> 8);
}

quint32 getInt(const QByteArray &block, int offset)
{
    return qFromLittleEndian<quint32>(block.constData() + offset);
}

void putText(QByteArray &block, int offset, const QString &text)
{
    int units = qMin(text.size(), Osd::kTextMaxUnits);
    // Never leave half of a surrogate pair at the cut.
    if (units < text.size() && units > 0 && text.at(units - 1).isHighSurrogate())
        --units;
    for (int i = 0; i < units; ++i)
        putUnit(block, offset + 2 * i, text.at(i).unicode());
    // The rest of the field, terminator included, stays zero.
}

bool getText(const QByteArray &block, int offset, QString *text)
{
    QString s;
    for (int i = 0; i < Osd::kTextFieldBytes / 2; ++i) {
        const quint16 u = qFromLittleEndian<quint16>(block.constData() + offset + 2 * i);
        if (u == 0) {
            *text = s;
            return true;
        }
        s.append(QChar(u));
    }
    return false;
}

} // namespace

namespace Osd {

QString serverName()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(windowTitle());
}

QColor Notice::color() const
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

quint32 colorRef(const QColor &color)
{
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

QByteArray buildBlock(const Notice &notice)
{
    QByteArray block(kBlockSize, '\0');
    putText(block, kOffsetText, notice.text);
    putInt(block, kOffsetValue0, quint32(notice.value0));
    putInt(block, kOffsetDuration, quint32(notice.duration));
    putInt(block, kOffsetValue2, quint32(notice.value2));
    putInt(block, kOffsetColor, notice.colorRef);
    putInt(block, kOffsetValue60, quint32(notice.value60));
    putText(block, kOffsetFont, notice.font);
    return block;
}

QByteArray buildBlock(const QString &text, const QColor &color)
{
    Notice notice;
    notice.text = text;
    notice.colorRef = colorRef(color);
    return buildBlock(notice);
}

bool parseBlock(const QByteArray &block, Notice *notice)
{
    if (block.size() != kBlockSize)
        return false;
    Notice n;
    if (!getText(block, kOffsetText, &n.text) || !getText(block, kOffsetFont, &n.font))
        return false;
    n.value0 = qint32(getInt(block, kOffsetValue0));
    n.duration = qint32(getInt(block, kOffsetDuration));
    n.value2 = qint32(getInt(block, kOffsetValue2));
    n.colorRef = getInt(block, kOffsetColor);
    n.value60 = qint32(getInt(block, kOffsetValue60));
    *notice = n;
    return true;
}

} // namespace Osd
