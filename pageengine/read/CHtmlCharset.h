#pragma once
// The character set of a page's bytes, and the bytes turned into text of the ANSI code page:
// UTF-8 when they start with a UTF-8 byte order mark or a <meta> of the page's head names
// UTF-8, windows-1252 when that <meta> names another set; without either, UTF-8 when the
// bytes are well-formed UTF-8 with some beyond ASCII, else windows-1252.
#include <cstddef>
#include <string>

class CHtmlCharset
{
public:
    // What one pass over a page's bytes finds, so that most pages need no other pass before
    // they are parsed.
    struct Survey
    {
        bool bNonAscii = false;
        bool bControl = false;   // a control character other than a blank
    };
    static Survey SurveyOf(const std::string& bytes);
    // Whether the page is read as UTF-8 (bNonAscii: what its survey found).
    static bool IsUtf8(const std::string& bytes, bool bNonAscii);
    // Whether the bytes hold at least one sequence beyond ASCII and all of them are
    // well-formed UTF-8: text in windows-1252 with accents almost never is.
    static bool LooksLikeUtf8(const std::string& bytes);
    // The bytes as text of the ANSI code page, control characters made blanks.
    static std::string ToAnsi(const std::string& bytes, bool bUtf8);
};
