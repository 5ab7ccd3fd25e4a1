#pragma once
// One page of the built-in page view: its element tree, fonts, pictures and layout, read
// from a file or from text, laid out at a width and drawn.
#include "pageengine/dom/CHtmlDocument.h"
#include "pageengine/io/CKioskFolder.h"
#include "pageengine/style/CHtmlFonts.h"
#include "pageengine/paint/CPageImages.h"
#include "pageengine/layout/CPageBoxes.h"
#include <string>

class CDC;

class CHtmlPage
{
public:
    CHtmlPage() = default;
    CHtmlPage(const CHtmlPage&) = delete;
    CHtmlPage& operator=(const CHtmlPage&) = delete;

    // The folder the page and its pictures must lie in. Without one, a page read from a
    // file or given with a base folder may read only below that folder.
    void SetKioskFolder(const CKioskFolder& kiosk) { m_kiosk = kiosk; }
    // Reads a page file (its first HTML_MAX_FILE_BYTES bytes); FALSE when it is no file
    // that can be read, or lies outside the kiosk folder.
    BOOL LoadFile(const std::string& strPath);
    // A page from its bytes; its pictures and linked style sheets are looked for from
    // strBaseFolder.
    void LoadText(const std::string& bytes, const std::string& strBaseFolder);

    void Layout(int nWidth);
    void Paint(CDC* pDC, const RECT& rcClip, int nScrollY, int nFocusLink) const;

    const CHtmlDocument& Document() const { return m_document; }
    const CPageBoxes& GetLayout() const { return m_laidOut; }
    const std::string& Path() const { return m_strPath; }
    const std::string& BaseFolder() const { return m_strBaseFolder; }

private:
    // The kiosk folder given, or else the page's own folder.
    CKioskFolder KioskFor(const std::string& strFolder) const;
    // No page, before one is read: its pictures and linked sheets come from strBaseFolder.
    void Clear(const std::string& strBaseFolder);
    // The texts of the page's linked style sheets, once it is read.
    void ReadStyleSheets(const std::string& strBaseFolder);

    CKioskFolder m_kiosk;
    CHtmlDocument m_document;
    CHtmlFonts m_fonts;
    CPageImages m_images;
    CPageBoxes m_laidOut;
    std::string m_strPath;
    std::string m_strBaseFolder;
};
