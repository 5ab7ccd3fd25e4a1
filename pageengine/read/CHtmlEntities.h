#pragma once
// Character references of a page: named ones (&eacute;, &nbsp;, the HTML 4 set of Latin-1
// letters and typographic signs) and numeric ones (&#233;, &#xE9;), turned into text of
// the ANSI code page. A character the code page lacks becomes '?'.
#include <cstddef>

class CHtmlEntities
{
public:
    // The most characters one reference becomes.
    static const size_t kMaxChars = 8;

    // Reads the reference that starts at p (on its '&') and writes its character to pOut
    // (room for kMaxChars), its length to *pnOut; returns the characters read, or 0 when p
    // starts no known reference (the '&' is then plain text). The ';' may be left out, as
    // older pages do.
    static size_t Decode(const char* p, const char* pEnd, bool bInAttribute, char* pOut, size_t* pnOut);

private:
    // One Unicode code point in the ANSI code page, written to pOut; returns its length.
    static size_t CodePointChars(unsigned nCodePoint, char* pOut);
    static size_t ConvertedChars(unsigned nCodePoint, char* pOut);
};
