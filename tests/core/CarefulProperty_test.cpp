// Careful reading against generated addresses: every repairable damage of
// a link reads back to its address, every unrepairable one fails, and no
// damage ever gives another address.

#include "CarefulEncode.h"
#include "CarefulRead.h"
#include "NumberedError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace velkrant::CarefulRead {
namespace {

using CarefulEncode::PayloadCharset;

enum class Kind { Ascii, GbkChinese, OutsideGbk };

std::u16string Pick(std::mt19937& random, std::u16string_view choices, int count) {
    std::u16string picked;
    for (int i = 0; i < count; ++i) {
        // A surrogate pair is picked whole: choices hold pairs at even places.
        std::size_t at = std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random);
        if (at > 0 && choices[at] >= 0xDC00 && choices[at] <= 0xDFFF) --at;
        picked += choices.substr(at, CodePageNative::CharacterLengthAt(choices, at));
    }
    return picked;
}

// An address of `kind`. It ends in a file extension, as addresses do: one
// that ended in "Z" could lose a character to a cut Thunder link unseen.
std::u16string GeneratedAddress(std::mt19937& random, Kind kind) {
    static constexpr std::u16string_view kAscii = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~/?=&%+";
    static constexpr std::u16string_view kChinese = u"迅雷下载视频第集电影音乐软件文件压缩中文地址网站高清";
    static constexpr std::u16string_view kOutside = u"한국어노래😀🎬🎵ㅎ";
    std::uniform_int_distribution<int> length(1, 24);
    std::u16string address = u"http://dl.example.com/";
    address += Pick(random, kAscii, length(random));
    if (kind == Kind::GbkChinese) address += Pick(random, kChinese, length(random));
    if (kind == Kind::OutsideGbk) address += Pick(random, kOutside, length(random));
    return address + u".zip";
}

std::string Encoded(ConversionMode mode, const std::u16string& address, Kind kind) {
    const PayloadCharset charset = kind == Kind::OutsideGbk ? PayloadCharset::Utf8 : PayloadCharset::CodePage;
    return CodePage::TextToUtf8(CarefulEncode::Encode(mode, address, charset));
}

// Where the Base64 data of a link lies: after "://", before padding or a
// FlashGet number.
std::size_t DataBegin(const std::string& link) { return link.find("://") + 3; }
std::size_t DataEnd(const std::string& link) { return std::min({link.find('='), link.find('&'), link.size()}); }

using Damage = std::function<std::string(const std::string& link, std::mt19937& random)>;

std::size_t InsideData(const std::string& link, std::mt19937& random) {
    return std::uniform_int_distribution<std::size_t>(DataBegin(link) + 1, DataEnd(link) - 1)(random);
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

const std::vector<std::pair<const char*, Damage>> kRepairable{
    {"wrapped in prose punctuation",
     [](const std::string& link, std::mt19937& random) {
         static const char* const kWraps[][2] = {{"(", ")."}, {"「", "」。"}, {"\"", "\"，"}, {"\u3000", "！"}, {"<", ">"}};
         const auto& wrap = kWraps[std::uniform_int_distribution<int>(0, 4)(random)];
         return wrap[0] + link + wrap[1];
     }},
    {"a space where the line wrapped",
     [](const std::string& link, std::mt19937& random) {
         std::string damaged = link;
         return damaged.insert(InsideData(link, random), random() % 2 ? " " : "\u200B");
     }},
    {"the scheme in capitals",
     [](const std::string& link, std::mt19937&) {
         std::string damaged = link;
         for (std::size_t i = 0; i < DataBegin(link); ++i) damaged[i] = static_cast<char>(std::toupper(damaged[i]));
         return damaged;
     }},
    {"percent-encoded",
     [](const std::string& link, std::mt19937&) {
         const std::string head = link.substr(0, DataBegin(link));
         const std::string rest = Replaced(Replaced(Replaced(link.substr(head.size()), "+", "%2B"), "/", "%2F"), "=", "%3D");
         return Replaced(head, "://", "%3A%2F%2F") + rest;
     }},
    {"the URL-safe alphabet",
     [](const std::string& link, std::mt19937&) {
         const std::string head = link.substr(0, DataBegin(link));
         return head + Replaced(Replaced(link.substr(head.size()), "+", "-"), "/", "_");
     }},
    {"no padding", [](const std::string& link, std::mt19937&) { return Replaced(link, "=", ""); }},
    {"inside prose", [](const std::string& link, std::mt19937&) { return "下载地址：" + link + " 请用客户端"; }},
};

const std::vector<std::pair<const char*, Damage>> kUnrepairable{
    {"a foreign character inside",
     [](const std::string& link, std::mt19937& random) {
         std::string damaged = link;
         return damaged.insert(InsideData(link, random), random() % 2 ? "*" : "，");
     }},
    {"a character lost",
     [](const std::string& link, std::mt19937& random) {
         std::string damaged = link;
         return damaged.erase(InsideData(link, random), 1);
     }},
};

TEST(CarefulPropertyTest, DamageReadsBackOrFailsNeverAnotherAddress) {
    std::mt19937 random(20);
    int checked = 0;
    for (int round = 0; round < 60; ++round) {
        for (Kind kind : {Kind::Ascii, Kind::GbkChinese, Kind::OutsideGbk}) {
            if (kind == Kind::GbkChinese && !test::RunsUnderGbk()) continue;
            const std::u16string address = GeneratedAddress(random, kind);
            const std::string expected = CodePage::TextToUtf8(address);
            for (ConversionMode mode : {ModeThunderEncode, ModeFlashgetEncode, ModeQqdlEncode}) {
                const std::string link = Encoded(mode, address, kind);
                for (const auto& [name, damage] : kRepairable) {
                    const std::string damaged = damage(link, random);
                    std::u16string read;
                    const auto error = test::ErrorRaisedBy([&] { read = ConvertLine(ModeAuto, LinkText::AsBytes(damaged)); });
                    ASSERT_FALSE(error) << name << ": " << damaged << "\n  " << CodePage::TextToUtf8(error->Description());
                    ASSERT_EQ(CodePage::TextToUtf8(read), expected) << name << ": " << damaged;
                    ++checked;
                }
                for (const auto& [name, damage] : kUnrepairable) {
                    // A QQ Xuanfeng link has no markers to show a lost character.
                    if (mode == ModeQqdlEncode && std::string_view(name) == "a character lost") continue;
                    const std::string damaged = damage(link, random);
                    std::u16string read;
                    const auto error = test::ErrorRaisedBy([&] { read = ConvertLine(ModeAuto, LinkText::AsBytes(damaged)); });
                    ASSERT_TRUE(error) << name << ": " << damaged << " read as " << CodePage::TextToUtf8(read);
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

}  // namespace
}  // namespace velkrant::CarefulRead
