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
    QString phone1;    // the first phone as stored: the phone box searches it
    // What the boxes search: trimmed and case-folded last name, first name
    // and first phone.
    QString lastKey;
    QString firstKey;
    QString phoneKey;
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

    bool matches(const CustomerListEntry &entry) const { return normalized().matchesNormalized(entry); }

    // The boxes trimmed and case-folded, the form the matching works on.
    CustomerFilter normalized() const;
    bool matchesNormalized(const CustomerListEntry &entry) const;
    // Whether everything this (normalized) filter lets through is also let
    // through by the other one, so a longer prefix only has to search the
    // shorter prefix's hits.
    bool narrows(const CustomerFilter &wider) const;
};

// Every customer, read once when the search list opens, in list order.
class CustomerList
{
public:
    // The entries of a recordset of CustomerStore::ReadList.
    static CustomerList fromRecordset(const Recordset &rs);

    int size() const { return int(m_entries.size()); }
    const CustomerListEntry &at(int i) const { return m_entries[size_t(i)]; }
    // Adds an entry, making its search keys.
    void append(CustomerListEntry entry);

    // The positions of the entries the filter lets through, in list order;
    // only among `within` (positions in list order) when given.
    std::vector<int> select(const CustomerFilter &filter, const std::vector<int> *within = nullptr) const;

private:
    std::vector<CustomerListEntry> m_entries;
};
