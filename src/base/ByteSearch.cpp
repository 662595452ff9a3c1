#include "base/ByteSearch.h"

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define OSTREL_VECTORS 1
#endif

namespace ostrel {

namespace {

#if OSTREL_VECTORS
// Sixteen bytes at a time. Every 64-bit x86 has SSE2; a 32-bit build asks
// the processor, since the oldest that run 32-bit Windows lack it.
bool HasVectors()
{
#if defined(__SSE2__)
    return true;
#else
    static const bool sse2 = __builtin_cpu_supports("sse2");
    return sse2;
#endif
}

__attribute__((target("sse2"))) __m128i Load(const char* at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

// The bytes from `i` on that fill whole vectors; `i` is left at the rest.
__attribute__((target("sse2"))) bool VectorsAbove7F(std::string_view bytes, std::size_t& i)
{
    __m128i seen = _mm_setzero_si128();
    for (; i + sizeof(__m128i) <= bytes.size(); i += sizeof(__m128i)) {
        seen = _mm_or_si128(seen, Load(bytes.data() + i));
    }
    return _mm_movemask_epi8(seen) != 0;
}

// Stops at the vector that holds a match, or at the rest.
__attribute__((target("sse2"))) void SkipVectorsWithout(std::string_view bytes, std::size_t& i, char a, char b)
{
    const __m128i allA = _mm_set1_epi8(a);
    const __m128i allB = _mm_set1_epi8(b);
    for (; i + sizeof(__m128i) <= bytes.size(); i += sizeof(__m128i)) {
        const __m128i block = Load(bytes.data() + i);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, allA), _mm_cmpeq_epi8(block, allB))) != 0) {
            return;
        }
    }
}
#endif

}  // namespace

bool HasByteAbove7F(std::string_view bytes)
{
    std::size_t i = 0;
#if OSTREL_VECTORS
    if (HasVectors() && VectorsAbove7F(bytes, i)) {
        return true;
    }
#endif
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) {
            return true;
        }
    }
    return false;
}

std::size_t FindEitherByte(std::string_view bytes, std::size_t from, char a, char b)
{
    std::size_t i = from;
#if OSTREL_VECTORS
    if (HasVectors()) {
        SkipVectorsWithout(bytes, i, a, b);
    }
#endif
    for (; i < bytes.size(); ++i) {
        if (bytes[i] == a || bytes[i] == b) {
            return i;
        }
    }
    return std::string_view::npos;
}

}  // namespace ostrel
