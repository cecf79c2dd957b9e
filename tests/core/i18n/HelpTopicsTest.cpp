#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "Utf8Check.h"
#include "i18n/HelpTopics.h"

using namespace bw;
using bw::test::readFile;
namespace fs = std::filesystem;

namespace {

const fs::path kHelpDir = fs::path(BEAMWRIGHT_RESOURCES_DIR) / "help";

constexpr Instruction kInstructions[] = {Instruction::FocusPart1, Instruction::FocusPart2, Instruction::FocusPart3,
                                         Instruction::Greyscale};
constexpr InstructionPicture kPictures[] = {InstructionPicture::CoarseExample, InstructionPicture::FineExample};

std::set<std::string> referencedFiles() {
    std::set<std::string> files;
    for (const HelpTopic& topic : helpTopics()) { files.emplace(topic.fileName); }
    for (Instruction instruction : kInstructions) { files.emplace(instructionFile(instruction)); }
    for (InstructionPicture picture : kPictures) { files.emplace(instructionPictureFile(picture)); }
    return files;
}

// The text as the view shows it, one entry per line: tags removed, a line ending at each break, paragraph, item
// and heading end.
std::vector<std::string> visibleLines(const std::string& html) {
    std::string text = std::regex_replace(html, std::regex("<br>|</p>|</li>|</h3>|</ul>"), "\n");
    text = std::regex_replace(text, std::regex("<[^>]*>"), "");
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) { lines.push_back(line); }
    }
    return lines;
}

std::string heading(const std::string& html) {
    std::smatch match;
    return std::regex_search(html, match, std::regex("<h3>(.*?)</h3>")) ? match[1].str() : std::string();
}

}  // namespace

// Lookups by number index the table, so topic N must stand at place N.
TEST(HelpTopics, LookupsFindEachTopicAndControlOnce) {
    ASSERT_EQ(helpTopics().size(), static_cast<std::size_t>(kHelpTopicCount));
    for (std::size_t i = 0; i < helpTopics().size(); ++i) { EXPECT_EQ(helpTopics()[i].number, int(i) + 1); }
    for (int outside : {0, kHelpTopicCount + 1, -3}) { EXPECT_EQ(helpTopic(outside), nullptr) << outside; }
    std::set<std::string_view> names;
    for (const HelpControl& control : helpControls()) {
        EXPECT_TRUE(names.insert(control.objectName).second) << control.objectName << " listed twice";
        EXPECT_NE(helpTopic(control.topic), nullptr) << control.objectName;
    }
    EXPECT_EQ(helpTopicFor(""), 0);
    EXPECT_EQ(helpTopicFor("sbodxf"), 0);  // objectNames are case-sensitive
}

// Every page the help shows: UTF-8, tags the rich-text view shows, lines that fit without word wrap;
// a topic page: its title first, one explanation and the close line.
TEST(HelpTopics, EveryPageShowsWellInTheHelpViews) {
    const std::set<std::string> allowed = {"h3", "p", "b", "i", "ul", "li", "br", "img"};
    std::map<std::string, std::string_view> titles;
    for (const HelpTopic& topic : helpTopics()) { titles[std::string(topic.fileName)] = topic.title; }
    for (const auto& item : fs::directory_iterator(kHelpDir)) {
        if (item.path().extension() != ".html") { continue; }
        SCOPED_TRACE(item.path().filename().string());
        std::string html = readFile(item.path());
        EXPECT_TRUE(isWellFormedUtf8(html));
        // The view would show a line end after the last tag as a trailing space of the last line.
        ASSERT_FALSE(html.empty());
        EXPECT_EQ(html.back(), '>');
        std::regex tag("</?([a-zA-Z0-9]+)[^>]*>");
        for (auto it = std::sregex_iterator(html.begin(), html.end(), tag); it != std::sregex_iterator(); ++it) {
            EXPECT_TRUE(allowed.count((*it)[1].str())) << (*it)[0].str();
        }
        // The popup grows to the widest line and the instruction views are about 1000 pixels wide.
        auto title = titles.find(item.path().filename().string());
        std::size_t widest = title != titles.end() ? 72 : 110;
        auto lines = visibleLines(html);
        for (const std::string& line : lines) { EXPECT_LE(line.size(), widest) << line; }
        if (title == titles.end()) { continue; }
        EXPECT_EQ(html.rfind("<h3>", 0), 0u) << "the heading comes first";
        EXPECT_EQ(heading(html), title->second);
        const std::regex paragraph("<p>");
        auto paragraphs =
            std::distance(std::sregex_iterator(html.begin(), html.end(), paragraph), std::sregex_iterator());
        EXPECT_EQ(paragraphs, 2) << "one explanation and the close line";
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines.back(), "Click to close");
    }
}

TEST(HelpTopics, EveryResourceFileIsReferencedAndListedInTheResourceFile) {
    std::set<std::string> referenced = referencedFiles();
    std::set<std::string> present;
    for (const auto& item : fs::directory_iterator(kHelpDir)) {
        if (item.path().extension() == ".html" || item.path().extension() == ".png") {
            present.insert(item.path().filename().string());
        }
    }
    EXPECT_EQ(present, referenced);

    std::string qrc = readFile(kHelpDir / "help.qrc");
    EXPECT_NE(qrc.find("<qresource prefix=\"/help\">"), std::string::npos);
    EXPECT_EQ(kHelpResourcePrefix, ":/help/");
    std::set<std::string> listed;
    std::regex file("<file>([^<]*)</file>");
    for (auto it = std::sregex_iterator(qrc.begin(), qrc.end(), file); it != std::sregex_iterator(); ++it) {
        EXPECT_TRUE(listed.insert((*it)[1].str()).second) << (*it)[1].str() << " listed twice";
    }
    EXPECT_EQ(listed, referenced);
}
