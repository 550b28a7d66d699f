#include "HidNode.h"

namespace {
QString hex4(quint16 v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0'));
}
} // namespace

QString formatHidNodeEvent(const QString &event, const HidNodeInfo &node)
{
    return QStringLiteral("%1 vid=%2 pid=%3 interface=%4 release=%5 path=%6")
        .arg(event, hex4(node.vendorId), hex4(node.productId))
        .arg(node.interfaceNumber)
        .arg(hex4(node.releaseNumber), node.devnode);
}
