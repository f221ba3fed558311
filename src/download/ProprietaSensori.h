#pragma once

#include <array>

// Calibration of the analog sensors, as last written in the sensor-properties
// window while the program runs: the entry of multiplexer m, position p is at
// index 16 * m + p. One instance, owned by the program and handed to whoever
// reads or writes it; a channel never written holds zeros.
struct ProprietaSensori
{
    static constexpr int NumeroVoci = 65;

    std::array<double, NumeroVoci> Zero_Volt{};
    std::array<double, NumeroVoci> FS_Volt{};
    std::array<double, NumeroVoci> Zero_Fisico{};
    std::array<double, NumeroVoci> FS_Fisico{};
};
