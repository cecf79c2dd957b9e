#pragma once
// The parts of a DXF file that decide what is cut, gathered in one linear pass:
// the drawing units, the layers that are off or frozen, the block definitions
// and the entities of the ENTITIES section. Entities are kept as their group
// pairs (views into the file's text) and converted later, when every block
// they may insert is known.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/Result.h"
#include "dxf/DxfGroupReader.h"

namespace bw {

// One entity: its name (as written), its layer and space, and the group pairs
// after the name that carry geometry (codes 2, 10 to 74 and 210 to 230; texts,
// handles and styles are not kept).
struct DxfRecord {
    std::string_view name;    // "LINE", "LWPOLYLINE", ...
    std::string_view layer;   // code 8, empty when not given (layer "0")
    std::uint32_t line = 0;   // line of the name
    bool paperSpace = false;  // code 67 = 1
    std::size_t firstGroup = 0;
    std::size_t groupCount = 0;
};

// A kept pair in twelve bytes: drawings hold millions of them.
struct DxfPackedGroup {
    std::uint32_t offset = 0;  // of the value in the text
    std::uint32_t line = 0;    // of the value
    std::int16_t code = 0;
    std::uint16_t length = 0;  // of the value, at most 65535 (longer values are no numbers anyway)
};

struct DxfBlock {
    std::string_view name;
    double baseX = 0, baseY = 0, baseZ = 0;  // base point, drawing units
    std::size_t firstRecord = 0;
    std::size_t recordCount = 0;
    std::uint32_t line = 0;  // line of the block's name
};

struct DxfDocument {
    int insUnits = 0;                                         // $INSUNITS, 0 when unset
    std::unordered_set<std::string> hiddenLayers;             // off or frozen, names upper-cased
    std::string_view text;                                    // the file's text, which the pairs point into
    std::vector<DxfPackedGroup> groups;                       // every entity's kept pairs, in file order
    std::vector<DxfRecord> records;                           // block entities and then model entities
    std::vector<DxfBlock> blocks;                             // in file order
    std::unordered_map<std::string, std::size_t> blockIndex;  // upper-cased name -> blocks index
    std::size_t firstEntity = 0;                              // first record of the ENTITIES section
    std::size_t entityCount = 0;
    bool entitiesFound = false;

    DxfGroup unpack(const DxfPackedGroup& g) const {
        return DxfGroup{g.code, std::string_view(text.data() + g.offset, g.length), g.line};
    }
};

// Reads the sections of `text`. Errors name the line.
Result<DxfDocument> ReadDxfDocument(std::string_view text);

// ASCII upper case, for names compared without letter case.
std::string DxfUpper(std::string_view text);

}  // namespace bw
