#pragma once

#include "data/Dialect.h"

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

// A shop of several counters' years: 250,000 customers, 5,000 products, 40
// labor prices and 1,000,000 tickets. Made once per engine and schema and
// kept in the benchmarks' cache; every benchmark that wants it gets a copy
// of its own. False when the engine can't be used.
constexpr int kChainCustomers = 250000;
constexpr int kChainProducts = 5000;
constexpr int kChainTickets = 1000000;
bool useChain(Engine engine);

} // namespace BenchData
