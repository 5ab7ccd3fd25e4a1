#pragma once
// Reads style sheets and style attributes as browsers do: comments dropped, @ rules skipped
// whole (a block of rules included), declarations of properties the style step does not
// know left out, and a declaration or rule it cannot read skipped up to the next ';' or the
// end of its block. Every step goes over the text once from front to back.
#include "pageengine/style/CCssDeclaration.h"
#include <string>
#include <vector>

class CCssStyleSheet;

class CCssParser
{
public:
    // The declarations of a block ("color: red; margin: 0 !important"), appended to out
    // while it holds fewer than nMax.
    static void ReadDeclarations(const char* p, const char* pEnd, size_t nMax, std::vector<CCssDeclaration>& out);
    // A whole sheet's rules, added to sheet after those it has. strBase goes before the
    // relative picture addresses of a sheet linked from another folder ("css/").
    static void ReadSheet(const std::string& strText, const std::string& strBase, CCssStyleSheet& sheet);
    // The text with its comments taken out.
    static std::string WithoutComments(const char* p, const char* pEnd);

private:
    // A background's value with its relative url(...) addresses put after strBase.
    static std::string Rebased(const std::string& strValue, const std::string& strBase);
    static bool PropertyOf(const std::string& strName, CssProperty* pnProperty);
};
