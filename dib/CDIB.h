#pragma once
// One bitmap image in device-independent form: a BITMAPINFOHEADER with room for 256
// colour entries, and bottom-up rows of pixels. Reads and writes BMP files, draws itself,
// and edits 8-bit pixels.
//
// Every image the object makes, reads or loads from a resource has a pixel block at least
// as large as its header's width, height and depth need, so drawing, the writers and the
// pixel operations never reach past it. Attach trusts its caller for the same.
#include "dib/DIBHeader.h"
#include "framework/core/CObject.h"
#include "framework/core/CRect.h"

class CArchive;
class CDC;
class CFile;
class CPalette;

class CDIB : public CObject
{
    KELO_DECLARE_SERIAL(CDIB)

public:
    // A 16 x 16 8-bit image with a grey colour table and all pixels 0 (black).
    CDIB();
    ~CDIB() override;
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    // The virtual operations, in this order, so derived images override what they expect.
    void Serialize(CArchive& ar) override;
    virtual BOOL LoadFromResource(UINT nID);
    // A null or empty name asks for the file with the open dialog.
    virtual BOOL LoadFromFile(LPCSTR pszFileName);
    // Reads a BMP image starting at the file's current position. On failure the previous
    // image stays.
    virtual BOOL Read(CFile* pFile);
    // A BMP file with all 256 colour entries, pixels at 1078.
    virtual BOOL Write(CFile* pFile);
    // A null or empty name asks for the file with the save dialog. Failures are reported
    // with a message box.
    virtual BOOL Save(LPCSTR pszFileName);
    // A BMP file without colour table, pixels at 54.
    virtual BOOL WriteNoColorTable(CFile* pFile);
    virtual BOOL SaveNoColorTable(LPCSTR pszFileName);
    // Rectangles hold x, y, width, height in left, top, right, bottom; rcSrc's y counts from
    // the top of the picture. Returns the lines drawn.
    virtual int Draw(CDC* pDC, CRect rcDest, CRect rcSrc);
    // The whole picture stretched to cx x cy times the display scale.
    virtual int DrawScaled(CDC* pDC, int x, int y, int cx, int cy);
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    // 8-bit images: pixels become the palette's indices and the colour table the palette.
    virtual BOOL MapColorsToPalette(CPalette* pPal);
    virtual void GetRect(CRect* pRect) const;
    // 8-bit images: copies a cx x cy block (y from the top) into pDest, leaving destination
    // pixels alone where the source byte is the low byte of nTransparent (unless -1).
    // Nothing happens when the block does not lie inside both images.
    virtual void CopyBits(CDIB* pDest, int xDest, int yDest, UINT cx, UINT cy, int xSrc, int ySrc,
                          int nTransparent);
    // Draws with KEY_COLOR pixels letting the destination show through, optionally flipped
    // left to right. cx or cy of 0 or less use the image's own size.
    virtual void DrawTransparent(CDC* pDC, CPalette* pPal, int x, int y, int cx, int cy, BOOL bMirror);
    // Flips the area of pDC at the origin with rc's width and height left to right.
    virtual void Mirror(CDC* pDC, CRect rc);

    // Draws rcSrc of the picture into rcDest (both x, y, width, height, as Draw takes them)
    // with KEY_COLOR pixels letting pDC's pixels show through; one block transfer reaches pDC.
    void DrawMasked(CDC* pDC, CPalette* pPal, CRect rcDest, CRect rcSrc);

    BOOL Create(int nWidth, int nHeight);
    // Takes a header and pixels the object does not own (they must outlive the image);
    // copies the colour table too when bCopyColorTable is set. FALSE only when out of memory.
    BOOL Attach(LPBITMAPINFOHEADER pbi, LPVOID pBits, BOOL bCopyColorTable);
    int GetNumColors() const;
    // The byte of pixel (x, y), y from the top; null outside the image or for images other
    // than uncompressed 8-bit ones.
    LPBYTE GetPixelAddress(int x, int y);

    const BITMAPINFO* GetBitmapInfo() const { return m_pBMI; }
    const BYTE* GetBits() const { return m_pBits; }

protected:
    LPBITMAPINFO m_pBMI = nullptr;
    LPBYTE m_pBits = nullptr;
    BOOL m_bOwnBits = FALSE;
    float m_fScale = 1.0f;

private:
    BOOL ReadImage(CFile& file);
    BOOL WriteImage(CFile* pFile, BOOL bColorTable);
    BOOL SaveImage(LPCSTR pszFileName, BOOL bColorTable);
    void FreeImage();
    void Install(LPBITMAPINFO pBMI, LPBYTE pBits, BOOL bOwnBits);
    BOOL Is8BitImage() const;
    // Bytes a row of an 8-bit image takes.
    size_t Stride() const;
};
