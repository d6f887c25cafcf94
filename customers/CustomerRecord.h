#pragma once

#include <QString>
#include <optional>

// One customer as the record editor shows and saves it. Texts are trimmed;
// a NULL column reads as "". The phones are stored as their three boxes'
// texts joined (area code, exchange, line number: up to 3 + 3 + 4).
struct CustomerRecord
{
    int id = 0; // 0: not saved yet
    QString firstName;
    QString lastName;
    QString phones[3];
    // Which phone is preferred: 0 home, 1 work, 2 cell; none when the stored
    // value is NULL or outside 0 to 2.
    std::optional<int> preferPhone;
    QString address1;
    QString address2;
    QString city;
    QString state; // a State code; "" for none
    QString zipcode;
    QString email;

    bool operator==(const CustomerRecord &) const = default;
};

// The fields of a customer, in the order of the form.
enum class CustomerField {
    FirstName,
    LastName,
    Phone1,
    Phone2,
    Phone3,
    PreferPhone,
    Address1,
    Address2,
    City,
    State,
    Zipcode,
    Email
};
