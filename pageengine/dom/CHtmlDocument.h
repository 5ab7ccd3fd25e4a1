#pragma once
// A page read into a tree of elements and text. The nodes live in one array and refer to
// each other by index, so neither building, walking nor destroying the tree recurses.
// Node 0 is the document's root; its children are the contents of the page's body.
// Texts are in the ANSI code page, character entities already replaced. The texts of all
// nodes share one buffer, their attributes another: a page costs a few allocations, not
// a few per node.
#include "pageengine/HtmlConstants.h"
#include "pageengine/dom/CHtmlTagAttributes.h"
#include <string>
#include <string_view>
#include <vector>

// What a page holds that the built-in view does not show, noted as the page is read (the
// view itself goes on without it); for whoever checks a kiosk's pages.
enum HtmlUnshown : unsigned
{
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
    // Text nodes: their text in the document's buffer; elements: their attributes in its
    // list. 32 bits hold them: a page of HTML_MAX_FILE_BYTES makes at most a few times as
    // many characters. A node has either, never both: where they start shares its place,
    // so that a node takes 32 bytes, two to a cache line.
    union
    {
        unsigned nText = 0;
        unsigned nFirstAttribute;
    };
    unsigned nTextLength = 0;
    unsigned nAttributes = 0;
};
static_assert(sizeof(CHtmlNode) == 32, "two nodes to a cache line");

class CHtmlDocument
{
public:
    CHtmlDocument();
    // Its node buffer and the buffer of its texts, once they are large, are kept for the
    // next document (see Reserve and SpareTextRoom).
    ~CHtmlDocument();
    CHtmlDocument(const CHtmlDocument&) = default;
    CHtmlDocument(CHtmlDocument&&) = default;
    CHtmlDocument& operator=(const CHtmlDocument&) = default;
    CHtmlDocument& operator=(CHtmlDocument&&) = default;

    const CHtmlNode& Node(int nIndex) const { return m_nodes[static_cast<size_t>(nIndex)]; }
    size_t NodeCount() const { return m_nodes.size(); }
    // The text of a text node (empty for an element).
    std::string_view Text(int nIndex) const
    {
        const CHtmlNode& node = Node(nIndex);
        // An element's place is that of its attributes: its empty text is at the start.
        return std::string_view(m_strTexts.data() + (node.nTextLength ? node.nText : 0), node.nTextLength);
    }
    // The characters of all the texts.
    size_t TextBytes() const { return m_nTextBytes; }
    // The value of an attribute (lower-case name) of an element, or null when it has none.
    const char* Attribute(int nIndex, const char* pszName) const;
    // Calls fn(name, value) for each attribute of an element, in the page's order: a step
    // that reads several attributes walks them once instead of searching for each name.
    template <class F> void ForEachAttribute(int nIndex, F fn) const
    {
        const CHtmlNode& node = Node(nIndex);
        const char* pszChars = m_strAttributeChars.c_str();
        for (size_t i = node.nFirstAttribute; i < node.nFirstAttribute + node.nAttributes; ++i)
            fn(pszChars + m_attributes[i].nName, pszChars + m_attributes[i].nValue);
    }

    // Room for nNodes nodes and nTextBytes of text (and attributes in proportion), made at
    // once rather than as the tree grows. The nodes go into the buffer a document left
    // when it is large enough: memory a page has already used costs no page faults again.
    void Reserve(size_t nNodes, size_t nTextBytes);
    // Adds a node as the last child of nParent; returns its index.
    int AppendElement(int nParent, HtmlTag nTag, const CHtmlTagAttributes& attributes)
    {
        // Most elements have none: those make no call.
        unsigned nFirstAttribute = static_cast<unsigned>(attributes.Count() ? AddAttributes(attributes) : m_attributes.size());
        CHtmlNode& node = Append(nParent);
        node.nTag = nTag;
        node.nFirstAttribute = nFirstAttribute;
        node.nAttributes = static_cast<unsigned>(attributes.Count());
        return static_cast<int>(m_nodes.size() - 1);
    }
    // The reader decodes a text straight into the buffer of the texts, past the last one
    // (TextBytes()): the buffer's size is the room it has, the reader grows it.
    std::string& TextRoom() { return m_strTexts; }
    // The nLength characters of the room just past the texts.
    std::string_view RoomText(size_t nLength) const { return std::string_view(m_strTexts.data() + m_nTextBytes, nLength); }
    // Makes them nParent's last child when it is a text node, else a new text node.
    void AppendOrMergeRoomText(int nParent, size_t nLength)
    {
        int nLast = Node(nParent).nLastChild;
        if (nLast >= 0 && Node(nLast).nTag == TAG_TEXT) {
            MergeRoomText(nLast, nLength);
            return;
        }
        CHtmlNode& node = Append(nParent);
        node.nText = static_cast<unsigned>(m_nTextBytes);
        node.nTextLength = static_cast<unsigned>(nLength);
        m_nTextBytes += nLength;
    }
    // An empty string with the room for text a large document left, if any: the bytes of
    // the next page can be read into it, and it then adopted.
    static std::string SpareTextRoom();
    // The page's own bytes become the room for text: its texts are decoded over what has
    // been read of it. Until SeparateTextRoom, the reader keeps saying where it is reading
    // (SetUnread), and a text that moves never goes past there.
    void AdoptTextRoom(std::string&& page)
    {
        m_strTexts = std::move(page);
        m_nUnread = 0;
    }
    bool SharesTextRoom() const { return m_nUnread != kNotShared; }
    // The first byte of the adopted page not yet read.
    void SetUnread(size_t nUnread)
    {
        if (SharesTextRoom())
            m_nUnread = nUnread;
    }
    // The texts get a room of their own, with the first nKeep characters of the shared
    // one; the page's bytes stay where they are until EndTexts.
    void SeparateTextRoom(size_t nKeep);
    // Leaves the buffer with the texts alone, once they are all read.
    void EndTexts()
    {
        m_strTexts.resize(m_nTextBytes);
        std::string().swap(m_strPage);
        m_nUnread = kNotShared;
    }

    std::string m_strTitle;
    // Attributes of the page's <body> (bgcolor, text, link, background).
    void SetBodyAttributes(const CHtmlTagAttributes& attributes);
    const char* BodyAttribute(const char* pszName) const;
    // The page's style sheets, at most CSS_MAX_SHEETS.
    std::vector<CHtmlStyleSheet> m_styleSheets;
    // HtmlUnshown flags of what the page holds and the view leaves out.
    unsigned m_nUnshown = 0;
    // Some element has a style attribute: the cascade looks for them only then.
    bool m_bStyleAttributes = false;

private:
    // An attribute: where its name and its value (each ended by a NUL) are in m_strAttributeChars.
    struct StoredAttribute
    {
        unsigned nName = 0, nValue = 0;
    };

    // A new node, the last child of nParent.
    CHtmlNode& Append(int nParent)
    {
        // Made in place, field by field: a node made aside and copied in whole is read back
        // before its parts are written, which stalls the processor on every node.
        int nIndex = static_cast<int>(m_nodes.size());
        m_nodes.emplace_back();
        m_nodes.back().nParent = nParent;
        CHtmlNode& parent = m_nodes[static_cast<size_t>(nParent)];
        if (parent.nLastChild >= 0)
            m_nodes[static_cast<size_t>(parent.nLastChild)].nNext = nIndex;
        else
            parent.nFirstChild = nIndex;
        parent.nLastChild = nIndex;
        return m_nodes.back();
    }
    // The room's nLength characters join the text of node nLast.
    void MergeRoomText(int nLast, size_t nLength);
    // Adds the attributes to the list; returns where they start.
    size_t AddAttributes(const CHtmlTagAttributes& attributes);
    const char* Find(size_t nFirst, size_t nCount, const char* pszName) const;

    static const size_t kNotShared = ~static_cast<size_t>(0);

    std::vector<CHtmlNode> m_nodes;
    std::string m_strTexts;
    size_t m_nTextBytes = 0;
    // While the texts share the page's buffer: the first byte not yet read, else kNotShared.
    size_t m_nUnread = kNotShared;
    // The page being read, once the texts have a room of their own.
    std::string m_strPage;
    std::vector<StoredAttribute> m_attributes;
    std::string m_strAttributeChars;
    size_t m_nBodyFirstAttribute = 0, m_nBodyAttributes = 0;
};
