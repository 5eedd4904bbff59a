#include "game_state.h"

#include <array>
#include <charconv>
#include <cmath>

QString formatSingle(float value)
{
    // Every whole single below 2^63 fits a 64-bit integer, which prints it in
    // full digits and turns -0 into 0.
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.2e18f)
        return QString::number(static_cast<qint64>(value));
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return QString::fromLatin1(text.data(), result.ptr - text.data());
}
