#pragma once

#include "data/Dialect.h"

#include <QDate>

// Large databases for the benchmarks, built with set-based statements so
// that 100,000 tickets take seconds, not minutes.
namespace BenchData {

// n customers with varied names ("Smith", "Smalley", … with numbers).
void customers(int n);
// n products with bar codes and part numbers.
void products(int n);
// n tickets spread over customers 1..customers, each with three equipment
// lines, one labor line and two payments; about a third closed.
void tickets(int n, int customers);
// n install-labor prices in a few categories.
void labor(int n);
// The tickets' sale dates spread over `days` days from `from`, at scattered
// moments of the day; a closed ticket closes a day after its sale.
void spreadDates(Engine engine, const QDate &from, int days);
// n employees, each with a shift (8:00 to 16:30) on six days of every week
// of the `days` days up to, not including, `end`.
void employeeShifts(Engine engine, int n, const QDate &end, int days);

// A shop of several counters' years: 250,000 customers, 5,000 products, 40
// labor prices and 1,000,000 tickets sold over the eight years up to
// December 2026, a fleet customer among them with 500 tickets, and ten
// employees with five years of shifts up to kChainToday. Made once per
// engine and schema and kept in the benchmarks' cache; every benchmark that
// wants it gets a copy of its own. False when the engine can't be used.
constexpr int kChainCustomers = 250000;
constexpr int kChainProducts = 5000;
constexpr int kChainTickets = 1000000;
constexpr int kChainFleetCustomer = 7;
constexpr int kChainFleetTickets = 500;
constexpr int kChainEmployees = 10;
inline const QDate kChainToday{2026, 11, 27}; // a Friday: the pay week has its rows
bool useChain(Engine engine);

} // namespace BenchData
