#include "gate/MasterCode.h"

#include "data/AuditLog.h"

#include "data/Database.h"
#include "gate/PinPad.h"

#include <sodium.h>

#include <QRegularExpression>

namespace MasterCode {
namespace {

constexpr int kMinDigits = 4;

// The hash (crypto_pwhash_str, about a hundred characters) is longer than
// tessaly_info's value may be on the servers (64), so it is kept in two
// rows: the first 64 characters and the rest.
constexpr int kRowWidth = 64;
const QString kHeadRow = QStringLiteral("master_code");
const QString kTailRow = QStringLiteral("master_code_2");

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// The stored hash; "" when the shop has set none; nullopt when it can't be
// read.
std::optional<QString> storedHash()
{
    const auto rows = Database::GetRS(QStringLiteral("select name, value from tessaly_info where name = ? or name = ?"),
                                      {kHeadRow, kTailRow});
    if (!rows)
        return std::nullopt;
    QString head;
    QString tail;
    for (int r = 0; r < rows->rowCount(); ++r) {
        const QString value = rows->value(r, 1).toString();
        (rows->value(r, 0).toString() == kHeadRow ? head : tail) = value;
    }
    return head.isEmpty() ? QString() : head + tail;
}

std::optional<QByteArray> hashOf(const QString &code)
{
    if (!sodiumReady())
        return std::nullopt;
    const QByteArray secret = code.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, secret.constData(), static_cast<unsigned long long>(secret.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return std::nullopt; // out of memory
    return QByteArray(hash);
}

bool insertRow(const QString &name, const QString &value)
{
    return Database::Execute(QStringLiteral("insert into tessaly_info (name, value) values (?, ?)"), {name, value})
        == 1;
}

// Both rows or neither, so no counter ever reads half a hash.
bool storeHash(const QString &hash)
{
    return Database::Transaction([&] {
        const QString clear = QStringLiteral("delete from tessaly_info where name = ? or name = ?");
        return Database::Execute(clear, {kHeadRow, kTailRow}) >= 0 && insertRow(kHeadRow, hash.left(kRowWidth))
            && insertRow(kTailRow, hash.mid(kRowWidth));
    });
}

} // namespace

bool IsWellFormed(const QString &code)
{
    static const QRegularExpression digits(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{%1,%2}").arg(kMinDigits).arg(PinPad::kMaxDigits)));
    return digits.match(code).hasMatch();
}

bool IsDefault()
{
    const std::optional<QString> hash = storedHash();
    return hash && hash->isEmpty();
}

bool Matches(const QString &pin)
{
    const QString entered = pin.trimmed();
    const std::optional<QString> hash = storedHash();
    if (!hash)
        return false;
    if (hash->isEmpty())
        return entered == kDefault;
    // What could never be a master code is not worth the hashing.
    if (!IsWellFormed(entered) || !sodiumReady())
        return false;
    const QByteArray stored = hash->toLatin1();
    const QByteArray secret = entered.toUtf8();
    return crypto_pwhash_str_verify(stored.constData(), secret.constData(),
                                    static_cast<unsigned long long>(secret.size()))
        == 0;
}

bool Change(const QString &newCode)
{
    const QString code = newCode.trimmed();
    if (!IsWellFormed(code) || code == kDefault)
        return false;
    const std::optional<QByteArray> hash = hashOf(code);
    // Recorded in the same unit; the code itself is never written down.
    return hash && Database::Transaction([&] {
               return storeHash(QString::fromLatin1(*hash))
                   && AuditLog::Record(AuditLog::kMasterCodeChanged, QString());
           });
}

std::optional<bool> IsAnEmployeesPin(const QString &code)
{
    // Compared trimmed, as the keypad's PIN is; every engine trims alike here.
    const auto rs = Database::GetRS(QStringLiteral("select pin from employee where pin is not null"));
    if (!rs)
        return std::nullopt;
    for (int r = 0; r < rs->rowCount(); ++r) {
        if (rs->text(r, QStringLiteral("pin")) == code.trimmed())
            return true;
    }
    return false;
}

} // namespace MasterCode
