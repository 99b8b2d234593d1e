#pragma once

#include <utility>

// The test seams of the program's contacts with the outside world (message boxes, file dialogs,
// the open operation, printing): each is one replaceable function of its own type, empty in the
// program. A test sets it to act in place of the user or the system, and clears it afterwards.
template <typename Hook> class TestSeam
{
public:
    static Hook &hook()
    {
        static Hook h;
        return h;
    }
    static void set(Hook h) { hook() = std::move(h); }
};
