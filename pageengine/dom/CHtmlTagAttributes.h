#pragma once
// The attributes of one start tag as the reader finds them, before they join the document:
// lower-case names and their values, each ended by a NUL, one after the other in a buffer
// that the reader keeps from tag to tag (no allocation per tag or attribute).
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

class CHtmlTagAttributes
{
public:
    // Where an attribute's name and value start in Chars().
    struct Starts
    {
        size_t nName = 0, nValue = 0;
    };

    void Clear()
    {
        m_nChars = 0;
        m_starts.clear();
    }
    void Add(const char* pchName, size_t nNameLength, const char* pchValue, size_t nValueLength)
    {
        m_starts.emplace_back();
        Starts& starts = m_starts.back();
        starts.nName = m_nChars;
        starts.nValue = starts.nName + nNameLength + 1;
        m_nChars = starts.nValue + nValueLength + 1;
        // The buffer's size is the room it has; it only grows.
        if (m_strChars.size() < m_nChars)
            m_strChars.resize(std::max(m_nChars, 2 * m_strChars.size()));
        char* pch = &m_strChars[0];
        CopyChars(pch + starts.nName, pchName, nNameLength);
        pch[starts.nName + nNameLength] = '\0';
        CopyChars(pch + starts.nValue, pchValue, nValueLength);
        pch[starts.nValue + nValueLength] = '\0';
    }
    size_t Count() const { return m_starts.size(); }
    const char* Name(size_t i) const { return m_strChars.data() + m_starts[i].nName; }
    const char* Value(size_t i) const { return m_strChars.data() + m_starts[i].nValue; }
    // The names and values of all of them, as Add made them, and where each starts.
    std::string_view Chars() const { return std::string_view(m_strChars.data(), m_nChars); }
    const std::vector<Starts>& AllStarts() const { return m_starts; }

private:
    // Names and values are short: copied by words of fixed size, the last ones overlapping,
    // rather than through a call to the C library for each.
    static void CopyChars(char* pDest, const char* pSource, size_t nLength)
    {
        if (nLength >= 8) {
            for (size_t i = 0; i + 8 < nLength; i += 8)
                std::memcpy(pDest + i, pSource + i, 8);
            std::memcpy(pDest + nLength - 8, pSource + nLength - 8, 8);
        } else if (nLength >= 4) {
            std::memcpy(pDest, pSource, 4);
            std::memcpy(pDest + nLength - 4, pSource + nLength - 4, 4);
        } else if (nLength > 0) {
            pDest[0] = pSource[0];
            pDest[nLength / 2] = pSource[nLength / 2];
            pDest[nLength - 1] = pSource[nLength - 1];
        }
    }

    std::string m_strChars;
    size_t m_nChars = 0;
    std::vector<Starts> m_starts;
};
