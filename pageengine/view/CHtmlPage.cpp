#include "pageengine/view/CHtmlPage.h"
#include "pageengine/layout/CLayoutBuilder.h"
#include "pageengine/paint/CHtmlPainter.h"
#include "pageengine/read/CHtmlReader.h"
#include "pageengine/view/CPageAddress.h"

BOOL CHtmlPage::LoadFile(const std::string& strPath)
{
    // Read into memory a page before has already used, when there is some.
    std::string bytes = CHtmlDocument::SpareTextRoom();
    std::string strFolder = CPageAddress::FolderOf(strPath);
    if (!KioskFor(strFolder).ReadFile(strPath, HTML_MAX_FILE_BYTES, bytes, CHtmlReader::kRoomPast))
        return FALSE;
    // The bytes are the reader's to keep: the page's texts are decoded over them.
    Clear(strFolder);
    CHtmlReader(m_document).Read(std::move(bytes));
    ReadStyleSheets(strFolder);
    m_strPath = strPath;
    return TRUE;
}

void CHtmlPage::LoadText(const std::string& bytes, const std::string& strBaseFolder)
{
    Clear(strBaseFolder);
    CHtmlReader(m_document).Read(bytes);
    ReadStyleSheets(strBaseFolder);
}

void CHtmlPage::Clear(const std::string& strBaseFolder)
{
    // The old tree goes through its destructor, which keeps its buffer for the new one.
    CHtmlDocument old(std::move(m_document));
    m_document = CHtmlDocument();
    m_images.Clear(KioskFor(strBaseFolder));
    m_laidOut = CPageBoxes();
    m_strPath.clear();
    m_strBaseFolder = strBaseFolder;
}

void CHtmlPage::ReadStyleSheets(const std::string& strBaseFolder)
{
    // Linked style sheets are read from where the page's pictures are; one outside the
    // kiosk folder or missing stays empty.
    CKioskFolder kiosk = KioskFor(strBaseFolder);
    for (CHtmlStyleSheet& sheet : m_document.m_styleSheets) {
        if (sheet.strHref.empty())
            continue;
        std::string strPath = CPageAddress::ResolveLocal(strBaseFolder, sheet.strHref.c_str());
        std::string bytes;
        if (!strPath.empty() && kiosk.ReadFile(strPath, CSS_MAX_SHEET_BYTES, bytes))
            sheet.strText = CHtmlReader::LinkedText(bytes);
    }
}

void CHtmlPage::Layout(int nWidth)
{
    CLayoutBuilder(m_document, m_fonts, m_images, m_strBaseFolder).Layout(nWidth, m_laidOut);
}

void CHtmlPage::Paint(CDC* pDC, const RECT& rcClip, int nScrollY, int nFocusLink) const
{
    CHtmlPainter(m_laidOut, m_fonts, m_images).Paint(pDC, rcClip, nScrollY, nFocusLink);
}

CKioskFolder CHtmlPage::KioskFor(const std::string& strFolder) const
{
    return m_kiosk.IsSet() ? m_kiosk : CKioskFolder(strFolder);
}
