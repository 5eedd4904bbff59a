#include "gallows.h"

void ShowGallows(float wrongCount, tk::Picture& gallows, std::span<tk::Picture* const, 9> stages,
                 std::span<tk::Picture* const, 8> markers)
{
    for (int k = 0; k <= 8; ++k) {
        if (wrongCount != static_cast<float>(k))
            continue;
        for (int i = 1; i <= 8; ++i)
            markers[i - 1]->setVisible(i <= k);
        if (k > 0)
            gallows.takePictureOf(*stages[k]);
    }
}
