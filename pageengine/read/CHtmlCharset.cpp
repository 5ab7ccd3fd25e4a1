#include "pageengine/read/CHtmlCharset.h"
#include "pageengine/read/HtmlScan.h"
#include <windows.h>
#include <algorithm>

namespace
{
std::string Convert(const std::string& bytes, UINT nFromCodePage)
{
    if (bytes.empty())
        return bytes;
    int nSource = static_cast<int>(bytes.size());
    int nWide = ::MultiByteToWideChar(nFromCodePage, 0, bytes.data(), nSource, nullptr, 0);
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    ::MultiByteToWideChar(nFromCodePage, 0, bytes.data(), nSource, &wide[0], nWide);
    int nAnsi = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, nullptr, 0, "?", nullptr);
    std::string ansi(static_cast<size_t>(nAnsi), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, &ansi[0], nAnsi, "?", nullptr);
    return ansi;
}
} // namespace

CHtmlCharset::Survey CHtmlCharset::SurveyOf(const std::string& bytes)
{
    Survey survey;
    const char* p = bytes.data();
    const char* pEnd = p + bytes.size();
    // Bytes beyond ASCII are gathered over all the blocks, and looked at once at the end;
    // bytes below ' ' are looked at closely, four blocks at a time, only where there are
    // some that are not blanks.
    const __m128i kSpace = _mm_set1_epi8(' ');
    __m128i all = _mm_setzero_si128(), controls = _mm_setzero_si128();
    for (; pEnd - p >= 64; p += 64) {
        __m128i a = LoadBlock(p), b = LoadBlock(p + 16), c = LoadBlock(p + 32), d = LoadBlock(p + 48);
        all = _mm_or_si128(all, _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d)));
        // The bytes below ' ': where one is, the smallest of the four blocks is below it.
        __m128i least = _mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d));
        if (BlockMask(_mm_cmpeq_epi8(_mm_max_epu8(least, kSpace), least)) == 0xFFFF)
            continue;
        for (__m128i block : {a, b, c, d}) {
            __m128i below = _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(0x1F)), block);
            controls = _mm_or_si128(controls, _mm_andnot_si128(ControlBlanksIn(block), below));
        }
    }
    survey.bNonAscii = BlockMask(all) != 0;
    survey.bControl = BlockMask(controls) != 0;
    for (; p < pEnd; ++p) {
        survey.bNonAscii |= static_cast<unsigned char>(*p) >= 0x80;
        survey.bControl |= IsHtmlControl(*p);
    }
    return survey;
}

bool CHtmlCharset::IsUtf8(const std::string& bytes, bool bNonAscii)
{
    // A byte order mark or a charset in a <meta> tag of the first few kilobytes decides.
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return true;
    const char* p = bytes.data();
    const char* pEnd = p + std::min<size_t>(bytes.size(), 4096);
    for (; (p = FindHtmlChar(p, pEnd, '<')) < pEnd; ++p) {
        if (!StartsWithNoCase(p, pEnd, "<meta"))
            continue;
        const char* pClose = FindHtmlChar(p, pEnd, '>');
        for (const char* q = p; q + 7 < pClose; ++q) {
            if (!StartsWithNoCase(q, pClose, "charset"))
                continue;
            q += 7;
            while (q < pClose && (IsHtmlSpace(*q) || *q == '=' || *q == '"' || *q == '\''))
                ++q;
            return StartsWithNoCase(q, pClose, "utf-8") || StartsWithNoCase(q, pClose, "utf8");
        }
    }
    return bNonAscii && LooksLikeUtf8(bytes);
}

bool CHtmlCharset::LooksLikeUtf8(const std::string& bytes)
{
    bool bNonAscii = false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* pEnd = p + bytes.size();
    while (p < pEnd) {
        unsigned char ch = *p++;
        if (ch < 0x80)
            continue;
        bNonAscii = true;
        int nMore = ch >= 0xC2 && ch <= 0xDF ? 1 : ch >= 0xE0 && ch <= 0xEF ? 2 : ch >= 0xF0 && ch <= 0xF4 ? 3 : -1;
        if (nMore < 0 || pEnd - p < nMore)
            return false;
        // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
        unsigned char nLow = ch == 0xE0 ? 0xA0 : ch == 0xF0 ? 0x90 : 0x80;
        unsigned char nHigh = ch == 0xED ? 0x9F : ch == 0xF4 ? 0x8F : 0xBF;
        if (p[0] < nLow || p[0] > nHigh)
            return false;
        for (int i = 1; i < nMore; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += nMore;
    }
    return bNonAscii;
}

std::string CHtmlCharset::ToAnsi(const std::string& bytes, bool bUtf8)
{
    std::string text;
    if (bUtf8)
        text = Convert(bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes, CP_UTF8);
    else if (::GetACP() != 1252)
        text = Convert(bytes, 1252);
    else
        text = bytes;
    // Control characters have no glyph: they read as blanks.
    for (char& ch : text)
        if (IsHtmlControl(ch))
            ch = ' ';
    return text;
}
