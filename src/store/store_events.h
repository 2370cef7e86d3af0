#pragma once

#include <string>

namespace mousedeck::store {

// What the settings store has to tell the user. Front ends override what they
// show; every method does nothing by default.
//
// Calls come from whichever thread opens the database: in the application
// that is the device worker, so a GUI must queue them to its own thread.
// No store lock is held during a call, so an implementation may use the store.
class StoreEvents {
public:
    virtual ~StoreEvents() = default;

    // The settings file `original` could not be read as a database (damaged
    // or not a database at all). It was moved to `moved_to`, untouched, and
    // an empty database now stands in its place: the user's settings for this
    // device start again from the defaults. Reported once per replacement.
    virtual void OnDatabaseReplaced(const std::string& original, const std::string& moved_to) {
        (void)original;
        (void)moved_to;
    }
};

}  // namespace mousedeck::store
