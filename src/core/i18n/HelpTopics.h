#pragma once
// What help mode shows: the 49 help topics, which control carries which topic,
// and the instruction texts and pictures of the calibration windows. The texts
// themselves are HTML files in resources/help/, compiled into the window from
// resources/help/help.qrc under the prefix kHelpResourcePrefix.

#include <span>
#include <string_view>

namespace bw {

inline constexpr std::string_view kHelpResourcePrefix = ":/help/";
inline constexpr int kHelpTopicCount = 50;

struct HelpTopic {
    int number;                 // 1..49, the help-context number of the controls that carry it
    std::string_view title;     // the heading of the topic's text
    std::string_view fileName;  // its HTML file in resources/help/
};

// A control that shows a topic when it is clicked in help mode.
struct HelpControl {
    std::string_view objectName;  // the Qt objectName of the control
    int topic;                    // 1..49
};

// Topics 1..49 in order (element i is topic i + 1).
std::span<const HelpTopic> helpTopics();

// The topic with this number, or nullptr outside 1..49.
const HelpTopic* helpTopic(int number);

// Every control that carries a topic. Topic 26 has no control.
std::span<const HelpControl> helpControls();

// The topic number of a control, or 0 when it carries none (help mode then shows nothing).
int helpTopicFor(std::string_view objectName);

// The texts of the two instruction windows: three parts of the focus instruction, shown one below the other with
// the two example pictures between them, and the greyscale instruction.
enum class Instruction { FocusPart1, FocusPart2, FocusPart3, Greyscale };
std::string_view instructionFile(Instruction instruction);

// The example pictures of the focus instruction: after part 1 the coarse pattern as engraved, after part 2 the fine
// pattern with the chosen dot marked.
enum class InstructionPicture { CoarseExample, FineExample };
std::string_view instructionPictureFile(InstructionPicture picture);

}  // namespace bw
