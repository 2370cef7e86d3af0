#pragma once

#include <cstdint>

namespace mousedeck::protocol {

// DPI value <-> 16-bit DPI code (sent little-endian), chosen by the sensor
// code. Divisions truncate. The two directions follow the mouse's own tables
// and are not inverse for every sensor: 25, 38 and 150 read a sent code back
// one step lower or higher (150 sends 1600 as 31 and reads 31 as 1550).
//
// Write direction:
//   4, 16, 18, 53   v / 100
//   5               v <= 6400: v / 50; else (v - 6400) / 100 + 128
//   17              v <= 10000: v / 50; up to 12999: (v - 10000) / 100 + 200,
//                   at most 220; from 13000: (v - 13000) / 1000 + 221
//   25              v <= 16000: v / 100 - 1; else (v - 16000) / 1000 + 160
//   37              v <= 5000: v / 100; else (v - 5000) / 500 + 50
//   38              v <= 5000: v / 100 - 1; else (v - 5000) / 500 + 50
//   any other       v / 50 - 1
// Sensor 17 has no code between 220 (12000) and 221 (13000): a value in
// between is sent as 220, the highest value it can hold that is not above
// the request. Codes outside 0..0xFFFF are bounded to it.
uint16_t EncodeDpi(int sensor_code, int dpi);

// Read direction:
//   4, 16, 18, 53   c * 100
//   5               c < 129: c * 50; else (c - 64) * 100
//   17              c < 200: c * 50; 200..220: (c - 100) * 100; else (c - 208) * 1000
//   25              c < 160: c * 100; else (c - 144) * 1000
//   37              c < 50: c * 100; else (c - 40) * 500
//   38              c < 50: c * 100; else (c - 39) * 500
//   150             c * 50
//   any other       (c + 1) * 50
int DecodeDpi(int sensor_code, uint16_t code);

// The code sent for a stored stage value: bounded to the sensor's range
// first (sensor_limits.h), then encoded.
uint16_t EncodeStageDpi(int sensor_code, int dpi);

}  // namespace mousedeck::protocol
