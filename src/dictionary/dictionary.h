#pragma once

#include <QString>

#include <functional>

// The word list carried inside the program, and drawing a word from it.
namespace dictionary {

// Identifiers run from kFirstId to kFirstId + kSize - 1 without gaps.
inline constexpr int kFirstId = 101;
inline constexpr int kSize = 116;
// Answers longer than the ten word slots of the game window get a warning.
inline constexpr int kLongestAnswer = 10;

// Fetches one entry ("clue :answer") by identifier.
using Lookup = std::function<QString(int id)>;
// Uniform fractions in [0, 1).
using RandomSource = std::function<double()>;

// The built-in entries; an unknown identifier gives an empty text.
QString loadResString(int id);

// A generator seeded once from the system clock.
RandomSource clockSeededRandom();

struct DrawnEntry {
    float WordIndex;
    QString Entry;
    QString Clue;  // up to and including the first colon
    QString Word;  // after the last colon, upper case, diacritics kept
    float WordLength;
};

// The entry that the random fraction r picks among the first pocetOtazek.
DrawnEntry drawEntry(double r, float pocetOtazek, const Lookup& lookup);

// The warning about an answer longer than kLongestAnswer, lines joined by CR LF.
QString lengthWarningText(float wordIndex);
inline constexpr char16_t kLengthWarningTitle[] = u"Chybné slovo";

}  // namespace dictionary
