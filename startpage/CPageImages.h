#pragma once
// The pictures of one page, each file decoded once however often the page shows it, within
// the page's budget of HTML_MAX_IMAGES files and HTML_MAX_IMAGE_PIXELS pixels.
#include "startpage/CWicImage.h"
#include <memory>
#include <string>
#include <vector>

class CPageImages
{
public:
    // The picture of a file (a full path), or -1 when it cannot be shown.
    int Load(const std::string& strPath);
    const CWicImage& Image(int nImage) const { return *m_images[static_cast<size_t>(nImage)]; }

private:
    std::vector<std::pair<std::string, int>> m_paths;   // every path asked for, and its picture
    std::vector<std::unique_ptr<CWicImage>> m_images;
    long long m_nPixels = 0;
};
