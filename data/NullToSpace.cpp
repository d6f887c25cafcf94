#include "data/NullToSpace.h"

QString NullToSpace(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral(" ");
    return value.toString().trimmed();
}
