#include "sales/TicketTexts.h"

#include "data/DateText.h"
#include "data/TextNumber.h"
#include "sales/TicketState.h"

namespace TicketTexts {

QString HeaderText(const TicketHeader *header)
{
    if (!header)
        return QStringLiteral("Ticket No:                Sales Date: ");
    const QString date = header->saleDate.isValid() ? DateText::generalDate(header->saleDate) : QString();
    return QStringLiteral("Ticket No: ") + FormatTicketNumber(header->id) + QStringLiteral("              Sales Date: ")
        + date;
}

QString CloseQuestion(int salesId)
{
    return QStringLiteral("Close ticket # ") + FormatTicketNumber(salesId)
        + QStringLiteral("? Ticket will be locked out once closed.");
}

QString UnsettledCloseQuestion(const Money &balance, bool noLines)
{
    const QString due = QStringLiteral("Balance due ") + balance.format00() + QStringLiteral(". Close anyway?");
    return noLines ? QStringLiteral("No lines on this ticket. ") + due : due;
}

QString RemoveTicketQuestion(const QString &numberText, const QString &dateText)
{
    return QStringLiteral("Remove ticket # ") + numberText + QStringLiteral(" created on ") + dateText
        + QLatin1Char('?');
}

QString RemoveEquipmentQuestion(const QString &lineNo, const QString &modelNumber)
{
    return QStringLiteral("Remove   ") + lineNo + QStringLiteral(") ") + modelNumber + QLatin1Char('?');
}

QString RemoveLaborQuestion(const QString &lineNo, const QString &description)
{
    return QStringLiteral("Remove   ") + lineNo + QStringLiteral(") ") + description + QLatin1Char('?');
}

QString RemovePaymentQuestion(const QString &lineNo, const QString &description, const QString &amount)
{
    return QStringLiteral("Remove   ") + lineNo + QStringLiteral("=> ") + description + QStringLiteral(" of ") + amount
        + QLatin1Char('?');
}

QString ChangedElsewhereMessage(int salesId, const QString &boxName)
{
    return QStringLiteral("The %1 of ticket # %2 was changed at another counter. What you typed was not saved; "
                          "the ticket shows the %1 as it is stored now.")
        .arg(boxName, FormatTicketNumber(salesId));
}

QString RemovedElsewhereMessage(int salesId)
{
    return QStringLiteral("Ticket # %1 was removed at another counter.").arg(FormatTicketNumber(salesId));
}

QString ChangedBeforeCloseMessage(int salesId)
{
    return QStringLiteral("The lines or payments of ticket # %1 were changed at another counter since it was shown. "
                          "It is shown as it stands now; nothing was closed.")
        .arg(FormatTicketNumber(salesId));
}

QString UnmatchedLinesQuestion(const QStringList &lines)
{
    return QStringLiteral("No product has the part number of %1, so no stock is taken for %2. Close anyway?")
        .arg(lines.join(QStringLiteral(", ")), lines.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"));
}

QString NoneAvailableQuestion(const QString &product, const QString &available)
{
    return QStringLiteral("None of %1 is available (available: %2). Add it to the ticket anyway?")
        .arg(product, available);
}

QString NotOpenMessage(int salesId)
{
    return QStringLiteral("Ticket # %1 is no longer open (it was finalized at another counter, or its status "
                          "is not Open). Nothing was changed; the ticket is shown as it stands now.")
        .arg(FormatTicketNumber(salesId));
}

QString NotClosedMessage(int salesId)
{
    return QStringLiteral("Ticket # %1 is no longer closed: it was re-opened at another counter. "
                          "Nothing was changed; the ticket is shown as it stands now.")
        .arg(FormatTicketNumber(salesId));
}

QString NotRemovedMessage(const QString &numberText)
{
    return QStringLiteral("Ticket # %1 was not removed: it is no longer open, or it was removed at another counter.")
        .arg(numberText);
}

QString CantReopenMessage(int salesId, const QString &status)
{
    return QStringLiteral("Ticket # %1 has the status \"%2\", which is neither open nor closed; "
                          "it can't be re-opened.")
        .arg(FormatTicketNumber(salesId), status);
}

QString LineGoneMessage()
{
    return QStringLiteral("That line is no longer on the ticket (it was removed at another counter). "
                          "The ticket is shown as it stands now.");
}

QString BadAmountMessage(const QString &typed)
{
    return QStringLiteral("\"%1\" is not an amount. Type the amount as a number, such as 25.00; "
                          "a coupon or credit may be negative, such as -5.00. Nothing was recorded.")
        .arg(typed.trimmed());
}

QString ZeroPaymentMessage()
{
    return QStringLiteral("A payment of 0.00 records nothing. Type the amount paid, or a negative amount for a "
                          "coupon or credit. Nothing was recorded.");
}

QString LineTooLargeMessage(const QString &typed)
{
    return QStringLiteral("With \"%1\" the line would come to more than %2, more than the ticket can total. "
                          "Nothing was changed.")
        .arg(typed.trimmed(), TextNumber::LargestAmountText());
}

QString NoPayTypeMessage()
{
    return QStringLiteral("Choose a pay type from the list (or type one) before recording the payment. "
                          "Nothing was recorded.");
}

QString ChoosePriceMessage()
{
    return QStringLiteral("Select OURS or COG pricing box");
}

QString UnknownBarcodeNotice(const QString &code)
{
    // A scanner that sends noise must not push the notice off the row.
    constexpr int kShown = 30;
    const QString shown = code.size() > kShown ? code.left(kShown) + QChar(0x2026) : code;
    return QStringLiteral("No product has bar code ") + shown;
}

QString NewTicketFailedMessage()
{
    return QStringLiteral("Error creating new sales ticket");
}

QString CustomerGoneMessage()
{
    return QStringLiteral("Error creating new sales ticket: this customer's record no longer exists "
                          "(it was deleted at another counter). Look the customer up again.");
}

} // namespace TicketTexts
