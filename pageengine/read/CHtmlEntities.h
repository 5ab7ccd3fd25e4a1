#pragma once
// Character references of a page: named ones (&eacute;, &nbsp;, the HTML 4 set of Latin-1
// letters and typographic signs) and numeric ones (&#233;, &#xE9;), turned into text of
// the ANSI code page. A character the code page lacks becomes '?'.
#include <string>

class CHtmlEntities
{
public:
    // Reads the reference that starts at p (on its '&') and appends its character to
    // strOut; returns the characters read, or 0 when p starts no known reference (the '&'
    // is then plain text). The ';' may be left out, as older pages do.
    static size_t Decode(const char* p, const char* pEnd, bool bInAttribute, std::string& strOut);
    // Appends one Unicode code point in the ANSI code page.
    static void AppendCodePoint(unsigned nCodePoint, std::string& strOut);

private:
    static void AppendConverted(unsigned nCodePoint, std::string& strOut);
};
