#pragma once

#include <QString>
#include <array>

// The window-level state every screen of the main window shares.
struct StationState
{
    static constexpr double StartingUp = 999;

    // Header lines read from Tavran.Txt: 0..5 head the order slip, 6 goes into
    // the label's oval mark, 7 is the use-by period in days.
    std::array<QString, 8> headerLines;

    // 999 from load until the first activation has finished; afterwards the
    // index of the highlighted key of the customer keyboard.
    double customerKeyIndex = 0;
    double productKeyIndex = 0;
    bool mouseOverCustomerList = false;
    bool passwordPromptShown = false;
    bool testReadingArmed = false;
    int alsatMode = 0; // 0 sale, 1 purchase

    bool startingUp() const { return customerKeyIndex == StartingUp; }
};
