#pragma once

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

} // namespace BenchData
