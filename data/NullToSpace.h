#pragma once

#include <QString>
#include <QVariant>

// A database NULL becomes one blank; anything else its text with leading and
// trailing blanks removed. Every loader passes field values through it, so a
// NULL column shows as a blank and never fails.
QString NullToSpace(const QVariant &value);
