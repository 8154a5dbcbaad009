#pragma once
// The inner loops of the echogram: one pixel column from one ping row, each
// pixel the strongest or mean palette index of its span of slots. A plain
// version for every machine and an AVX2 version chosen at run time where the
// processor has it; both give the same pixels.

#include <cstdint>

struct SlotSpan;

enum class ColumnKernel {
    Max,         // strongest amplitude of the span, then its index
    MeanLinear,  // mean of the linear indexes (a quarter of the clamped amplitude)
    MeanTable,   // mean of the indexes looked up in the table
};

struct ColumnJob {
    const int32_t* row = nullptr;     // one ping row of 15000 slots
    const SlotSpan* spans = nullptr;  // one span per pixel row
    int count = 0;
    uint32_t* out = nullptr;          // the column's first pixel
    int stride = 0;                   // pixels from one pixel row to the next
    const uint32_t* colours = nullptr;
    const int32_t* table = nullptr;   // 1024 indexes, amplitude 0..1023
    const uint8_t* table8 = nullptr;  // the same indexes as bytes
};

void DrawColumnPlain(const ColumnJob& job, ColumnKernel kernel);

// Whether DrawColumnAvx2 may run on this processor.
bool Avx2Available();
void DrawColumnAvx2(const ColumnJob& job, ColumnKernel kernel);
