#pragma once
// The attributes of one start tag as the reader finds them, before they join the document:
// lower-case names and their values, each ended by a NUL, one after the other in a buffer
// that the reader keeps from tag to tag (no allocation per tag or attribute).
#include <string>
#include <vector>

class CHtmlTagAttributes
{
public:
    void Clear()
    {
        m_strChars.clear();
        m_anNames.clear();
    }
    void Add(const char* pchName, size_t nNameLength, const char* pchValue, size_t nValueLength)
    {
        m_anNames.push_back(m_strChars.size());
        m_strChars.append(pchName, nNameLength).push_back('\0');
        m_strChars.append(pchValue, nValueLength).push_back('\0');
    }
    size_t Count() const { return m_anNames.size(); }
    const char* Name(size_t i) const { return m_strChars.c_str() + m_anNames[i]; }
    const char* Value(size_t i) const { return ValueAt(m_anNames[i]); }
    // The names and values of all of them, as Add made them, and where each name starts.
    const std::string& Chars() const { return m_strChars; }
    const std::vector<size_t>& NameStarts() const { return m_anNames; }

private:
    const char* ValueAt(size_t nName) const
    {
        const char* pszName = m_strChars.c_str() + nName;
        return pszName + std::char_traits<char>::length(pszName) + 1;
    }

    std::string m_strChars;
    std::vector<size_t> m_anNames;
};
