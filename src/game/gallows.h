#pragma once

#include "picture.h"

#include <span>

// Brings the gallows picture and the wrong-guess markers in line with the
// number of wrong letters: k markers and stage k for k = 1 … 8, no markers and
// the picture unchanged for 0, and nothing changed for any other value.
void ShowGallows(float wrongCount, tk::Picture& gallows, std::span<tk::Picture* const, 9> stages,
                 std::span<tk::Picture* const, 8> markers);
