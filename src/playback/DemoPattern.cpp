#include "playback/DemoPattern.h"

#include <cmath>

void FillDemonstrationPattern(int32_t (*rows)[15000], int rowCount)
{
    for (int i = 0; i < rowCount; ++i)
        for (int j = 0; j < 1000; ++j)
            rows[i][j] = static_cast<int32_t>(std::sin(j * 0.0031415 + i / 300.0) * 127.0 + 128.0);
    const int32_t reference[3] = {255, 128, 0};
    for (int i = 0; i < 3 && i < rowCount; ++i)
        for (int j = 0; j < 1000; ++j)
            rows[i][j] = reference[i];
}

void WriteDemonstrationMarker(int32_t* row, int32_t lastPing)
{
    const int32_t values[5] = {128, 129, 130, 250, 251};
    for (int k = 0; k < 5; ++k) {
        const int64_t slot = int64_t{lastPing} + 220 + k;
        if (slot >= 0 && slot < 15000)
            row[slot] = values[k];
    }
}
