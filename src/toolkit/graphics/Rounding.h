#pragma once
// Rounding as the application does it everywhere: to the nearest integer, an
// exact half to the even neighbour (2.5 gives 2, 3.5 gives 4).

#include <cfenv>
#include <cmath>

namespace tk {

inline int roundHalfEven(double x)
{
    // nearbyint follows the current rounding mode, which nothing in the
    // program changes from its default, to nearest with halves to even.
    return int(std::nearbyint(x));
}

}
