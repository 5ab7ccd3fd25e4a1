#pragma once
// The character tests and searches the reader goes over a page's bytes with. The searches
// take sixteen bytes at a time (SSE2, which every x64 processor has): every byte of a page
// goes through them, and the C library's may take them one by one.
#include <emmintrin.h>
#include <intrin.h>
#include <array>
#include <cstdint>
#include <cstring>

const std::uint64_t kScanOnes = 0x0101010101010101ull;
const std::uint64_t kScanHighs = 0x8080808080808080ull;

inline bool IsHtmlSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }
inline bool IsHtmlAlpha(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
inline bool IsHtmlControl(char ch) { return static_cast<unsigned char>(ch) < 0x20 && !IsHtmlSpace(ch); }
inline char HtmlLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// What a character is to the reader, looked up at once rather than compared in turn.
enum HtmlCharClass : unsigned char
{
    CHAR_SPACE = 1,      // a blank
    CHAR_NAME_END = 2,   // ends a tag's name: a blank, '/' or '>'
    CHAR_ALNUM = 4,      // an ASCII letter or digit
    CHAR_TAG_GAP = 8,    // between a tag's attributes: a blank or '/'
    CHAR_VALUE_END = 16, // ends a value without quotes: a blank or '>'
};

constexpr std::array<unsigned char, 256> MakeHtmlCharClasses()
{
    std::array<unsigned char, 256> classes = {};
    for (int ch = 0; ch < 256; ++ch) {
        bool bSpace = ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
        bool bAlnum = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        classes[static_cast<size_t>(ch)] = static_cast<unsigned char>(
            (bSpace ? CHAR_SPACE | CHAR_NAME_END | CHAR_TAG_GAP | CHAR_VALUE_END : 0) | (ch == '/' ? CHAR_NAME_END | CHAR_TAG_GAP : 0) |
            (ch == '>' ? CHAR_NAME_END | CHAR_VALUE_END : 0) | (bAlnum ? CHAR_ALNUM : 0));
    }
    return classes;
}

inline constexpr std::array<unsigned char, 256> kHtmlCharClasses = MakeHtmlCharClasses();

inline bool HtmlCharIs(char ch, unsigned nClasses)
{
    return (kHtmlCharClasses[static_cast<unsigned char>(ch)] & nClasses) != 0;
}

inline std::uint64_t LoadWord(const char* p)
{
    std::uint64_t nWord;
    std::memcpy(&nWord, p, 8);
    return nWord;
}

// The high bit of each byte of nWord that is an ASCII letter or digit, and of no other.
inline std::uint64_t AlnumBytes(std::uint64_t nWord)
{
    const std::uint64_t kLows = ~kScanHighs;
    std::uint64_t nLow7 = nWord & kLows;
    std::uint64_t nFolded = nLow7 | (kScanOnes * 0x20);   // capitals as small letters
    std::uint64_t nDigits = (nLow7 + kScanOnes * (0x80 - '0')) & ~(nLow7 + kScanOnes * (0x80 - '9' - 1));
    std::uint64_t nLetters = (nFolded + kScanOnes * (0x80 - 'a')) & ~(nFolded + kScanOnes * (0x80 - 'z' - 1));
    return (nDigits | nLetters) & ~nWord & kScanHighs;
}

inline __m128i LoadBlock(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void StoreBlock(char* p, __m128i block) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), block); }
// The bytes of a block that are ch, as a mask: bit i for byte i.
inline __m128i BlockIs(__m128i block, char ch) { return _mm_cmpeq_epi8(block, _mm_set1_epi8(ch)); }
inline unsigned BlockMask(__m128i bytes) { return static_cast<unsigned>(_mm_movemask_epi8(bytes)); }
// The lowest bit set in a mask that is not zero.
inline unsigned FirstBit(unsigned nMask)
{
    unsigned long nIndex = 0;
    _BitScanForward(&nIndex, nMask);
    return static_cast<unsigned>(nIndex);
}

// The lowest bit set in a 64-bit mask that is not zero.
inline unsigned FirstBit64(std::uint64_t nMask)
{
    unsigned long nIndex = 0;
    _BitScanForward64(&nIndex, nMask);
    return static_cast<unsigned>(nIndex);
}

// The first ch at or after p, or pEnd.
inline const char* FindHtmlChar(const char* p, const char* pEnd, char ch)
{
    for (; pEnd - p >= 16; p += 16) {
        unsigned nMask = BlockMask(BlockIs(LoadBlock(p), ch));
        if (nMask != 0)
            return p + FirstBit(nMask);
    }
    for (; p < pEnd; ++p)
        if (*p == ch)
            return p;
    return pEnd;
}

// The bytes of a block that are blanks below ' ' (tab, line feed, carriage return, form feed).
inline __m128i ControlBlanksIn(__m128i block)
{
    return _mm_or_si128(_mm_or_si128(BlockIs(block, '\t'), BlockIs(block, '\n')),
                        _mm_or_si128(BlockIs(block, '\r'), BlockIs(block, '\f')));
}

// The bytes of a block that end a name (blanks, '/' and '>'), as a mask.
inline unsigned NameEndsIn(__m128i block)
{
    __m128i ends = _mm_or_si128(_mm_or_si128(BlockIs(block, ' '), BlockIs(block, '>')), BlockIs(block, '/'));
    return BlockMask(_mm_or_si128(ends, ControlBlanksIn(block)));
}

// A block with its ASCII capitals made small, its other bytes kept.
inline __m128i LowerBlock(__m128i block)
{
    __m128i capitals = _mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8('A' - 1)), _mm_cmpgt_epi8(_mm_set1_epi8('Z' + 1), block));
    return _mm_or_si128(block, _mm_and_si128(capitals, _mm_set1_epi8(0x20)));
}

// The first nLength bytes of a block (nLength at most 16), the others cleared.
inline __m128i BlockPrefix(__m128i block, size_t nLength)
{
    static const char kKept[32] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    return _mm_and_si128(block, LoadBlock(kKept + 16 - nLength));
}

// The end of a name at p: the first blank, '/' or '>' at or after it, or with bEquals the
// first '=' after its first character, or pEnd.
inline const char* FindHtmlNameEnd(const char* p, const char* pEnd, bool bEquals)
{
    const char* pStart = p;
    if (pEnd - p >= 16) {
        // Names are short: most end within the first block.
        __m128i block = LoadBlock(p);
        unsigned nMask = NameEndsIn(block) | (bEquals ? BlockMask(BlockIs(block, '=')) & ~1u : 0u);
        if (nMask != 0)
            return p + FirstBit(nMask);
        p += 16;
    }
    while (p < pEnd && !HtmlCharIs(*p, CHAR_NAME_END) && !(bEquals && *p == '=' && p > pStart))
        ++p;
    return p;
}

// Whether the characters at p start with pszPrefix (lower-case), in any case.
inline bool StartsWithNoCase(const char* p, const char* pEnd, const char* pszPrefix)
{
    for (; *pszPrefix; ++p, ++pszPrefix)
        if (p >= pEnd || HtmlLower(*p) != *pszPrefix)
            return false;
    return true;
}

// Just past the '>' at or after p, or the end of the page.
inline const char* PastTagEnd(const char* p, const char* pEnd)
{
    const char* pClose = FindHtmlChar(p, pEnd, '>');
    return pClose < pEnd ? pClose + 1 : pEnd;
}

// The first end tag pszEndTag ("</script", any case) at or after p, or the end of the page.
inline const char* FindEndTag(const char* p, const char* pEnd, const char* pszEndTag)
{
    for (; (p = FindHtmlChar(p, pEnd, '<')) < pEnd; ++p)
        if (StartsWithNoCase(p, pEnd, pszEndTag))
            return p;
    return pEnd;
}
