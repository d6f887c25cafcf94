#pragma once

#include <QString>
#include <array>

// A stored phone number and the three boxes it is typed in: area code (3),
// exchange (3) and line number (4), stored joined with nothing between them.
namespace PhoneNumber {

constexpr int kBoxLengths[3] = {3, 3, 4};

// "5125551234" → {"512", "555", "1234"}; a short number fills the first
// boxes ("512555" → {"512", "555", ""}).
std::array<QString, 3> Split(const QString &stored);
QString Join(const QString &area, const QString &exchange, const QString &line);

} // namespace PhoneNumber
