#pragma once

#include "data/Money.h"
#include "data/TicketRules.h"

#include <QList>
#include <QString>
#include <optional>

// A ticket's figures, computed by the rules of data/TicketRules.h.

struct EquipmentLineInput
{
    Money quantity;
    Money price;
};

struct LaborLineInput
{
    Money quantity;
    Money charge;
};

struct PaymentInput
{
    QString description;
    Money amount;
};

struct TicketInput
{
    QList<EquipmentLineInput> equipment;
    QList<LaborLineInput> labor;
    QList<PaymentInput> payments;
    bool taxExempt = false;
};

// Which base the Visa / Mastercard threshold is tested on. The screen tests
// parts + labor + shop fee; the printed invoice tests parts + labor, as its
// printed remark says ("excluding tax and fees"). Near 50.00 they differ.
enum class SurchargeBase { PartsLaborAndFee, PartsAndLabor };

struct PaymentFigure
{
    Money amount;
    // The amount with its card surcharge, when the card carries one.
    std::optional<Money> withSurcharge;
};

struct TicketFigures
{
    QList<Money> equipmentExtended; // quantity × price per equipment line
    QList<Money> laborExtended;     // quantity × charge per labor line
    QList<PaymentFigure> paymentFigures;

    Money parts; // "SubTotal" on the screen
    Money labor;
    Money shopFee;
    Money base; // parts + labor + shop fee (the invoice's "Sub-Total:")
    Money tax;
    Money total;
    Money payments;  // "Payment/Credit"
    Money changeDue; // the shown total (to the cent) − payments; negative when overpaid
};

TicketFigures ComputeTicketFigures(const TicketInput &ticket,
                                   SurchargeBase surchargeBase = SurchargeBase::PartsLaborAndFee);

// The surcharge a payment description carries on a given base (nullopt: none).
std::optional<Money> CardSurcharge(const QString &description, const Money &amount, const Money &surchargeBase);
