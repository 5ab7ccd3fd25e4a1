#pragma once
// Reads the bytes of a page into a CHtmlDocument: finds its character set, its tags,
// attributes, text and character references, and hands them to the tree builder. Forgiving
// like a browser: missing quotes, stray '<' and a page cut anywhere all read; every step
// goes over the page once from front to back.
#include "pageengine/dom/CHtmlTreeBuilder.h"
#include <string>

class CHtmlReader
{
public:
    // Characters of a tag's or attribute's name that are read; the rest are left out.
    static const size_t kMaxName = 32;

    explicit CHtmlReader(CHtmlDocument& document);

    // Reads a whole page: UTF-8 when it starts with a UTF-8 byte order mark or a <meta> of its
    // head names UTF-8, windows-1252 when that <meta> names another set; without either,
    // UTF-8 when its bytes are well-formed UTF-8 with some beyond ASCII, else windows-1252.
    // <script> contents are skipped, <style> contents and the addresses of linked style
    // sheets go to the document's sheets, <title> to its title.
    void Read(const std::string& bytes);
    // The same, from bytes the reader may keep: their buffer becomes the document's room
    // for text.
    void Read(std::string&& bytes);
    // The bytes of a file a page links to (a style sheet) as text of the ANSI code page, as
    // the page's own text is: UTF-8 when they start with its byte order mark or are
    // well-formed UTF-8 with some beyond ASCII, else windows-1252.
    static std::string LinkedText(const std::string& bytes);

    // Room a text is decoded into has this much past it: sixteen characters are stored at
    // a time, and a reference's characters at once. Bytes given to Read with this much
    // capacity past them are not copied.
    static const size_t kRoomPast = 16;

private:
    // pOwned: the bytes, when the reader may keep them.
    void ReadPage(const std::string& bytes, std::string* pOwned);
    void Parse(const char* p, const char* pEnd);
    const char* ReadStartTag(const char* p, const char* pEnd);
    const char* ReadEndTag(const char* p, const char* pEnd);
    const char* ReadTitle(const char* p, const char* pEnd);
    // Text, its character references replaced, joins the text being read: up to pEnd or,
    // with bToTag, the next '<'; returns where it stopped.
    const char* ReadText(const char* p, const char* pEnd, bool bToTag);
    // pUnread: where the reading of the page has come to.
    void FlushText(const char* pUnread);
    // The tag of the name in m_szName, of nLength characters with the key key; m_pszName
    // becomes the name of an element the engine does not know, else empty.
    HtmlTag TagOf(const CHtmlTagTraits::NameKey& key, size_t nLength)
    {
        HtmlTag nTag = CHtmlTagTraits::FromNameKey(key, nLength);
        // Only the names of other elements are read again (to match their end tags, and for
        // what the view leaves out).
        m_pszName = nTag == TAG_UNKNOWN || nTag == TAG_VOID_UNKNOWN ? m_szName : "";
        return nTag;
    }
    // Notes a <style> (its text) or a <link> to a style sheet (bLink) for the document.
    void KeepStyleSheet(const CHtmlTagAttributes& attributes, bool bLink, std::string&& strText);

    CHtmlDocument& m_document;
    CHtmlTreeBuilder m_builder;
    // The text read since the last tag: its characters, in the document's room for text.
    size_t m_nText = 0;
    // The page, when its texts are decoded over it; else null.
    const char* m_pPage = nullptr;
    // The tag being read: kept from tag to tag, so that reading one allocates nothing.
    char m_szName[kMaxName + 1] = {};
    char m_szAttribute[kMaxName + 1] = {};
    const char* m_pszName = "";
    std::string m_strValue;
    CHtmlTagAttributes m_attributes;
    bool m_bTitleSeen = false;
};
