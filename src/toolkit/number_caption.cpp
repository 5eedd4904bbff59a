#include "number_caption.h"

#include <array>
#include <charconv>

QString formatSingle(float value)
{
    if (value == 0)
        return QStringLiteral("0");
    // Enough for the 39 digits and the sign of the largest single.
    std::array<char, 48> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(text.data(), result.ptr - text.data());
}
