#include "dxf/DxfDocument.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace bw {

std::string DxfUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') { c = static_cast<char>(c - 'a' + 'A'); }
    }
    return out;
}

namespace {

std::optional<long long> wholeNumber(std::string_view text) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) { return std::nullopt; }
    return value;
}

enum class Section { None, Header, Tables, Blocks, Entities, Other };

class DocumentReader {
public:
    explicit DocumentReader(std::string_view text) : groups_(text) {
        // About one kept pair per 20 bytes in drawings written by CAD programs.
        doc_.text = text;
        doc_.groups.reserve(text.size() / 16);
        doc_.records.reserve(text.size() / 256);
    }

    Result<DxfDocument> run() {
        DxfGroup g;
        while (groups_.next(g)) {
            // The hot path: the pairs of an open entity.
            if (g.code != 0 && recordOpen_) {
                keep(g);
                continue;
            }
            Status handled = handle(g);
            if (!handled) { return Error{handled.error()}; }
            if (finished_) { break; }
        }
        if (!groups_.error().empty()) { return Error{groups_.error()}; }
        closeRecord();
        closeBlock();
        if (section_ == Section::Entities) { doc_.entityCount = doc_.records.size() - doc_.firstEntity; }
        return std::move(doc_);
    }

private:
    // Layer and space go into the record; of the rest only what geometry needs.
    void keep(const DxfGroup& g) {
        if (g.code == 8) {
            record_.layer = g.value;
        } else if (g.code == 67) {
            record_.paperSpace = g.value == "1";
        } else if (g.code == 2 || (g.code >= 10 && g.code <= 74 && !(lineRecord_ && modelSpace_ && g.code >= 30)) ||
                   (g.code >= 210 && g.code <= 230 && !lineRecord_)) {
            doc_.groups.push_back(
                DxfPackedGroup{static_cast<std::uint32_t>(g.value.data() - doc_.text.data()), g.line,
                               static_cast<std::int16_t>(g.code),
                               static_cast<std::uint16_t>(std::min<std::size_t>(g.value.size(), 65535))});
        }
    }

    Status handle(const DxfGroup& g) {
        if (g.code == 0) {
            if (expectSectionName_) { return Error{DxfLineLabel(g.line) + "a section name is missing"}; }
            return structure(g);
        }
        if (expectSectionName_) {
            expectSectionName_ = false;
            if (g.code != 2) { return Error{DxfLineLabel(g.line) + "a section name is missing"}; }
            if (IsDxfName(g.value, "HEADER")) {
                section_ = Section::Header;
            } else if (IsDxfName(g.value, "TABLES")) {
                section_ = Section::Tables;
            } else if (IsDxfName(g.value, "BLOCKS")) {
                section_ = Section::Blocks;
            } else if (IsDxfName(g.value, "ENTITIES")) {
                section_ = Section::Entities;
                doc_.entitiesFound = true;
                doc_.firstEntity = doc_.records.size();
            } else {
                section_ = Section::Other;
            }
            return success();
        }
        switch (section_) {
            case Section::Header: return headerValue(g);
            case Section::Tables: return tableValue(g);
            case Section::Blocks:
                if (inBlockHeader_) { return blockHeaderValue(g); }
                [[fallthrough]];
            case Section::Entities:
                if (recordOpen_) { keep(g); }
                return success();
            default: return success();
        }
    }

    // A code 0 pair: a section boundary, a table entry, a block boundary or an entity.
    Status structure(const DxfGroup& g) {
        closeRecord();
        inLayer_ = false;
        if (IsDxfName(g.value, "SECTION")) {
            closeBlock();
            finishEntities();
            expectSectionName_ = true;
            return success();
        }
        if (IsDxfName(g.value, "ENDSEC")) {
            closeBlock();
            finishEntities();
            section_ = Section::None;
            return success();
        }
        if (IsDxfName(g.value, "EOF")) {
            finished_ = true;
            return success();
        }
        switch (section_) {
            case Section::Tables:
                if (IsDxfName(g.value, "LAYER")) {
                    inLayer_ = true;
                    layer_ = {};
                }
                return success();
            case Section::Blocks:
                if (IsDxfName(g.value, "BLOCK")) {
                    closeBlock();
                    inBlock_ = true;
                    inBlockHeader_ = true;
                    block_ = DxfBlock{};
                    block_.line = g.line;
                    return success();
                }
                if (IsDxfName(g.value, "ENDBLK")) {
                    closeBlock();
                    return success();
                }
                if (inBlockHeader_) {
                    inBlockHeader_ = false;
                    block_.firstRecord = doc_.records.size();
                }
                if (!inBlock_) { return success(); }
                openRecord(g);
                return success();
            case Section::Entities: openRecord(g); return success();
            default: return success();
        }
    }

    void openRecord(const DxfGroup& g) {
        record_ = DxfRecord{};
        record_.name = g.value;
        record_.line = g.line;
        record_.firstGroup = doc_.groups.size();
        recordOpen_ = true;
        // A LINE's points are in world coordinates: its extrusion changes nothing that is
        // cut, nor does its Z outside blocks (only an insert can turn Z into the XY plane).
        lineRecord_ = IsDxfName(g.value, "LINE");
        modelSpace_ = section_ == Section::Entities;
    }

    void closeRecord() {
        if (!recordOpen_) { return; }
        record_.groupCount = doc_.groups.size() - record_.firstGroup;
        doc_.records.push_back(record_);
        recordOpen_ = false;
    }

    void closeBlock() {
        if (!inBlock_) { return; }
        if (inBlockHeader_) { block_.firstRecord = doc_.records.size(); }
        block_.recordCount = doc_.records.size() - block_.firstRecord;
        std::string key = DxfUpper(block_.name);
        // A later definition of the same name replaces an earlier one.
        doc_.blockIndex[key] = doc_.blocks.size();
        doc_.blocks.push_back(block_);
        inBlock_ = false;
        inBlockHeader_ = false;
    }

    void finishEntities() {
        if (section_ == Section::Entities) { doc_.entityCount = doc_.records.size() - doc_.firstEntity; }
    }

    Status blockHeaderValue(const DxfGroup& g) {
        auto number = [&](double& target) -> Status {
            std::optional<double> v = DxfDouble(g.value);
            if (!v || !std::isfinite(*v)) {
                return Error{DxfLineLabel(g.line) + DxfQuoted(g.value) + " is not a number"};
            }
            target = *v;
            return success();
        };
        switch (g.code) {
            case 2: block_.name = g.value; return success();
            case 10: return number(block_.baseX);
            case 20: return number(block_.baseY);
            case 30: return number(block_.baseZ);
            default: return success();
        }
    }

    Status headerValue(const DxfGroup& g) {
        if (g.code == 9) {
            headerVariable_ = g.value;
            return success();
        }
        if (g.code == 70 && IsDxfName(headerVariable_, "$INSUNITS")) {
            std::optional<long long> units = wholeNumber(g.value);
            if (!units) { return Error{DxfLineLabel(g.line) + DxfQuoted(g.value) + " is not a whole number"}; }
            doc_.insUnits = static_cast<int>(std::clamp<long long>(*units, -1, 1000));
        }
        return success();
    }

    // LAYER entries: name (2), flags (70, 1 = frozen), colour (62, negative = off).
    Status tableValue(const DxfGroup& g) {
        if (!inLayer_) { return success(); }
        switch (g.code) {
            case 2: layer_.name = g.value; break;
            case 70:
                if (auto flags = wholeNumber(g.value)) { layer_.frozen = (*flags & 1) != 0; }
                break;
            case 62:
                if (auto colour = wholeNumber(g.value)) { layer_.off = *colour < 0; }
                break;
            default: return success();
        }
        if (layer_.frozen || layer_.off) {
            if (!layer_.name.empty()) { doc_.hiddenLayers.insert(DxfUpper(layer_.name)); }
        } else if (!layer_.name.empty()) {
            doc_.hiddenLayers.erase(DxfUpper(layer_.name));
        }
        return success();
    }

    struct LayerEntry {
        std::string_view name;
        bool frozen = false;
        bool off = false;
    };

    DxfGroupReader groups_;
    DxfDocument doc_;
    Section section_ = Section::None;
    bool expectSectionName_ = false;
    bool finished_ = false;
    std::string_view headerVariable_;
    bool inLayer_ = false;
    LayerEntry layer_;
    bool inBlock_ = false;
    bool inBlockHeader_ = false;
    DxfBlock block_;
    bool recordOpen_ = false;
    bool lineRecord_ = false;
    bool modelSpace_ = false;
    DxfRecord record_;
};

}  // namespace

Result<DxfDocument> ReadDxfDocument(std::string_view text) { return DocumentReader(text).run(); }

}  // namespace bw
