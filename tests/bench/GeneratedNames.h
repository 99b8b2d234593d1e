#pragma once

// The surnames and first names that the benchmarks' generated archives draw from.
namespace Generated {
inline constexpr const char *kSurnames[] = {
    "Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo",  "Ricci", "Marino",   "Greco",
    "Bruno", "Gallo", "Conti",   "De Luca",  "Mancini", "Costa",  "Giordano", "Rizzo", "Lombardi", "Moretti"};
inline constexpr const char *kNames[] = {"Mario",  "Luca",      "Giulia", "Anna",   "Marco",
                                         "Sara",   "Paolo",     "Chiara", "Andrea", "Elena",
                                         "Davide", "Francesca", "Matteo", "Laura",  "Simone"};
} // namespace Generated
