#pragma once

class Recordset;

// The order rows not yet booked (Tamam set), counted and summed, so the
// journal can say what one print of the slip booked.
struct PendingRows
{
    int rows = 0;
    double kilograms = 0;

    static PendingRows of(const Recordset &orderRows);
};
