// Guards the data Tallyvane ships beside its binaries: the sounds, the icon strips and the help.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "model/DateTime.h"
#include "store/EventTypeTable.h"

namespace fs = std::filesystem;

namespace {

// The shipped files live in data/ of the source tree; TALLYVANE_TEST_DATA is tests/data.
fs::path DataFolder() { return (fs::path(TALLYVANE_TEST_DATA) / ".." / ".." / "data").lexically_normal(); }

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Number(const std::string& bytes, size_t at, int width, bool bigEndian = false) {
    uint32_t v = 0;
    for (int i = 0; i < width; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + (bigEndian ? i : width - 1 - i)]);
    return v;
}

// The length in seconds of a 16-bit mono PCM WAV at 22050 or 44100 Hz, or why it is not one.
// Every chunk size is checked against what is left, as a player would.
std::string ReadWav(const fs::path& path, double& seconds) {
    const std::string b = ReadFile(path);
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return "no RIFF/WAVE header";
    if (Number(b, 4, 4) + 8 != b.size()) return "RIFF length disagrees with the file length";
    uint32_t byteRate = 0, dataBytes = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const uint32_t size = Number(b, at + 4, 4);
        if (size > b.size() - at - 8) return "chunk '" + id + "' runs past the end";
        if (id == "fmt " && size >= 16) {
            const uint32_t rate = Number(b, at + 12, 4);
            byteRate = Number(b, at + 16, 4);
            if (Number(b, at + 8, 2) != 1 || Number(b, at + 10, 2) != 1 || Number(b, at + 22, 2) != 16 ||
                Number(b, at + 20, 2) != 2 || (rate != 22050 && rate != 44100) || byteRate != rate * 2)
                return "not 16-bit mono PCM at 22050 or 44100 Hz";
        } else if (id == "data") {
            dataBytes = size;
        }
        at += 8 + size + (size & 1);
    }
    if (byteRate == 0 || dataBytes == 0) return "format or data chunk missing";
    seconds = static_cast<double>(dataBytes) / byteRate;
    return "";
}

// Relative links and images of one HTML page (anchors and web addresses left out).
std::vector<std::string> LocalLinks(const std::string& html) {
    static const std::regex kLink(R"re((?:href|src)\s*=\s*"([^"#]+)(?:#[^"]*)?")re", std::regex::icase);
    std::vector<std::string> links;
    for (std::sregex_iterator it(html.begin(), html.end(), kLink), end; it != end; ++it) {
        const std::string target = (*it)[1];
        if (target.find(':') == std::string::npos) links.push_back(target);
    }
    return links;
}

const char* const kSounds[] = {"Chime.WAV", "Sen.WAV", "Alarm.wav", "Bell.wav", "Ding.wav", "Gentle.wav"};

}  // namespace

TEST(ShippedData, SoundsArePlainPcmOfSensibleLength) {
    for (const char* name : kSounds) {
        const fs::path path = DataFolder() / "Sound" / name;
        double seconds = 0;
        EXPECT_EQ(ReadWav(path, seconds), "") << name;
        EXPECT_GT(seconds, 0.3) << name;
        EXPECT_LT(seconds, std::string(name) == "Ding.wav" ? 1.0 : 4.0) << name;
        std::error_code error;
        EXPECT_LT(fs::file_size(path, error), 200u * 1024u) << name;
    }
}

TEST(ShippedData, DefaultEventTypesOnlyNameShippedSounds) {
    // Linux file names are case-sensitive, so the type's spelling must match the file's exactly.
    const auto types = tv::DefaultEventTypes(tv::DateTime::FromParts(2027, 3, 5, 9, 0, 0));
    ASSERT_FALSE(types.empty());
    for (const tv::CEventType& t : types) {
        if (t.GetSound().empty()) continue;
        EXPECT_TRUE(fs::is_regular_file(DataFolder() / "Sound" / t.GetSound()))
            << t.GetName() << " plays " << t.GetSound() << ", which is not shipped";
    }
}

TEST(ShippedData, IconStripsHaveTheSizesTheProgramCutsThemBy) {
    const std::tuple<const char*, uint32_t, uint32_t> expected[] = {
        {"app.png", 256, 256},        {"app-32.png", 32, 32},      {"tray.png", 32, 32},
        {"types-small.png", 256, 16}, {"types-large.png", 512, 32}, {"status.png", 64, 16},
        {"recurrence.png", 16, 16},   {"sound.png", 16, 16},
    };
    for (const auto& [name, width, height] : expected) {
        // The size comes from the IHDR chunk, which a valid PNG must carry first.
        const std::string b = ReadFile(DataFolder() / "icons" / name);
        ASSERT_TRUE(b.size() > 33 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && b.compare(12, 4, "IHDR") == 0)
            << name;
        EXPECT_EQ(Number(b, 16, 4, true), width) << name;
        EXPECT_EQ(Number(b, 20, 4, true), height) << name;
        EXPECT_TRUE(b[25] == 4 || b[25] == 6) << name << " needs a transparent background";
    }
}

TEST(ShippedData, ResourceFileListsEveryIconThatExists) {
    const std::string qrc = ReadFile(DataFolder() / "icons" / "icons.qrc");
    static const std::regex kEntry(R"re(<file\s+alias="([^"]+)"\s*>([^<]+)</file>)re");
    std::set<std::string> aliases;
    for (std::sregex_iterator it(qrc.begin(), qrc.end(), kEntry), end; it != end; ++it) {
        EXPECT_EQ((*it)[1], (*it)[2]) << "aliases are the plain file names";
        EXPECT_TRUE(fs::is_regular_file(DataFolder() / "icons" / std::string((*it)[2]))) << (*it)[2];
        aliases.insert((*it)[1]);
    }
    EXPECT_EQ(aliases.size(), 14u);  // eight pictures and six of them at twice the size
    EXPECT_NE(qrc.find("prefix=\"/icons\""), std::string::npos);
}

TEST(ShippedData, EveryHelpLinkLeadsToAShippedFile) {
    const fs::path help = DataFolder() / "help";
    const fs::path index = help / "index.html";
    const std::vector<std::string> fromIndex = LocalLinks(ReadFile(index));
    EXPECT_GE(fromIndex.size(), 13u) << "the contents list every topic";

    // Follow the pages the index reaches, so a broken link on any page is caught too.
    std::set<fs::path> seen;
    std::vector<fs::path> pending = {index};
    while (!pending.empty()) {
        const fs::path page = pending.back();
        pending.pop_back();
        if (!seen.insert(page).second) continue;
        for (const std::string& link : LocalLinks(ReadFile(page))) {
            const fs::path target = (page.parent_path() / link).lexically_normal();
            ASSERT_TRUE(fs::is_regular_file(target)) << page.filename() << " links to missing " << link;
            const std::string ext = target.extension().string();
            if (ext == ".htm" || ext == ".html") pending.push_back(target);
        }
    }
    EXPECT_TRUE(seen.count((help / "html" / "preference.htm").lexically_normal()))
        << "the Preferences sheet's Help button opens this page; the contents should reach it too";
}
