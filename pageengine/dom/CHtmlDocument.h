#pragma once
// A page read into a tree of elements and text. The nodes live in one array and refer to
// each other by index, so neither building, walking nor destroying the tree recurses.
// Node 0 is the document's root; its children are the contents of the page's body.
// Texts are in the ANSI code page, character entities already replaced.
#include "pageengine/HtmlConstants.h"
#include <string>
#include <utility>
#include <vector>

// What a page holds that the built-in view does not show, noted as the page is read (the
// view itself goes on without it); for whoever checks a kiosk's pages.
enum HtmlUnshown : unsigned
{
    UNSHOWN_STYLE_SHEET = 1u << 0,       // <style>, <link rel="stylesheet">
    UNSHOWN_STYLE_ATTRIBUTE = 1u << 1,   // style="..."
    UNSHOWN_SCRIPT = 1u << 2,            // <script>, on... event attributes
    UNSHOWN_FORM = 1u << 3,              // <form> and its fields
    UNSHOWN_FRAME = 1u << 4,             // <frameset>, <frame>, <iframe>
};

// A style sheet of the page, in the order the page gives them: the text of a <style>, or
// the address of a <link rel="stylesheet"> with the text of the file once it has been read.
struct CHtmlStyleSheet
{
    std::string strHref;   // empty for a <style>
    std::string strText;
};

struct CHtmlNode
{
    HtmlTag nTag = TAG_TEXT;
    int nParent = -1;
    int nFirstChild = -1;
    int nLastChild = -1;
    int nNext = -1;
    std::string strText;   // text nodes only
    std::vector<std::pair<std::string, std::string>> attributes;   // lower-case names
};

class CHtmlDocument
{
public:
    CHtmlDocument();

    const CHtmlNode& Node(int nIndex) const { return m_nodes[static_cast<size_t>(nIndex)]; }
    size_t NodeCount() const { return m_nodes.size(); }
    // The value of an attribute of an element, or null when it has none.
    const char* Attribute(int nIndex, const char* pszName) const;

    // Room for nNodes nodes, made at once rather than as the tree grows.
    void Reserve(size_t nNodes) { m_nodes.reserve(nNodes); }
    // Adds a node as the last child of nParent; returns its index.
    int AppendElement(int nParent, HtmlTag nTag, std::vector<std::pair<std::string, std::string>> attributes);
    int AppendText(int nParent, const std::string& strText);
    // Appends to the text of nParent's last child when it is a text node, else adds one.
    void AppendOrMergeText(int nParent, const std::string& strText);

    std::string m_strTitle;
    // Attributes of the page's <body> (bgcolor, text, link, background).
    std::vector<std::pair<std::string, std::string>> m_bodyAttributes;
    const char* BodyAttribute(const char* pszName) const;
    // The page's style sheets, at most CSS_MAX_SHEETS.
    std::vector<CHtmlStyleSheet> m_styleSheets;
    // HtmlUnshown flags of what the page holds and the view leaves out.
    unsigned m_nUnshown = 0;

private:
    int Append(int nParent, CHtmlNode&& node);

    std::vector<CHtmlNode> m_nodes;
};
