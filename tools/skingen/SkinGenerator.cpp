// Makes the sample kiosk's skins and the program's hand cursor. Host program, standard C++
// only:
//   SkinGenerator skins <SKINS folder>   one folder per skin: the seven bitmaps, Skin.ini
//                                        and the layout file Demo.ini
//   SkinGenerator cursor <file.cur>      the 32 x 32 pointing hand, hot spot at (0, 0)
#include "ByteFile.h"
#include "Canvas.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{
const int kScreenWidth = 800;
const int kScreenHeight = 600;
// Each image of a button strip; the strip stacks four of them.
const int kButtonSize = 24;
const int kStripImages = 4;
const int kButtonMargin = 8;
const Rgb kMagenta = {255, 0, 255};
const char kTitle[] = "VID\xC9OS DE D\xC9MONSTRATION";
const char kMaker[] = "KELO";

enum ButtonState { kUnused, kNormal, kHover, kPressed };
enum ButtonGlyph { kGlyphMenu, kGlyphMini, kGlyphQuit };

struct SkinStyle
{
    const char* pszName;
    int nLeft, nRight, nTop, nBottom;   // border widths
    Rgb frameTop, frameBottom;          // the top band's shading
    Rgb edgeLight, edgeDark;            // bevels
    Rgb bandTop, bandBottom;            // the title band
    Rgb text, textShadow;
    Rgb screen;                         // the inner rectangle (Ecran)
    Rgb buttonFace, buttonHover, quitHover, glyph;
    Rgb menuBack, menuBorder, menuText;
    Rgb homeText, homeGrey, homeHover, homeClick, homeTitle;
};

const SkinStyle kSkins[] = {
    {"Classique", 24, 24, 48, 32,
     {86, 128, 190}, {22, 50, 100}, {170, 200, 240}, {8, 20, 48},
     {14, 34, 72}, {30, 62, 120}, {236, 242, 255}, {4, 12, 32},
     {0, 32, 96},
     {60, 96, 160}, {96, 150, 230}, {210, 50, 50}, {250, 250, 255},
     {240, 240, 240}, {0, 32, 96}, {0, 0, 0},
     {255, 255, 255}, {160, 170, 190}, {255, 220, 120}, {255, 160, 60}, {200, 220, 255}},
    {"Ardoise", 16, 16, 42, 24,
     {92, 98, 110}, {40, 44, 52}, {150, 156, 168}, {16, 18, 22},
     {28, 30, 36}, {48, 52, 60}, {255, 164, 48}, {0, 0, 0},
     {38, 42, 50},
     {70, 76, 88}, {230, 130, 30}, {200, 40, 40}, {240, 240, 240},
     {50, 54, 62}, {255, 150, 40}, {235, 235, 235},
     {235, 235, 235}, {120, 124, 132}, {255, 164, 48}, {255, 200, 120}, {255, 164, 48}},
    {"Sable", 20, 20, 46, 28,
     {232, 212, 170}, {168, 132, 86}, {250, 240, 215}, {96, 70, 40},
     {246, 234, 206}, {220, 200, 160}, {84, 54, 24}, {255, 250, 236},
     {245, 238, 222},
     {150, 116, 72}, {196, 150, 80}, {190, 60, 40}, {255, 250, 240},
     {250, 244, 230}, {160, 125, 80}, {70, 45, 20},
     {70, 45, 20}, {170, 150, 120}, {190, 110, 30}, {140, 70, 20}, {110, 70, 30}},
};

unsigned long ColorRef(Rgb c)
{
    return c.r | (static_cast<unsigned long>(c.g) << 8) | (static_cast<unsigned long>(c.b) << 16);
}

// The shading of the top band at row y, which the side columns continue.
Rgb TopShade(const SkinStyle& s, int y)
{
    return Mix(s.frameTop, s.frameBottom, double(y) / (s.nTop - 1));
}

Rgb BottomShade(const SkinStyle& s, int y)
{
    return Mix(s.frameBottom, Darker(s.frameBottom, 0.35), double(y) / (s.nBottom - 1));
}

// A screw head in a corner of the frame.
void Rivet(Canvas& canvas, double x, double y, const SkinStyle& s)
{
    canvas.Disc(x, y, 3.5, s.edgeLight, s.frameBottom, s.edgeDark);
}

Canvas DrawTop(const SkinStyle& s)
{
    const int nWidth = kScreenWidth - s.nLeft - s.nRight;
    Canvas canvas(nWidth, s.nTop, s.frameTop);
    for (int y = 0; y < s.nTop; ++y)
        canvas.HorizontalLine(0, y, nWidth, TopShade(s, y));
    canvas.HorizontalLine(0, 0, nWidth, s.edgeLight);
    canvas.HorizontalLine(0, s.nTop - 2, nWidth, Mix(s.frameBottom, s.edgeDark, 0.5));
    canvas.HorizontalLine(0, s.nTop - 1, nWidth, s.edgeDark);

    // The title, on a sunken band centred on the window, accents inside the band.
    const int nTextWidth = Canvas::TextWidth(kTitle, 2);
    const int nBandWidth = nTextWidth + 48;
    const int nBandHeight = std::min(s.nTop - 14, 30);
    const int nBandX = kScreenWidth / 2 - s.nLeft - nBandWidth / 2;
    const int nBandY = (s.nTop - nBandHeight) / 2 - 1;
    canvas.VerticalGradient(nBandX, nBandY, nBandWidth, nBandHeight, s.bandTop, s.bandBottom);
    canvas.Bevel(nBandX, nBandY, nBandWidth, nBandHeight, s.edgeDark, s.edgeLight);
    for (int x : {nBandX, nBandX + nBandWidth - 1}) {
        for (int y : {nBandY, nBandY + nBandHeight - 1})
            canvas.Set(x, y, TopShade(s, y));
    }
    const int nTextX = nBandX + (nBandWidth - nTextWidth) / 2;
    const int nTextY = nBandY + nBandHeight - 5 - 14;
    canvas.Text(nTextX + 1, nTextY + 1, kTitle, 2, s.textShadow);
    canvas.Text(nTextX, nTextY, kTitle, 2, s.text);
    return canvas;
}

Canvas DrawBottom(const SkinStyle& s)
{
    const int nWidth = kScreenWidth - s.nLeft - s.nRight;
    Canvas canvas(nWidth, s.nBottom, s.frameBottom);
    for (int y = 0; y < s.nBottom; ++y)
        canvas.HorizontalLine(0, y, nWidth, BottomShade(s, y));
    canvas.HorizontalLine(0, 0, nWidth, s.edgeLight);
    canvas.HorizontalLine(0, s.nBottom - 1, nWidth, s.edgeDark);
    // The maker's name, engraved.
    const int nTextX = kScreenWidth / 2 - s.nLeft - Canvas::TextWidth(kMaker, 1) / 2;
    const int nTextY = (s.nBottom - 7) / 2;
    canvas.Text(nTextX + 1, nTextY + 1, kMaker, 1, Lighter(s.frameBottom, 0.35));
    canvas.Text(nTextX, nTextY, kMaker, 1, s.edgeDark);
    return canvas;
}

// A side column; bLeft puts the outer edge at x 0, else at the right.
Canvas DrawSide(const SkinStyle& s, bool bLeft)
{
    const int nWidth = bLeft ? s.nLeft : s.nRight;
    const int nInnerBottom = kScreenHeight - s.nBottom;
    Canvas canvas(nWidth, kScreenHeight, s.frameBottom);
    const Rgb outer = Mix(s.frameTop, s.frameBottom, 0.3), inner = s.frameBottom;
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int i = 0; i < nWidth; ++i) {
            const int x = bLeft ? i : nWidth - 1 - i;
            Rgb c = Mix(outer, inner, double(i) / (nWidth - 1));
            if (y < s.nTop)
                c = TopShade(s, y);
            else if (y >= nInnerBottom)
                c = BottomShade(s, y - nInnerBottom);
            canvas.Set(x, y, c);
        }
    }
    const int xOuter = bLeft ? 0 : nWidth - 1, xInner = bLeft ? nWidth - 1 : 0;
    canvas.VerticalLine(xOuter, 0, kScreenHeight, bLeft ? s.edgeLight : s.edgeDark);
    canvas.HorizontalLine(0, 0, nWidth, s.edgeLight);
    canvas.HorizontalLine(0, kScreenHeight - 1, nWidth, s.edgeDark);
    // The inner rectangle looks sunken: dark above and left, light below and right.
    canvas.VerticalLine(xInner, s.nTop - 1, nInnerBottom - s.nTop + 1, bLeft ? s.edgeDark : s.edgeLight);
    canvas.Set(xInner, s.nTop - 1, s.edgeDark);
    canvas.Set(xInner, nInnerBottom, s.edgeLight);
    Rivet(canvas, nWidth / 2.0, s.nTop / 2.0, s);
    Rivet(canvas, nWidth / 2.0, nInnerBottom + s.nBottom / 2.0, s);
    return canvas;
}

void DrawGlyph(Canvas& canvas, ButtonGlyph glyph, double x, double y, Rgb c)
{
    switch (glyph) {
    case kGlyphMenu:
        for (double dy : {7.5, 12.0, 16.5})
            canvas.ThickLine(x + 7, y + dy, x + 17, y + dy, 2.2, c);
        break;
    case kGlyphMini:
        canvas.ThickLine(x + 7, y + 16, x + 17, y + 16, 3, c);
        break;
    case kGlyphQuit:
        canvas.ThickLine(x + 8, y + 8, x + 16, y + 16, 3, c);
        canvas.ThickLine(x + 16, y + 8, x + 8, y + 16, 3, c);
        break;
    }
}

// Four round buttons stacked, magenta around them: unused, normal, hover, pressed.
Canvas DrawButtonStrip(const SkinStyle& s, ButtonGlyph glyph)
{
    Canvas canvas(kButtonSize, kButtonSize * kStripImages, kMagenta);
    for (int state = kUnused; state <= kPressed; ++state) {
        const double y = state * kButtonSize;
        Rgb face = s.buttonFace;
        if (state == kHover)
            face = glyph == kGlyphQuit ? s.quitHover : s.buttonHover;
        const bool bPressed = state == kPressed;
        const Rgb top = bPressed ? Darker(face, 0.3) : Lighter(face, 0.35);
        const Rgb bottom = bPressed ? Lighter(face, 0.1) : Darker(face, 0.25);
        canvas.Disc(kButtonSize / 2.0, y + kButtonSize / 2.0, kButtonSize / 2.0 - 0.5, top, bottom, Darker(face, 0.55));
        const double nShift = bPressed ? 1 : 0;
        DrawGlyph(canvas, glyph, nShift, y + nShift, s.glyph);
    }
    return canvas;
}

struct IniWriter
{
    std::string text;
    void Section(const char* pszName) { text += std::string(text.empty() ? "" : "\r\n") + "[" + pszName + "]\r\n"; }
    void Value(const char* pszKey, unsigned long nValue) { text += std::string(pszKey) + "=" + std::to_string(nValue) + "\r\n"; }
    bool Write(const std::string& strPath) const { return WriteBytes(strPath, text.data(), text.size()); }
};

bool WriteSkinIni(const SkinStyle& s, const std::string& strPath)
{
    const int nButtonY = (s.nTop - kButtonSize) / 2;
    const int nQuitX = kScreenWidth - kButtonMargin - kButtonSize;
    IniWriter ini;
    ini.Section("Generalite");
    ini.Value("Ecran", ColorRef(s.screen));
    ini.Section("Menu");
    ini.Value("BTMenu_X", kButtonMargin);
    ini.Value("BTMenu_Y", nButtonY);
    ini.Value("BTMini_X", nQuitX - kButtonSize - 6);
    ini.Value("BTMini_Y", nButtonY);
    ini.Value("BTQuit_X", nQuitX);
    ini.Value("BTQuit_Y", nButtonY);
    // The launcher menu opens just below the menu button.
    ini.Value("Menu_X", kButtonMargin);
    ini.Value("Menu_Y", nButtonY + kButtonSize + 4);
    ini.Value("MenuCouleurFond", ColorRef(s.menuBack));
    ini.Value("MenuCouleurBord", ColorRef(s.menuBorder));
    ini.Value("MenuCouleurTxt", ColorRef(s.menuText));
    ini.Value("AccueilCouleurTxt", ColorRef(s.homeText));
    ini.Value("AccueilCouleurTxtGris", ColorRef(s.homeGrey));
    ini.Value("AccueilCouleurTxtSurvol", ColorRef(s.homeHover));
    ini.Value("AccueilCouleurTxtClic", ColorRef(s.homeClick));
    ini.Value("AccueilCouleurTxtTitre", ColorRef(s.homeTitle));
    return ini.Write(strPath);
}

// The video screen's layout for the sample application "Demo", inside the inner rectangle.
bool WriteLayoutIni(const SkinStyle& s, const std::string& strPath)
{
    const int nInnerBottom = kScreenHeight - s.nBottom;
    IniWriter ini;
    ini.Section("Video");
    ini.Value("Video_X", s.nLeft + 16);
    ini.Value("Video_Y", s.nTop + 12);
    ini.Value("Cadre Video", 1);
    ini.Section("Texte");
    ini.Value("Txt1_X0", s.nLeft + 16);
    ini.Value("Txt1_Y0", nInnerBottom - 60);
    ini.Value("Txt1_X1", kScreenWidth - s.nRight - 16);
    ini.Value("Txt1_Y1", nInnerBottom - 20);
    return ini.Write(strPath);
}

bool MakeSkins(const std::string& strRoot)
{
    for (const SkinStyle& s : kSkins) {
        const std::string strDir = strRoot + "/" + s.pszName + "/";
        ::mkdir(strDir.c_str(), 0755);
        bool bOk = DrawSide(s, true).WriteBmp(strDir + "Gauche.bmp") && DrawSide(s, false).WriteBmp(strDir + "Droit.bmp") &&
                   DrawTop(s).WriteBmp(strDir + "Haut.bmp") && DrawBottom(s).WriteBmp(strDir + "Bas.bmp") &&
                   DrawButtonStrip(s, kGlyphMenu).WriteBmp(strDir + "BtMenu.bmp") &&
                   DrawButtonStrip(s, kGlyphMini).WriteBmp(strDir + "BtMini.bmp") &&
                   DrawButtonStrip(s, kGlyphQuit).WriteBmp(strDir + "BtQuit.bmp") &&
                   WriteSkinIni(s, strDir + "Skin.ini") && WriteLayoutIni(s, strDir + "Demo.ini");
        if (!bOk) {
            std::fprintf(stderr, "cannot write the skin %s in %s\n", s.pszName, strDir.c_str());
            return false;
        }
    }
    return true;
}

// The hand: '#' black, '.' white, anything else transparent. The tip of the index finger
// is the hot spot (0, 0).
const char* const kHand[] = {
    "#####",
    "#...#",
    "#...#",
    "#...#",
    "#...#",
    "#...#",
    "#...####",
    "#...#...####",
    "#...#...#...####",
    "#...#...#...#...#",
    "#...#...#...#...#",
    "#...............#",
    "#...............#",
    "#...............#",
    "#...............###",
    "#...............#..#",
    "#...............#..#",
    "#..................#",
    "#.................#",
    "#................#",
    " #..............#",
    " #.............#",
    "  #...........#",
    "  #...........#",
    "  #############",
};
const int kCursorSize = 32;

bool MakeCursor(const std::string& strPath)
{
    const int nRows = sizeof(kHand) / sizeof(kHand[0]);
    const int nStride = kCursorSize / 8;
    std::vector<uint8_t> xorBits(nStride * kCursorSize, 0), andBits(nStride * kCursorSize, 0xFF);
    for (int y = 0; y < nRows; ++y) {
        const int nRow = kCursorSize - 1 - y;   // bottom-up
        for (int x = 0; kHand[y][x]; ++x) {
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            const char ch = kHand[y][x];
            if (ch == '#' || ch == '.')
                andBits[nRow * nStride + x / 8] &= static_cast<uint8_t>(~bit);
            if (ch == '.')
                xorBits[nRow * nStride + x / 8] |= bit;
        }
    }
    std::vector<uint8_t> out;
    const uint32_t nImageBytes = 40 + 2 * 4 + 2 * static_cast<uint32_t>(xorBits.size());
    PutLe(out, 0, 2);            // reserved
    PutLe(out, 2, 2);            // type: cursor
    PutLe(out, 1, 2);            // one image
    PutLe(out, kCursorSize, 1);
    PutLe(out, kCursorSize, 1);
    PutLe(out, 0, 1);            // colour count
    PutLe(out, 0, 1);
    PutLe(out, 0, 2);            // hot spot x
    PutLe(out, 0, 2);            // hot spot y
    PutLe(out, nImageBytes, 4);
    PutLe(out, 6 + 16, 4);       // the image follows the directory
    PutLe(out, 40, 4);
    PutLe(out, kCursorSize, 4);
    PutLe(out, kCursorSize * 2, 4); // the XOR and AND masks together
    PutLe(out, 1, 2);
    PutLe(out, 1, 2);
    for (int i = 0; i < 6; ++i)
        PutLe(out, 0, 4);
    PutLe(out, 0x00000000, 4);   // black
    PutLe(out, 0x00FFFFFF, 4);   // white
    out.insert(out.end(), xorBits.begin(), xorBits.end());
    out.insert(out.end(), andBits.begin(), andBits.end());
    return WriteBytes(strPath, out.data(), out.size());
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "skins") == 0)
        return MakeSkins(argv[2]) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "cursor") == 0)
        return MakeCursor(argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: SkinGenerator skins <SKINS folder> | cursor <file.cur>\n");
    return 2;
}
