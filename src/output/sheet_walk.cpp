#include "output/sheet_walk.h"

std::vector<SheetPage> passPages(int across, int down, bool colour)
{
    std::vector<SheetPage> pages;
    for (int v = 1; v <= down; ++v)
        for (int h = across; h >= 1; --h)
            pages.push_back({ h, v, false, colour });
    pages.push_back({ across + 1, down < 1 ? 1 : down, true, colour });
    return pages;
}

std::vector<SheetPage> commandPages(int across, int down, bool colour, bool blackWhite)
{
    std::vector<SheetPage> pages;
    if (colour)
        pages = passPages(across, down, true);
    if (blackWhite) {
        const std::vector<SheetPage> bw = passPages(across, down, false);
        pages.insert(pages.end(), bw.begin(), bw.end());
    }
    return pages;
}
