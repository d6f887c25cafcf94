#pragma once

#include <QString>
#include <array>
#include <optional>

// A stored phone number and the three boxes it is typed in: area code (3),
// exchange (3) and line number (4), stored joined with nothing between them.
namespace PhoneNumber {

constexpr int kBoxLengths[3] = {3, 3, 4};

// "5125551234" → {"512", "555", "1234"}; a short number fills the first
// boxes ("512555" → {"512", "555", ""}).
std::array<QString, 3> Split(const QString &stored);
QString Join(const QString &area, const QString &exchange, const QString &line);

// A whole number pasted into a box of a row, as people write it
// ("5125550123", "(512) 555-0123", "512.555.0123", "+1 512 555 0123"): the
// three boxes it fills. nullopt for text that is not ten digits (or eleven
// starting with the country code 1) with those marks between them.
std::optional<std::array<QString, 3>> SplitWritten(const QString &text);

} // namespace PhoneNumber
