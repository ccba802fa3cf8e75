// The two ways the record scanner finds the next field or line end: eight
// bytes at a time in plain C++ (any processor), or with SSE2, which every
// x86-64 processor has: sixteen bytes at a time, and for most lines all of
// their field ends at once from the 64-byte windows they lie in. Both are
// built wherever the compiler may use SSE2, so the tests can hold them to the
// same cases; the converter takes the fastest (kFastestFinder). 32-bit x86
// compilers do not assume SSE2 (the program runs on processors without it),
// so there only the portable one exists.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define ZEDULO_HAS_SSE2_FINDER 1
#endif

enum class ByteFinder { Portable, Sse2 };

#ifdef ZEDULO_HAS_SSE2_FINDER
constexpr ByteFinder kFastestFinder = ByteFinder::Sse2;
constexpr ByteFinder kAllFinders[] = {ByteFinder::Portable, ByteFinder::Sse2};
#else
constexpr ByteFinder kFastestFinder = ByteFinder::Portable;
constexpr ByteFinder kAllFinders[] = {ByteFinder::Portable};
#endif

// The first byte in [p, end) that is one of Bytes, or end; one byte at a time.
template <char... Bytes>
const char* FindByteSimply(const char* p, const char* end)
{
    while (p != end && ((*p != Bytes) && ...))
        ++p;
    return p;
}

// The same, eight bytes at a time on little-endian machines: XOR with eight
// copies of a byte turns that byte into zero, and (x - 0x01..01) & ~x &
// 0x80..80 sets the high bit of the lowest zero byte (higher bytes may be
// marked wrongly, but only above a true mark, and only the lowest counts).
template <char... Bytes>
const char* FindBytePortably(const char* p, const char* end)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    const auto zeroBytes = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighBits; };

    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const std::uint64_t found =
                (zeroBytes(word ^ (kOnes * static_cast<unsigned char>(Bytes))) | ...);
            if (found != 0)
                return p + std::countr_zero(found) / 8;
        }
    }
    return FindByteSimply<Bytes...>(p, end);
}

#ifdef ZEDULO_HAS_SSE2_FINDER
// The same, sixteen bytes at a time with SSE2.
template <char... Bytes>
[[gnu::always_inline]] inline const char* FindByteSse2(const char* p, const char* end)
{
    for (; end - p >= 16; p += 16) {
        // The next sixteen bytes; no alignment needed.
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // 0xFF in each position holding one of Bytes, 0x00 elsewhere.
        __m128i hits = _mm_setzero_si128();
        ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(chunk, _mm_set1_epi8(Bytes)))), ...);
        // Bit i set when byte i is a hit; the lowest set bit is the first hit.
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0)
            return p + std::countr_zero(mask);
    }
    return FindByteSimply<Bytes...>(p, end);
}

// Where the separators and LFs lie in the 64 bytes from p on: bit i stands
// for p[i]. Most lines of a phonebook fit in 64 bytes, so one look finds all
// of a line's fields.
struct WindowBits {
    std::uint64_t separators;
    std::uint64_t lineFeeds;
};
constexpr int kWindowSize = 64;

[[gnu::always_inline]] inline WindowBits FindWindowBitsSse2(const char* p)
{
    // The sixteen bytes at p + at compared with byte: 0xFF where equal; the
    // top bit of each of the sixteen results gathered into bits at .. at + 15.
    const auto bitsOf = [p](int at, char byte) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(byte))));
        return std::uint64_t{hits} << at;
    };
    return {bitsOf(0, ';') | bitsOf(16, ';') | bitsOf(32, ';') | bitsOf(48, ';'),
            bitsOf(0, '\n') | bitsOf(16, '\n') | bitsOf(32, '\n') | bitsOf(48, '\n')};
}

// The index of the lowest set bit of x, which must not be 0. Not
// std::countr_zero, which must also answer for 0: that test in the window
// scan cost 3.6% more instructions (callgrind, 1 MB phonebook).
[[gnu::always_inline]] inline unsigned LowestSetBit(std::uint64_t x)
{
    return static_cast<unsigned>(__builtin_ctzll(x));
}
#endif

// What the scanner looks for, by either finder: the end of a name or number
// (";", LF, or the NUL that cuts the line) and the end of a line.
struct PortableFinder {
    static const char* FieldEnd(const char* p, const char* end)
    {
        return FindBytePortably<';', '\n', '\0'>(p, end);
    }
    static const char* LineEnd(const char* p, const char* end)
    {
        return FindBytePortably<'\n'>(p, end);
    }
};

#ifdef ZEDULO_HAS_SSE2_FINDER
struct Sse2Finder {
    static const char* FieldEnd(const char* p, const char* end)
    {
        return FindByteSse2<';', '\n', '\0'>(p, end);
    }
    static const char* LineEnd(const char* p, const char* end)
    {
        return FindByteSse2<'\n'>(p, end);
    }
};
#endif
