#include "display/EchogramKernels.h"

#include <algorithm>

#include "display/EchogramRenderer.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define PELAGRIX_HAVE_AVX2_KERNELS 1
#endif

namespace {

int32_t ClampAmplitude(int32_t v)
{
    return v < 0 ? 0 : (v > 1023 ? 1023 : v);
}

// The quotient of an exact integer sum of at most 15001 indexes of at most
// 255 truncates like the single-precision quotient of the same sum.
uint32_t MeanColour(const ColumnJob& job, int32_t sum, const SlotSpan& span)
{
    return job.colours[sum / (span.s1 - span.s0 + 1)];
}

}  // namespace

void DrawColumnPlain(const ColumnJob& job, ColumnKernel kernel)
{
    const int32_t* row = job.row;
    uint32_t* out = job.out;
    for (int k = 0; k < job.count; ++k, out += job.stride) {
        const SlotSpan& span = job.spans[k];
        if (kernel == ColumnKernel::Max) {
            // The index never decreases with the amplitude: the strongest
            // amplitude gives the strongest index.
            int32_t m = row[span.s0];
            for (int32_t i = span.s0 + 1; i < span.s1; ++i)
                m = std::max(m, row[i]);
            *out = job.colours[job.table[ClampAmplitude(m)]];
            continue;
        }
        int32_t sum = 0;
        if (kernel == ColumnKernel::MeanLinear) {
            sum = ClampAmplitude(row[span.s0]) >> 2;
            for (int32_t i = span.s0; i < span.s1; ++i)
                sum += ClampAmplitude(row[i]) >> 2;
        } else {
            sum = job.table8[ClampAmplitude(row[span.s0])];
            for (int32_t i = span.s0; i < span.s1; ++i)
                sum += job.table8[ClampAmplitude(row[i])];
        }
        *out = MeanColour(job, sum, span);
    }
}

#ifdef PELAGRIX_HAVE_AVX2_KERNELS

bool Avx2Available()
{
    return __builtin_cpu_supports("avx2");
}

namespace {

// Lanes below `count` (0..8) enabled.
__attribute__((target("avx2"))) inline __m256i TailMask(int32_t count)
{
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), lanes);
}

__attribute__((target("avx2"))) inline int32_t HorizontalMax(__m256i v)
{
    __m128i m = _mm_max_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    m = _mm_max_epi32(m, _mm_shuffle_epi32(m, _MM_SHUFFLE(1, 0, 3, 2)));
    m = _mm_max_epi32(m, _mm_shuffle_epi32(m, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(m);
}

__attribute__((target("avx2"))) inline int32_t HorizontalSum(__m256i v)
{
    __m128i s = _mm_add_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, _MM_SHUFFLE(1, 0, 3, 2)));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtsi128_si32(s);
}

// Masked-off lanes read as 0, whose index is 0 on both scales: they change
// neither the strongest index nor the sum. Masked loads never touch memory
// of disabled lanes, so nothing past a span's last slot is read.
__attribute__((target("avx2"))) void MaxColumn(const ColumnJob& job)
{
    const int32_t* row = job.row;
    uint32_t* out = job.out;
    for (int k = 0; k < job.count; ++k, out += job.stride) {
        const SlotSpan& span = job.spans[k];
        const int32_t end = std::max(span.s1, span.s0 + 1);
        __m256i m = _mm256_set1_epi32(row[span.s0]);
        int32_t i = span.s0;
        for (; i + 8 <= end; i += 8)
            m = _mm256_max_epi32(m, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i)));
        if (i < end)
            m = _mm256_max_epi32(m, _mm256_maskload_epi32(row + i, TailMask(end - i)));
        *out = job.colours[job.table[ClampAmplitude(HorizontalMax(m))]];
    }
}

__attribute__((target("avx2"))) inline __m256i ClampLanes(__m256i v)
{
    return _mm256_min_epi32(_mm256_max_epi32(v, _mm256_setzero_si256()), _mm256_set1_epi32(1023));
}

// Linear: the index is a quarter of the clamped amplitude, summed in lanes.
__attribute__((target("avx2"))) void MeanLinearColumn(const ColumnJob& job)
{
    const int32_t* row = job.row;
    uint32_t* out = job.out;
    for (int k = 0; k < job.count; ++k, out += job.stride) {
        const SlotSpan& span = job.spans[k];
        __m256i sum = _mm256_setzero_si256();
        int32_t i = span.s0;
        for (; i + 8 <= span.s1; i += 8) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i));
            sum = _mm256_add_epi32(sum, _mm256_srli_epi32(ClampLanes(v), 2));
        }
        if (i < span.s1) {
            const __m256i v = _mm256_maskload_epi32(row + i, TailMask(span.s1 - i));
            sum = _mm256_add_epi32(sum, _mm256_srli_epi32(ClampLanes(v), 2));
        }
        const int32_t first = ClampAmplitude(row[span.s0]) >> 2;
        *out = MeanColour(job, first + HorizontalSum(sum), span);
    }
}

// Table: lanes are clamped together, then looked up one by one from a
// small byte table (a gather instruction is slower on several processors).
__attribute__((target("avx2"))) void MeanTableColumn(const ColumnJob& job)
{
    const int32_t* row = job.row;
    const uint8_t* table = job.table8;
    uint32_t* out = job.out;
    for (int k = 0; k < job.count; ++k, out += job.stride) {
        const SlotSpan& span = job.spans[k];
        int32_t a = table[ClampAmplitude(row[span.s0])];
        int32_t b = 0;
        int32_t i = span.s0;
        for (; i + 8 <= span.s1; i += 8) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + i));
            // Two clamped amplitudes of 10 bits in each 64-bit lane.
            const __m256i c = ClampLanes(v);
            const __m128i lo = _mm256_castsi256_si128(c);
            const __m128i hi = _mm256_extracti128_si256(c, 1);
            const uint64_t p0 = static_cast<uint64_t>(_mm_cvtsi128_si64(lo));
            const uint64_t p1 = static_cast<uint64_t>(_mm_extract_epi64(lo, 1));
            const uint64_t p2 = static_cast<uint64_t>(_mm_cvtsi128_si64(hi));
            const uint64_t p3 = static_cast<uint64_t>(_mm_extract_epi64(hi, 1));
            a += table[p0 & 1023] + table[p0 >> 32] + table[p1 & 1023] + table[p1 >> 32];
            b += table[p2 & 1023] + table[p2 >> 32] + table[p3 & 1023] + table[p3 >> 32];
        }
        for (; i < span.s1; ++i)
            a += table[ClampAmplitude(row[i])];
        *out = MeanColour(job, a + b, span);
    }
}

}  // namespace

void DrawColumnAvx2(const ColumnJob& job, ColumnKernel kernel)
{
    switch (kernel) {
    case ColumnKernel::Max:
        MaxColumn(job);
        break;
    case ColumnKernel::MeanLinear:
        MeanLinearColumn(job);
        break;
    case ColumnKernel::MeanTable:
        MeanTableColumn(job);
        break;
    }
}

#else

bool Avx2Available()
{
    return false;
}

void DrawColumnAvx2(const ColumnJob& job, ColumnKernel kernel)
{
    DrawColumnPlain(job, kernel);
}

#endif
