#include "pageengine/style/CCssValue.h"
#include "pageengine/HtmlConstants.h"
#include "pageengine/dom/CHtmlAttributes.h"
#include <cmath>

namespace
{
bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f'; }
char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// Pixels per unit, for the units of a fixed size.
struct Unit
{
    const char* pszName;
    double dPixels;
};
const Unit kUnits[] = {{"px", 1.0}, {"pt", 4.0 / 3.0}, {"pc", 16.0}, {"in", 96.0}, {"cm", 96.0 / 2.54}, {"mm", 96.0 / 25.4}};
const int kRootPixels = 16;   // rem: the default font size

// The parts of a function's arguments, "rgb(1, 2, 3)" -> "1", "2", "3"; false when str is
// not a call of pszName.
bool Arguments(const std::string& str, const char* pszName, std::vector<std::string>& arguments)
{
    size_t nOpen = str.find('(');
    if (nOpen == std::string::npos || str.back() != ')' || !CCssValue::Is(str.substr(0, nOpen), pszName))
        return false;
    std::string strInside = str.substr(nOpen + 1, str.size() - nOpen - 2);
    for (char& ch : strInside)
        if (ch == ',' || ch == '/')
            ch = ' ';
    arguments = CCssValue::Parts(strInside);
    return true;
}
} // namespace

std::vector<std::string> CCssValue::Parts(const std::string& strValue)
{
    std::vector<std::string> parts;
    size_t i = 0, n = strValue.size();
    while (i < n && parts.size() < CSS_MAX_VALUE_PARTS) {
        while (i < n && IsBlank(strValue[i]))
            ++i;
        if (i >= n)
            break;
        if (strValue[i] == '/') {
            parts.push_back("/");
            ++i;
            continue;
        }
        size_t nStart = i;
        int nDepth = 0;
        char chQuote = 0;
        for (; i < n; ++i) {
            char ch = strValue[i];
            if (chQuote) {
                chQuote = ch == chQuote ? 0 : chQuote;
                continue;
            }
            if (ch == '"' || ch == '\'')
                chQuote = ch;
            else if (ch == '(')
                ++nDepth;
            else if (ch == ')' && nDepth > 0)
                --nDepth;
            else if (nDepth == 0 && (IsBlank(ch) || ch == '/'))
                break;
        }
        parts.push_back(strValue.substr(nStart, i - nStart));
    }
    return parts;
}

bool CCssValue::Is(const std::string& str, const char* pszKeyword)
{
    size_t i = 0;
    for (; i < str.size() && pszKeyword[i]; ++i)
        if (Lower(str[i]) != pszKeyword[i])
            return false;
    return i == str.size() && pszKeyword[i] == '\0';
}

bool CCssValue::Number(const std::string& str, double* pdNumber, std::string* pstrUnit)
{
    size_t i = 0;
    double dSign = 1.0;
    if (i < str.size() && (str[i] == '+' || str[i] == '-'))
        dSign = str[i++] == '-' ? -1.0 : 1.0;
    double dValue = 0.0, dScale = 0.0;
    bool bDigit = false;
    for (; i < str.size(); ++i) {
        char ch = str[i];
        if (ch >= '0' && ch <= '9') {
            bDigit = true;
            if (dScale > 0.0)
                dValue += (ch - '0') * (dScale /= 10.0);
            else if (dValue < 1e9)
                dValue = dValue * 10.0 + (ch - '0');
        } else if (ch == '.' && dScale == 0.0) {
            dScale = 1.0;
        } else {
            break;
        }
    }
    if (!bDigit)
        return false;
    *pdNumber = dSign * dValue;
    pstrUnit->clear();
    for (; i < str.size(); ++i)
        *pstrUnit += Lower(str[i]);
    return true;
}

bool CCssValue::Length(const std::string& str, int nEmPixels, double* pdPixels, double* pdPercent)
{
    double dNumber = 0.0;
    std::string strUnit;
    if (!Number(str, &dNumber, &strUnit))
        return false;
    if (strUnit == "%") {
        if (!pdPercent)
            return false;
        *pdPercent = dNumber;
        return true;
    }
    double dPixels = 0.0;
    if (strUnit.empty() && dNumber != 0.0)
        return false;
    if (strUnit == "em")
        dPixels = dNumber * nEmPixels;
    else if (strUnit == "ex")
        dPixels = dNumber * nEmPixels / 2;
    else if (strUnit == "rem")
        dPixels = dNumber * kRootPixels;
    else if (!strUnit.empty()) {
        const Unit* pUnit = nullptr;
        for (const Unit& unit : kUnits)
            if (strUnit == unit.pszName)
                pUnit = &unit;
        if (!pUnit)
            return false;
        dPixels = dNumber * pUnit->dPixels;
    }
    *pdPixels = dPixels;
    if (pdPercent)
        *pdPercent = -1.0;
    return true;
}

bool CCssValue::Color(const std::string& str, COLORREF* pcr)
{
    std::vector<std::string> arguments;
    if (Arguments(str, "rgb", arguments) || Arguments(str, "rgba", arguments)) {
        if (arguments.size() < 3)
            return false;
        int anValue[3] = {};
        for (int i = 0; i < 3; ++i) {
            double dNumber = 0.0;
            std::string strUnit;
            if (!Number(arguments[static_cast<size_t>(i)], &dNumber, &strUnit) || !(strUnit.empty() || strUnit == "%"))
                return false;
            if (strUnit == "%")
                dNumber = dNumber * 255.0 / 100.0;
            anValue[i] = dNumber < 0 ? 0 : dNumber > 255 ? 255 : static_cast<int>(dNumber + 0.5);
        }
        *pcr = RGB(anValue[0], anValue[1], anValue[2]);
        return true;
    }
    return str.find('(') == std::string::npos && CHtmlAttributes::Color(str.c_str(), pcr);
}

bool CCssValue::Url(const std::string& str, std::string* pstrAddress)
{
    size_t nOpen = str.find('(');
    if (nOpen == std::string::npos || str.back() != ')' || !Is(str.substr(0, nOpen), "url"))
        return false;
    std::string strAddress = str.substr(nOpen + 1, str.size() - nOpen - 2);
    size_t nFirst = strAddress.find_first_not_of(" \t\r\n\f");
    size_t nLast = strAddress.find_last_not_of(" \t\r\n\f");
    if (nFirst == std::string::npos)
        return false;
    strAddress = strAddress.substr(nFirst, nLast - nFirst + 1);
    if (strAddress.size() >= 2 && (strAddress[0] == '"' || strAddress[0] == '\'') && strAddress.back() == strAddress[0])
        strAddress = strAddress.substr(1, strAddress.size() - 2);
    if (strAddress.empty())
        return false;
    *pstrAddress = strAddress;
    return true;
}

int CCssValue::Pixels(double dPixels, int nLimit)
{
    if (!(dPixels < nLimit))
        return nLimit;
    if (!(dPixels > -nLimit))
        return -nLimit;
    return static_cast<int>(std::floor(dPixels + 0.5));
}
