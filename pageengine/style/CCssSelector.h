#pragma once
// One selector of a rule: compounds of a tag or '*', classes and an id ("p.note#x"), each
// inside the one before it (a descendant, written with a blank). a:link and a:visited read
// as a link with an address. A selector with anything else (>, +, ~, [attributes], other
// pseudo-classes, escapes) does not read and matches nothing.
// Elements are node indexes of the document; BODY and HTML stand for the page's <body> and
// <html>, which hold the tree.
#include "pageengine/dom/CHtmlDocument.h"
#include <string>
#include <vector>

class CCssSelector
{
public:
    static const int BODY = -2;
    static const int HTML = -3;

    struct Compound
    {
        HtmlTag nTag = TAG_COUNT;   // TAG_COUNT: any
        std::string strId;
        std::vector<std::string> classes;
        bool bLink = false;
    };

    // false for a selector the engine does not match.
    bool Read(const std::string& strText);
    // Ids, classes and tags, weighed in that order.
    unsigned Specificity() const;
    // The compound the element itself must match.
    const Compound& Subject() const { return m_compounds.back(); }
    // Whether the element matches; every element looked at adds one to nSteps.
    bool Matches(const CHtmlDocument& document, int nElement, long long& nSteps) const;
    // The keys (KeyBits) the elements around the subject must have between them: a selector
    // whose keys an element's ancestors lack cannot match it, and is passed over at once.
    unsigned long long AncestorKeys() const { return m_nAncestorKeys; }

    // An element's tag, id and classes as bits of a 64-bit filter; several keys may share a bit.
    static unsigned long long KeyBits(const CHtmlDocument& document, int nElement);
    // The element around nElement (BODY for the tree's top, HTML for BODY), or -1.
    static int Parent(const CHtmlDocument& document, int nElement);
    static const char* Attribute(const CHtmlDocument& document, int nElement, const char* pszName);
    // Whether the class attribute names the class pszClass among the names it lists.
    static bool HasClass(const char* pszClasses, const std::string& strClass);

private:
    bool ReadCompound(const std::string& strText, Compound& compound) const;
    static bool CompoundMatches(const CHtmlDocument& document, int nElement, const Compound& compound);

    std::vector<Compound> m_compounds;   // outermost first
    unsigned long long m_nAncestorKeys = 0;
};
