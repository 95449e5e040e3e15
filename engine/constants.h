#pragma once
// The system's physical constants, exactly as the program holds them. Every
// pi-derived value is formed from pi = 3.1415926536, not the full-precision pi.

namespace tarsel {

inline constexpr double Pi = 3.1415926536;
inline constexpr double HalfPi = 1.5707963268;              // pi/2
inline constexpr double FourPi = 12.5663706144;             // 4 pi
inline constexpr double InvFourPi = 0.07957747154568913;    // 1/(4 pi)
inline constexpr double InvTwoPi = 0.15915494309137826;     // 1/(2 pi)
inline constexpr double FreeSpaceImpedance = 376.991118432; // 120 pi [ohm]
inline constexpr double SpeedOfLight = 2.998e8;             // [m/s]
inline constexpr double Boltzmann = 1.38e-23;               // [J/K]
inline constexpr double DbuvOfOneMilliwatt = 106.99;        // dBm to dBuV offset
inline constexpr double OneThird = 0.3333333333333333;      // Simpson's h/3, as a factor

} // namespace tarsel
