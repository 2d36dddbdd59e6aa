#include "platform/text.h"

namespace platform {

Text from_utf8(std::string_view in)
{
    Text out;
    for (size_t i = 0; i < in.size();) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        char32_t code = c;
        int extra = 0;
        if (c >= 0xF0) code = c & 0x07, extra = 3;
        else if (c >= 0xE0) code = c & 0x0F, extra = 2;
        else if (c >= 0xC0) code = c & 0x1F, extra = 1;
        ++i;
        for (int k = 0; k < extra && i < in.size(); ++k, ++i) code = (code << 6) | (in[i] & 0x3F);
        if (code >= 0x10000) {
            code -= 0x10000;
            out += char16_t(0xD800 + (code >> 10));
            out += char16_t(0xDC00 + (code & 0x3FF));
        } else {
            out += char16_t(code);
        }
    }
    return out;
}

std::string to_utf8(const Text& in)
{
    std::string out;
    for (size_t i = 0; i < in.size(); ++i) {
        char32_t code = in[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < in.size())
            code = 0x10000 + ((code - 0xD800) << 10) + (in[++i] - 0xDC00);
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
    return out;
}

}  // namespace platform
