#pragma once
// The attributes of one start tag as the reader finds them, before they join the document:
// lower-case names and their values, each ended by a NUL, one after the other in a buffer
// that the reader keeps from tag to tag (no allocation per tag or attribute).
#include <string>
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
        m_strChars.clear();
        m_starts.clear();
    }
    void Add(const char* pchName, size_t nNameLength, const char* pchValue, size_t nValueLength)
    {
        m_starts.emplace_back();
        m_starts.back().nName = m_strChars.size();
        m_strChars.append(pchName, nNameLength).push_back('\0');
        m_starts.back().nValue = m_strChars.size();
        m_strChars.append(pchValue, nValueLength).push_back('\0');
    }
    size_t Count() const { return m_starts.size(); }
    const char* Name(size_t i) const { return m_strChars.c_str() + m_starts[i].nName; }
    const char* Value(size_t i) const { return m_strChars.c_str() + m_starts[i].nValue; }
    // The names and values of all of them, as Add made them, and where each starts.
    const std::string& Chars() const { return m_strChars; }
    const std::vector<Starts>& AllStarts() const { return m_starts; }

private:
    std::string m_strChars;
    std::vector<Starts> m_starts;
};
