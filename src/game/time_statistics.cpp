#include "time_statistics.h"

#include "game_state.h"
#include "number_caption.h"

#include <cmath>

void splitTime(float seconds, float& hours, float& minutes, float& wholeSeconds)
{
    const double t = seconds;
    hours = static_cast<float>(std::floor(t / 3600.0));
    minutes = static_cast<float>(std::floor((t - double{hours} * 3600.0) / 60.0));
    wholeSeconds = static_cast<float>(std::floor(t - (double{minutes} * 60.0 + double{hours} * 3600.0)));
}

QString clockText(float hours, float minutes, float seconds)
{
    return formatSingle(hours) + u':' + formatSingle(minutes) + u':' + formatSingle(seconds);
}

void CountSecond(GameState& s)
{
    s.TotalTime += 1;
    splitTime(s.TotalTime, s.TotalHours, s.TotalMinutes, s.TotalSeconds);
    s.WordTime += 1;
    splitTime(s.WordTime, s.WordTimeHours, s.WordTimeMinutes, s.WordTimeSeconds);
    s.AverageTime = s.TotalTime / s.WordsGiven;
    splitTime(s.AverageTime, s.AverageHours, s.AverageMinutes, s.AverageSeconds);
}
