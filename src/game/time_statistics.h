#pragma once

#include <QString>

struct GameState;

// Splits a number of seconds into whole hours, minutes and seconds. Each part
// is worked out in double precision from the parts already stored, and only
// the result is stored as a single.
void splitTime(float seconds, float& hours, float& minutes, float& wholeSeconds);

// "h:m:s" with no leading zeros; hours do not wrap at 24.
QString clockText(float hours, float minutes, float seconds);

// One clock tick: a second more on the run and on the word, and the average
// over the words given, each split into hours, minutes and seconds. Once a
// single can no longer count one more second (2^24), the times stay there.
void CountSecond(GameState& state);
