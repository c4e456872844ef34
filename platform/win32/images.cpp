// The module's pictures are XPM text; here they become icons, whose mask keeps "None" clear.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {

struct Decoded {
    HICON icon = nullptr;
    SIZE size{0, 0};
};

// 0xAARRGGBB by pixel, row by row; empty when the text is not an XPM this reader knows.
std::vector<std::uint32_t> decodeXpm(const char* const* xpm, int& width, int& height) {
    int colours = 0;
    int perPixel = 0;
    if (xpm == nullptr ||
        std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4 ||
        width <= 0 || height <= 0 || width > 256 || height > 256 || colours <= 0 || perPixel <= 0 ||
        perPixel > 2) {
        return {};
    }
    std::map<std::string, std::uint32_t> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string line = xpm[i];
        if (line.size() < static_cast<std::size_t>(perPixel)) {
            return {};
        }
        const std::string key = line.substr(0, static_cast<std::size_t>(perPixel));
        const std::size_t c = line.find(" c ", static_cast<std::size_t>(perPixel) - 1);
        const std::string value = c == std::string::npos ? "" : line.substr(c + 3);
        std::uint32_t colour = 0;  // None and unknown names stay clear
        if (value.size() >= 7 && value[0] == '#') {
            colour = 0xFF000000u | static_cast<std::uint32_t>(
                                       std::strtoul(value.substr(1, 6).c_str(), nullptr, 16));
        } else if (value.rfind("black", 0) == 0) {
            colour = 0xFF000000u;
        } else if (value.rfind("white", 0) == 0) {
            colour = 0xFFFFFFFFu;
        }
        palette[key] = colour;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), 0);
    for (int y = 0; y < height; ++y) {
        const std::string row = xpm[1 + colours + y];
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(x * perPixel);
            if (at + static_cast<std::size_t>(perPixel) > row.size()) {
                break;
            }
            const auto found = palette.find(row.substr(at, static_cast<std::size_t>(perPixel)));
            pixels[static_cast<std::size_t>(y * width + x)] =
                found != palette.end() ? found->second : 0;
        }
    }
    return pixels;
}

HICON makeIcon(const std::vector<std::uint32_t>& pixels, int width, int height) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = width;
    header.bV5Height = -height;  // top-down
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (colour == nullptr) {
        return nullptr;
    }
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    // The mask: set where the picture is clear.
    const int stride = ((width + 15) / 16) * 2;
    std::vector<unsigned char> maskBits(static_cast<std::size_t>(stride * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[static_cast<std::size_t>(y * width + x)] >> 24) == 0) {
                maskBits[static_cast<std::size_t>(y * stride + x / 8)] |=
                    static_cast<unsigned char>(0x80 >> (x % 8));
            }
        }
    }
    HBITMAP mask = CreateBitmap(width, height, 1, 1, maskBits.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

const Decoded* decoded(std::string_view name) {
    // Kept for the whole run, like the module's own resources.
    static auto* cache = new std::map<std::string_view, Decoded>;
    for (const ImageResource& image : moduleResources().images) {
        if (!sameResourceName(image.name, name)) {
            continue;
        }
        auto found = cache->find(image.name);
        if (found == cache->end()) {
            Decoded d;
            int width = 0;
            int height = 0;
            const std::vector<std::uint32_t> pixels = decodeXpm(image.xpm, width, height);
            if (!pixels.empty()) {
                d.icon = makeIcon(pixels, width, height);
                d.size = {width, height};
            }
            found = cache->emplace(image.name, d).first;
        }
        return &found->second;
    }
    return nullptr;
}

}  // namespace

HICON moduleIcon(std::string_view name) {
    const Decoded* d = decoded(name);
    return d != nullptr ? d->icon : nullptr;
}

SIZE moduleIconSize(std::string_view name) {
    const Decoded* d = decoded(name);
    return d != nullptr ? d->size : SIZE{0, 0};
}

}  // namespace quorvel::platform::win32
