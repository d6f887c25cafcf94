#pragma once

#include "customers/CustomerList.h"
#include "customers/CustomerRecord.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

class Recordset;

// Everything the customer windows read from and write to the database.
// Failures of the database itself have been shown by the data layer
// ("GetRS:", "Execute:") when these return their failure values.
namespace CustomerStore {

// A page of the search list: the customers the filter lets through, in the
// order asked, from `offset` on, at most `limit` of them. A prefix and the
// name order are walked on an index, so a page costs about its own rows
// however many customers the shop has.
std::optional<Recordset> ReadListPage(const CustomerFilter &filter, const CustomerListOrder &order, int offset,
                                      int limit);
// The highest customer id (0 for an empty table), or -1 after a failure.
qint64 MaxCustomerId();

enum class LoadResult { Loaded, NotFound, Failed };
LoadResult Load(int id, CustomerRecord *record);

// Saves a record: a new one (id 0) is inserted as a "Cash Sale" row and then
// updated with the record, in one transaction, so a failure leaves no stub
// behind. On success the record carries the id.
enum class SaveResult { Saved, Missing, Failed, ChangedElsewhere };
SaveResult Save(CustomerRecord *record);

// The fields in which two records differ, in the order of the form.
QList<CustomerField> ChangedFields(const CustomerRecord &before, const CustomerRecord &after);
// A field as a message names it ("Address", "Email").
QString FieldLabel(CustomerField field);

// Saves an existing customer edited at this counter: only the fields in
// `changed` are written, from `edited`. `loaded` is the record as Load read
// it when the editing began. When another counter has changed one of those
// fields since (to something else than this counter typed), nothing is
// written, ChangedElsewhere is returned and *changedElsewhere names them;
// fields changed only at the other counter are kept as it stored them.
SaveResult SaveChanges(const CustomerRecord &loaded, const CustomerRecord &edited, const QList<CustomerField> &changed,
                       QList<CustomerField> *changedElsewhere = nullptr);

// The number of tickets of a customer, whatever their state; -1 after a failure.
qint64 TicketCount(int id);

// Deletes a customer that has no tickets. HasTickets when a ticket exists
// (a ticket written since the count is never orphaned).
enum class DeleteResult { Deleted, HasTickets, Failed };
DeleteResult Delete(int id);

// The state list: (id, code) by code.
std::optional<QList<std::pair<int, QString>>> StateCodes();

} // namespace CustomerStore
