#pragma once

#include <optional>
#include <string>
#include <utility>

namespace mousedeck::pages::performance {

// A value as a page would store it, or why the input was refused. The error
// says what is wrong and what is accepted, so a front end can print it as
// it stands; the value is what the front end hands to the controller and
// prints back.
template <typename T>
struct Normalised {
    std::optional<T> value;
    std::string error;  // when `value` is empty

    static Normalised Accept(T accepted) { return {std::move(accepted), {}}; }
    static Normalised Refuse(std::string why) { return {std::nullopt, std::move(why)}; }
    explicit operator bool() const { return value.has_value(); }
};

}  // namespace mousedeck::pages::performance
