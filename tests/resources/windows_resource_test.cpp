// The Windows resource script, compiled by the MinGW resource compiler: the
// version block's fields, the pictures 101 to 104 and the icon group.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "run/distribution.h"

namespace {

struct Resource {
    std::uint16_t type, name;
    std::string data;
};

std::uint32_t u32(const std::string& b, size_t at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t u16(const std::string& b, size_t at)
{
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// A .res file: entries of data size, header size, type and name (numbered
// ones as 0xFFFF then the number), then the data, each on a 4-byte boundary.
std::vector<Resource> read_res(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(file)), {});
    std::vector<Resource> out;
    for (size_t at = 0; at + 8 <= b.size();) {
        const std::uint32_t data_size = u32(b, at), header_size = u32(b, at + 4);
        Resource r{0, 0, {}};
        if (u16(b, at + 8) == 0xFFFF) r.type = u16(b, at + 10);
        if (u16(b, at + 12) == 0xFFFF) r.name = u16(b, at + 14);
        r.data = b.substr(at + header_size, data_size);
        if (data_size) out.push_back(r);
        at += (header_size + data_size + 3) & ~size_t(3);
    }
    return out;
}

std::string utf16(const std::string& ascii)
{
    std::string out;
    for (char c : ascii) out += c, out += '\0';
    return out;
}

constexpr std::uint16_t rt_icon = 3, rt_bitmap = 2, rt_group_icon = 14, rt_version = 16;

}  // namespace

TEST(WindowsResources, VersionBlock)
{
    const auto resources = read_res(VARENDO_RES);
    const Resource* version = nullptr;
    for (const Resource& r : resources)
        if (r.type == rt_version) version = &r;
    ASSERT_NE(version, nullptr);
    const std::string& v = version->data;

    const size_t fixed = v.find("\xBD\x04\xEF\xFE");  // VS_FIXEDFILEINFO signature
    ASSERT_NE(fixed, std::string::npos);
    // The project's version, as the build defines it: major.minor.patch.0.
    const std::uint32_t high = (VARENDO_VERSION_MAJOR << 16) | VARENDO_VERSION_MINOR;
    const std::uint32_t low = std::uint32_t(VARENDO_VERSION_PATCH) << 16;
    EXPECT_EQ(u32(v, fixed + 8), high);  // file version
    EXPECT_EQ(u32(v, fixed + 12), low);
    EXPECT_EQ(u32(v, fixed + 16), high);  // product version
    EXPECT_EQ(u32(v, fixed + 20), low);

    const std::pair<const char*, const char*> fields[] = {
        {"FileVersion", VARENDO_VERSION_SHORT}, {"ProductVersion", VARENDO_VERSION_SHORT},
        {"ProductName", "Varendo"},    {"InternalName", "Varendo"},
        {"OriginalFilename", "Varendo.exe"},
    };
    for (const auto& [key, value] : fields) {
        SCOPED_TRACE(key);
        const size_t at = v.find(utf16(key) + std::string(2, '\0'));
        ASSERT_NE(at, std::string::npos);
        // The value follows its key, after padding to a 4-byte boundary.
        const size_t value_at = v.find(utf16(value) + std::string(2, '\0'), at);
        ASSERT_NE(value_at, std::string::npos);
        EXPECT_LE(value_at - at, utf16(key).size() + 6);
    }
    EXPECT_NE(v.find(utf16("040904B0")), std::string::npos);  // US English, Unicode
    const size_t translation = v.find(utf16("Translation"));
    ASSERT_NE(translation, std::string::npos);
    EXPECT_NE(v.find(std::string("\x09\x04\xB0\x04", 4), translation), std::string::npos);
}

TEST(WindowsResources, PicturesAndIcon)
{
    const auto resources = read_res(VARENDO_RES);
    std::map<int, std::pair<int, int>> bitmaps;
    int icons = 0, groups = 0;
    for (const Resource& r : resources) {
        if (r.type == rt_bitmap) bitmaps[r.name] = {int(u32(r.data, 4)), int(u32(r.data, 8))};
        icons += r.type == rt_icon;
        groups += r.type == rt_group_icon;
    }
    using run::DistributionId;
    const auto number = [](DistributionId id) { return run::describe(id).picture; };
    const std::map<int, std::pair<int, int>> expected = {{number(DistributionId::chi_square), {238, 64}},
                                                         {number(DistributionId::f), {300, 72}},
                                                         {number(DistributionId::normal), {359, 65}},
                                                         {number(DistributionId::t), {305, 71}}};
    EXPECT_EQ(bitmaps, expected);
    EXPECT_EQ(groups, 1);
    EXPECT_EQ(icons, 3);
}
