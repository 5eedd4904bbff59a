#pragma once

#include <QString>

// A number as captions show it: the shortest decimal form that reads back as
// the same single, in digits without an exponent, and 0 without a sign (12,
// 16777216, 10000000000, 0.5).
QString formatSingle(float value);
