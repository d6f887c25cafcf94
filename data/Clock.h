#pragma once

#include <QDate>
#include <QDateTime>
#include <optional>

// The program's one source of "now". Tests and the command line may fix it so
// printed dates and stored times are predictable. Times carry whole seconds,
// the precision the database keeps.
namespace Clock {

QDateTime now();
QDate today();

// Fixes the clock at a moment (nullopt lets it run again). The environment
// variable TESSALY_NOW ("yyyy-MM-dd HH:mm:ss") fixes it at start-up as well.
void setFixed(std::optional<QDateTime> moment);

// Whether the text is a moment as TESSALY_NOW takes it.
bool IsMomentText(const QString &text);

} // namespace Clock
