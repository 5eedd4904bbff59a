#pragma once

#include <QString>

// All data of a game for the whole run of the program, in one record owned by
// the game window. Numbers are single precision throughout, counters and whole
// seconds included, and are shown with formatSingle() (number_caption.h).
struct GameState {
    // The word in play.
    float PocetOtazek = 0;  // dictionary size; also shown by the About window
    float WordIndex = 0;  // identifier of the drawn entry
    QString Entry;
    QString Clue;
    QString Word;  // the answer in upper case
    float WordLength = 0;
    QString Letter;  // letter of the key just pressed
    bool LetterFound = false;

    // Statistics of the run.
    float TotalTime = 0;
    float TotalHours = 0;
    float TotalMinutes = 0;
    float TotalSeconds = 0;
    float WordTime = 0;
    float WordTimeHours = 0;
    float WordTimeMinutes = 0;
    float WordTimeSeconds = 0;
    float AverageTime = 0;
    float AverageHours = 0;
    float AverageMinutes = 0;
    float AverageSeconds = 0;
    float Attempts = 0;
    float RevealedCount = 0;
    float WrongCount = 0;
    float WordsRight = 0;
    float WordsWrong = 0;
    float WordsGiven = 0;
};
