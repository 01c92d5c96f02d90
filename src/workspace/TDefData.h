#pragma once

// The project record of the program's one instance: the execution file date (days since 30
// December 1899, see text/OleDate.h) when all pages were last refreshed.
struct TDefData
{
    double RVXDate = 0.0;
};
