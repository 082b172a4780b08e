#include "utf8.h"

#include <cstdint>
#include <cstring>

namespace humo::batch {

bool is_valid_utf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    while (p < end) {
        // Eight ASCII bytes at a time: nearly every byte of a scenario file.
        if (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if ((word & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;  // overlong
            if (lead == 0xED)
                high = 0x9F;  // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;  // overlong
            if (lead == 0xF4)
                high = 0x8F;  // beyond U+10FFFF
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += length;
    }
    return true;
}

}  // namespace humo::batch
