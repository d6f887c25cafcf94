#pragma once

// The recorder's members take -1 for an argument the caller did not give
// (a left margin, a box size, a bottom position), as the reports always
// passed them.
inline bool NotGiven(double value)
{
    return value == -1;
}
