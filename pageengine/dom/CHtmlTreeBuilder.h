#pragma once
// Builds the element tree from the tags and text of a page, with the rules browsers use
// for what authors leave out: a new block closes an open paragraph, a new item the last
// item, a new cell or row the open one; a cell without a row gets one; content between
// rows and cells gets a cell of its own; an end tag without a matching open element is
// ignored and one with it closes what was opened inside it. Elements open deeper than
// HTML_MAX_DEPTH, or past HTML_MAX_NODES nodes, are left out and their text kept.
#include "pageengine/dom/CHtmlDocument.h"
#include "pageengine/dom/CHtmlTagTraits.h"
#include <string>

class CHtmlTreeBuilder
{
public:
    explicit CHtmlTreeBuilder(CHtmlDocument& document);

    // pszName: the name of an element the engine does not know, else empty.
    void StartTag(HtmlTag nTag, const char* pszName, const CHtmlTagAttributes& attributes);
    void EndTag(HtmlTag nTag, const char* pszName);
    // The text of nLength characters in the document's room for text (RoomText).
    void Text(size_t nLength);

private:
    struct OpenElement
    {
        int nNode = 0;
        HtmlTag nTag = TAG_ROOT;
        // Its tag's traits, kept here: every tag and text asks them of the open elements.
        unsigned nTraits = 0;
        // Where its name starts in m_strNames: that of an unknown element, to match its end
        // tag; the names of the open elements are kept there one after the other.
        size_t nName = 0;
    };

    bool CurrentHas(unsigned nTraitMask) const { return (m_stack.back().nTraits & nTraitMask) != 0; }
    // Only rows and cells belong directly in a table or a row.
    bool InTableStructure() const { return CurrentHas(TRAIT_TABLE | TRAIT_ROW); }
    bool CanAddNode() const { return m_document.NodeCount() < HTML_MAX_NODES; }
    void Push(HtmlTag nTag, const char* pszName, const CHtmlTagAttributes& attributes);
    // Closes the open element at nIndex of the stack and everything opened inside it.
    void PopThrough(size_t nIndex);
    // Leaves the nSize outermost elements of the stack open.
    void KeepOpen(size_t nSize);
    // The position in the stack of the nearest open element of one of the groups nMatches
    // (with 0: with the tag nTag, and an unknown one with the name pszName), met before any
    // element of the groups nStops; -1 when there is none.
    int FindOpen(HtmlTag nTag, const char* pszName, unsigned nMatches, unsigned nStops) const;
    // Closes the element FindOpen finds, if any.
    void CloseOpen(unsigned nMatches, unsigned nStops);
    void OpenImpliedCell();

    CHtmlDocument& m_document;
    std::vector<OpenElement> m_stack;
    std::string m_strNames;
    const CHtmlTagAttributes m_noAttributes;   // of the elements the builder implies
    int m_nLastText = -1;   // the last text node, where text goes once the tree is full
    bool m_bBodySeen = false;
};
