#pragma once

#include <QString>
#include <vector>

class Recordset;

// One line of the customer search list, as it is shown.
struct CustomerListEntry
{
    int id = 0;
    QString lastName;  // trimmed
    QString firstName; // a NULL shows as one blank
    QString phone;     // the preferred phone; empty when none is preferred
    QString address;   // address line 1, a blank, the zip code
};

// What the three filter boxes and the "Recent Customers Only" box ask for.
// Each box is a prefix matched without regard to case (typed text is
// trimmed and taken literally: an apostrophe, "%" or "_" is just a
// character); an empty box asks nothing. The phone box searches the first
// phone only, whatever phone is preferred. Recent means the hundred newest
// ids at the time the list was opened and every customer added since.
struct CustomerFilter
{
    QString lastName;
    QString firstName;
    QString phone;
    bool recentOnly = false;
    qint64 maxCustomerId = 0;
};

// The list's order: by last name, then first name (column 0), or by the
// text of one of its four columns as a header click asks, customers with
// the same text in name order.
struct CustomerListOrder
{
    int column = 0;
    bool descending = false;
};

// A page of the search list, in list order.
class CustomerList
{
public:
    // The entries of a recordset of CustomerStore::ReadListPage.
    static CustomerList fromRecordset(const Recordset &rs);

    int size() const { return int(m_entries.size()); }
    const CustomerListEntry &at(int i) const { return m_entries[size_t(i)]; }

private:
    std::vector<CustomerListEntry> m_entries;
};
