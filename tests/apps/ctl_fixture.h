#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "child_process.h"
#include "sim/mouse_state.h"
#include "sim/sim_product.h"
#include "support/temp_home.h"

namespace mousedeck::ctl::test {

using Bytes = std::vector<uint8_t>;
using Words = std::vector<std::string>;

// The shipped products (data/config.xml).
inline constexpr int kW1 = 101;  // cable and receiver, lighting
inline constexpr int kC2 = 102;  // cable only, no lighting

struct CtlRun {
    int exit_code = -1;
    std::string out;
    std::string err;
    // stdout as one JSON document; a parse failure is reported as a test
    // failure and gives an empty object.
    nlohmann::json Json() const;
};

// Text `number` of the shipped language file of `lcid`.
std::string LanguageText(int lcid, int number);

// The simulated product of a device type, from the shipped product data.
sim::SimProduct ShippedProduct(int device_type);

// Runs the built mousedeckctl (beside this test program) with HOME and the
// XDG folders in a private temporary tree, against the simulated mouse
// whose state file lives in that tree, so every test meets a new mouse
// and separate runs of one test meet the same one. Every report the host
// wrote is in the traffic log (TakeWrites).
class CtlTest : public ::testing::Test {
protected:
    CtlTest();

    // mousedeckctl with exactly these words.
    CtlRun Run(const Words& words);
    // mousedeckctl --simulate[=<device_type>] <words>.
    CtlRun Sim(const Words& words, int device_type = 0);
    // mousedeckctl --simulate --json <words>: the run must end with
    // `expected_exit`; returns the document.
    nlohmann::json SimJson(const Words& words, int expected_exit = 0, int device_type = 0);

    // The simulated mouse as its state file holds it now; a run that only
    // meets the mouse makes a new one first when no run has yet.
    sim::MouseState Mouse(int device_type = kW1);
    // Replaces the mouse before the next run (its state file).
    void SetMouse(const sim::MouseState& state, int device_type = kW1);
    sim::Payload PayloadOf(uint8_t set_code, int device_type = kW1);
    // The reports the host wrote since the last call, as written.
    std::vector<Bytes> TakeWrites();
    // Their command codes (byte 1).
    std::vector<int> TakeCommands();

    mousedeck::test::TempDir home;
    std::map<std::string, std::string> environment;

private:
    std::size_t log_lines_read_ = 0;
};

}  // namespace mousedeck::ctl::test
