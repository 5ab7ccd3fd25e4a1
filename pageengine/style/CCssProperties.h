#pragma once
// What declarations make of an element's style. The style step hands over the declarations
// that apply to an element in the cascade's order (later ones win) once its tag and
// attributes have made its style; values not understood are skipped, as browsers do.
#include "pageengine/style/CCssDeclaration.h"
#include "pageengine/style/CHtmlComputedStyle.h"
#include <set>
#include <string>
#include <vector>

class CCssProperties
{
public:
    using Declarations = std::vector<const CCssDeclaration*>;

    // kept: where the texts the style points to (font faces, picture addresses) are kept,
    // for as long as the style step lives.
    explicit CCssProperties(std::set<std::string>& kept) : m_kept(kept) {}

    // font-size alone: it comes first, as lengths in em and the tag's margins depend on it.
    void ApplyFontSize(const Declarations& declarations, int nParentPixels, CHtmlComputedStyle& style) const;
    // Every other property.
    void Apply(const Declarations& declarations, CHtmlComputedStyle& style) const;

private:
    // The border as the declarations leave it: a side without a visible style has no width.
    struct Borders
    {
        int anWidth[4] = {3, 3, 3, 3};   // "medium"
        bool abShown[4] = {};
        bool bSet = false;
        bool bColor = false;
    };

    void Background(const std::vector<std::string>& parts, CssProperty nProperty, CHtmlComputedStyle& style) const;
    void Font(const CCssDeclaration& declaration, CHtmlComputedStyle& style) const;
    void Edges(const std::vector<std::string>& parts, int nFirstSide, int nSides, CssProperty nProperty,
               CHtmlComputedStyle& style) const;
    static void Border(const std::vector<std::string>& parts, int nFirstSide, int nSides, Borders& borders,
                       CHtmlComputedStyle& style);
    static void BoxLength(const std::string& strValue, int nEmPixels, CHtmlLength& length);
    const char* Keep(const std::string& str) const { return m_kept.insert(str).first->c_str(); }

    std::set<std::string>& m_kept;
};
