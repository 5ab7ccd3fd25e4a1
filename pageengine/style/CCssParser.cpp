#include "pageengine/style/CCssParser.h"
#include "pageengine/HtmlConstants.h"
#include "pageengine/style/CCssStyleSheet.h"
#include "pageengine/style/CCssValue.h"
#include <algorithm>
#include <cstring>

namespace
{
struct PropertyName
{
    const char* pszName;
    CssProperty nProperty;
};
const PropertyName kProperties[] = {
    {"color", CSS_COLOR},
    {"background", CSS_BACKGROUND}, {"background-color", CSS_BACKGROUND_COLOR}, {"background-image", CSS_BACKGROUND_IMAGE},
    {"font", CSS_FONT}, {"font-family", CSS_FONT_FAMILY}, {"font-size", CSS_FONT_SIZE},
    {"font-weight", CSS_FONT_WEIGHT}, {"font-style", CSS_FONT_STYLE},
    {"text-align", CSS_TEXT_ALIGN}, {"text-decoration", CSS_TEXT_DECORATION}, {"line-height", CSS_LINE_HEIGHT},
    {"margin", CSS_MARGIN}, {"margin-top", CSS_MARGIN_TOP}, {"margin-right", CSS_MARGIN_RIGHT},
    {"margin-bottom", CSS_MARGIN_BOTTOM}, {"margin-left", CSS_MARGIN_LEFT},
    {"padding", CSS_PADDING}, {"padding-top", CSS_PADDING_TOP}, {"padding-right", CSS_PADDING_RIGHT},
    {"padding-bottom", CSS_PADDING_BOTTOM}, {"padding-left", CSS_PADDING_LEFT},
    {"border", CSS_BORDER}, {"border-top", CSS_BORDER_TOP}, {"border-right", CSS_BORDER_RIGHT},
    {"border-bottom", CSS_BORDER_BOTTOM}, {"border-left", CSS_BORDER_LEFT},
    {"border-width", CSS_BORDER_WIDTH}, {"border-style", CSS_BORDER_STYLE}, {"border-color", CSS_BORDER_COLOR},
    {"width", CSS_WIDTH}, {"height", CSS_HEIGHT}, {"display", CSS_DISPLAY}, {"vertical-align", CSS_VERTICAL_ALIGN},
};

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }
char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// The first of the characters pszStops at or after p outside quotes and brackets, or pEnd.
// Brackets of any kind count alike, so a stray one costs no more than a counter.
const char* Find(const char* p, const char* pEnd, const char* pszStops)
{
    int nDepth = 0;
    char chQuote = 0;
    for (; p < pEnd; ++p) {
        char ch = *p;
        if (chQuote) {
            if (ch == chQuote || ch == '\n')
                chQuote = 0;
            else if (ch == '\\' && p + 1 < pEnd)
                ++p;
            continue;
        }
        if (nDepth == 0 && ch != '\0' && std::strchr(pszStops, ch))
            return p;
        if (ch == '"' || ch == '\'')
            chQuote = ch;
        else if (ch == '(' || ch == '[' || ch == '{')
            ++nDepth;
        else if ((ch == ')' || ch == ']' || ch == '}') && nDepth > 0)
            --nDepth;
    }
    return pEnd;
}

std::string Trimmed(const char* p, const char* pEnd)
{
    while (p < pEnd && IsBlank(*p))
        ++p;
    while (pEnd > p && IsBlank(pEnd[-1]))
        --pEnd;
    return std::string(p, pEnd);
}

// Takes "!important" (any case, blanks allowed after the '!') off the end of a value.
bool TakeImportant(std::string& strValue)
{
    static const char kImportant[] = "important";
    const size_t nLength = sizeof(kImportant) - 1;
    if (strValue.size() < nLength)
        return false;
    size_t nWord = strValue.size() - nLength;
    for (size_t i = 0; i < nLength; ++i)
        if (Lower(strValue[nWord + i]) != kImportant[i])
            return false;
    size_t nBang = nWord;
    while (nBang > 0 && IsBlank(strValue[nBang - 1]))
        --nBang;
    if (nBang == 0 || strValue[nBang - 1] != '!')
        return false;
    strValue = Trimmed(strValue.data(), strValue.data() + nBang - 1);
    return true;
}
} // namespace

void CCssParser::ReadDeclarations(const char* p, const char* pEnd, size_t nMax, std::vector<CCssDeclaration>& out)
{
    while (p < pEnd && out.size() < nMax) {
        const char* pStop = Find(p, pEnd, ";}");
        const char* pColon = Find(p, pStop, ":");
        CCssDeclaration declaration;
        if (pColon < pStop && PropertyOf(Trimmed(p, pColon), &declaration.nProperty)) {
            declaration.strValue = Trimmed(pColon + 1, pStop);
            declaration.bImportant = TakeImportant(declaration.strValue);
            declaration.parts = CCssValue::Parts(declaration.strValue);
            if (!declaration.parts.empty())
                out.push_back(std::move(declaration));
        }
        p = pStop < pEnd ? pStop + 1 : pEnd;
    }
}

void CCssParser::ReadSheet(const std::string& strText, const std::string& strBase, CCssStyleSheet& sheet)
{
    std::string strSheet = WithoutComments(strText.data(), strText.data() + std::min(strText.size(), CSS_MAX_SHEET_BYTES));
    const char* p = strSheet.data();
    const char* pEnd = p + strSheet.size();
    while (p < pEnd && !sheet.IsFull()) {
        while (p < pEnd && IsBlank(*p))
            ++p;
        // The markers that hid a sheet from old browsers are no part of it.
        if (pEnd - p >= 4 && std::memcmp(p, "<!--", 4) == 0) {
            p += 4;
            continue;
        }
        if (pEnd - p >= 3 && std::memcmp(p, "-->", 3) == 0) {
            p += 3;
            continue;
        }
        if (p >= pEnd)
            break;
        const char* pOpen = Find(p, pEnd, *p == '@' ? ";{" : "{");
        if (pOpen >= pEnd)
            break;
        const char* pClose = *pOpen == ';' ? pOpen : Find(pOpen + 1, pEnd, "}");
        if (*p != '@') {
            size_t nFirst = sheet.DeclarationCount();
            sheet.AddDeclarations(pOpen + 1, pClose);
            for (size_t i = nFirst; i < sheet.DeclarationCount() && !strBase.empty(); ++i) {
                CssProperty nProperty = sheet.DeclarationAt(i).nProperty;
                if (nProperty == CSS_BACKGROUND || nProperty == CSS_BACKGROUND_IMAGE)
                    sheet.SetValue(i, Rebased(sheet.DeclarationAt(i).strValue, strBase));
            }
            sheet.AddSelectors(Trimmed(p, pOpen), nFirst);
        }
        p = pClose < pEnd ? pClose + 1 : pEnd;
    }
}

std::string CCssParser::WithoutComments(const char* p, const char* pEnd)
{
    std::string strOut;
    strOut.reserve(static_cast<size_t>(pEnd - p));
    char chQuote = 0;
    while (p < pEnd) {
        char ch = *p;
        if (chQuote) {
            chQuote = ch == chQuote || ch == '\n' ? 0 : chQuote;
        } else if (ch == '"' || ch == '\'') {
            chQuote = ch;
        } else if (ch == '/' && p + 1 < pEnd && p[1] == '*') {
            const char* pStop = p + 2;
            while (pStop + 1 < pEnd && !(pStop[0] == '*' && pStop[1] == '/'))
                ++pStop;
            p = pStop + 1 < pEnd ? pStop + 2 : pEnd;
            strOut += ' ';
            continue;
        }
        strOut += ch;
        ++p;
    }
    return strOut;
}

std::string CCssParser::Rebased(const std::string& strValue, const std::string& strBase)
{
    std::string strOut;
    for (const std::string& part : CCssValue::Parts(strValue)) {
        std::string strAddress;
        bool bRelative = CCssValue::Url(part, &strAddress) && strAddress.find(':') == std::string::npos &&
                         strAddress[0] != '/' && strAddress[0] != '\\';
        strOut += (strOut.empty() ? "" : " ") + (bRelative ? "url(\"" + strBase + strAddress + "\")" : part);
    }
    return strOut;
}

bool CCssParser::PropertyOf(const std::string& strName, CssProperty* pnProperty)
{
    for (const PropertyName& property : kProperties) {
        size_t i = 0;
        for (; i < strName.size() && property.pszName[i] && Lower(strName[i]) == property.pszName[i]; ++i) {
        }
        if (i == strName.size() && property.pszName[i] == '\0') {
            *pnProperty = property.nProperty;
            return true;
        }
    }
    return false;
}
