#include "platform/utilities/QtrArrotonda.h"

#include <charconv>
#include <cmath>

namespace {

// The value as its 14 significant figures say, as "%.14g" writes and reads
// it back; without a string allocated, since every amount on a page goes
// through here.
double FourteenFigures(double value)
{
    if (!std::isfinite(value))
        return value;
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 14);
    double read = value;
    std::from_chars(text, written.ptr, read);
    return read;
}

} // namespace

double QtrUnitaIntere(double value, double unit)
{
    const double units = FourteenFigures(value / unit);
    double n = std::floor(units);
    if (units - n >= 0.5)
        n += 1;
    return n;
}

double QtrArrotonda(double value, double unit)
{
    if (unit == 0)
        return value;
    const double n = QtrUnitaIntere(value, unit);
    if (unit >= 1)
        return n * unit;
    // Divided by a power of ten, so 2199 cents give exactly the double
    // nearest 21.99.
    static const double kDecimalUnits[] = {0.1, 0.01, 0.001, 0.0001, 0.00001, 0.000001};
    double divisor = 1;
    for (const double decimal : kDecimalUnits) {
        divisor *= 10;
        if (unit == decimal)
            return n / divisor;
    }
    return value;
}
