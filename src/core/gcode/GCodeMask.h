#pragma once
// The G-code mask: the user's template of every output line. A mask is parsed
// once into literal text and token slots; for each combination of filled and
// unfilled tokens the cleaned line shape is computed once and cached, so a
// printed move costs a few appends. Masks where filling one token could form
// another (a "[" that does not begin a known token) use the literal
// replace-and-clean path, which is the reference for the printed bytes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Every token of the mask language, in the order lines are filled.
enum class MaskToken : std::uint8_t {
    G,
    x,
    X,
    y,
    Y,
    z,
    Z,
    I,
    J,
    f,
    F,
    p,
    pi,
    p0,
    pi0,
    p00,
    pi00,
    p000,
    pi000,
    p0000,
    pi0000,
    P,
    Pi,
    P0,
    Pi0,
    P00,
    Pi00,
    P000,
    Pi000,
    P0000,
    Pi0000,
    a,
    A,
    E,
    Count
};

inline constexpr std::size_t kMaskTokenCount = static_cast<std::size_t>(MaskToken::Count);

std::string_view maskTokenText(MaskToken token);

// Which tokens a line fills, as bits indexed by MaskToken.
using FilledTokens = std::uint64_t;
inline constexpr FilledTokens bit(MaskToken token) { return FilledTokens(1) << static_cast<unsigned>(token); }

// Token values of one line. Only filled tokens are asked for.
class MaskValues {
public:
    // No value is longer than this.
    static constexpr std::size_t kMaxValueBytes = 64;
    virtual ~MaskValues() = default;
    // Writes the token's value at `out` and returns its end.
    virtual char* write(MaskToken token, char* out) const = 0;
};

// The literal rules: replace every filled token in fill order (searching again
// from the start after each replacement), then clean the line.
std::string FillMaskLiterally(std::string_view mask, FilledTokens filled, bool arc, const MaskValues& values);

// A line shape with most of its slots already written (see CompiledMask::bake):
// literals, each followed by an open slot (a hole) but the last. Each literal
// has a fixed slot of kSlot bytes, so that it is copied whole without a loop.
// The lengths and holes come first, so that they share a cache line with
// what comes before the shape (its look-up key) and the first literals.
struct BakedShape {
    static constexpr std::size_t kSlot = 32;
    static constexpr std::size_t kMaxPieces = 6;
    std::uint8_t lengths[kMaxPieces] = {};
    std::int8_t holes[kMaxPieces] = {};  // the token after each literal, -1 after the last
    alignas(16) char literals[kMaxPieces][kSlot] = {};
};

class CompiledMask {
public:
    explicit CompiledMask(std::string mask = {});
    const std::string& text() const { return mask_; }
    // False when the mask needs the literal path.
    bool compiled() const { return compiled_; }
    // Room a printed line needs: the longest line the compiled mask can print
    // plus the slack its fixed-size copies may write beyond the line's end.
    std::size_t maxLineBytes() const { return maxLineBytes_; }
    // Whether a compiled mask has a slot for any of `tokens` (values it never shows
    // need not be worked out).
    bool shows(FilledTokens tokens) const { return (present_ & tokens) != 0; }
    // Writes the printed line for the given filled tokens at `out` (room for
    // maxLineBytes()) and returns its end. Only for compiled masks. With a final
    // class for Values the token writer is called directly.
    template <typename Values>
    char* render(FilledTokens filled, const Values& values, char* out) {
        const Shape& shape = shapeFor(filled & present_);
        const char* text = shape.text.data();
        for (const Piece& piece : shape.pieces) {
            // Literal pieces are mostly a space or two: copy a fixed 8 bytes (the
            // text is padded, the line has the slack) and keep only the literal.
            const char* from = text + piece.literalBegin;
            if (piece.literalLength <= kLiteralCopy) {
                __builtin_memcpy(out, from, kLiteralCopy);
                out += piece.literalLength;
            } else {
                for (std::uint32_t k = 0; k < piece.literalLength; ++k) { *out++ = from[k]; }
            }
            if (piece.token >= 0) { out = values.write(static_cast<MaskToken>(piece.token), out); }
        }
        return out;
    }
    // Either path, as a string.
    std::string renderToString(FilledTokens filled, bool arc, const MaskValues& values);

    // The shape for `filled` with every slot written except those of `holes`:
    // lines that differ only in those values (a raster row's positions) are then
    // a copy or two and the holes' values. False when it does not fit.
    template <typename Values>
    bool bake(FilledTokens filled, const Values& values, FilledTokens holes, BakedShape& into) {
        const Shape& shape = shapeFor(filled & present_);
        into = BakedShape{};
        char value[MaskValues::kMaxValueBytes + kLiteralCopy];
        std::size_t piece = 0;
        auto add = [&](const char* text, std::size_t length) {
            if (into.lengths[piece] + length > BakedShape::kSlot) { return false; }
            __builtin_memcpy(into.literals[piece] + into.lengths[piece], text, length);
            into.lengths[piece] = static_cast<std::uint8_t>(into.lengths[piece] + length);
            return true;
        };
        for (const Piece& part : shape.pieces) {
            if (!add(shape.text.data() + part.literalBegin, part.literalLength)) { return false; }
            if (part.token < 0) { continue; }
            auto token = static_cast<MaskToken>(part.token);
            if ((holes & bit(token)) == 0) {
                if (!add(value, static_cast<std::size_t>(values.write(token, value) - value))) { return false; }
                continue;
            }
            if (piece + 1 == BakedShape::kMaxPieces) { return false; }
            into.holes[piece++] = part.token;
        }
        into.holes[piece] = -1;
        return true;
    }
    // Writes a line from a baked shape and the values of its holes; `out` needs
    // room for maxLineBytes() plus BakedShape::kSlot.
    template <typename Values>
    static char* renderBaked(const BakedShape& baked, const Values& values, char* out) {
        for (std::uint8_t p = 0;; ++p) {
            // The whole slot: the line has the slack, and only `lengths[p]` bytes count.
            __builtin_memcpy(out, baked.literals[p], BakedShape::kSlot);
            out += baked.lengths[p];
            if (baked.holes[p] < 0) { return out; }
            out = values.write(static_cast<MaskToken>(baked.holes[p]), out);
        }
    }

private:
    struct Piece {
        std::uint32_t literalBegin = 0;  // into shapeText
        std::uint32_t literalLength = 0;
        std::int8_t token = -1;  // slot after the literal, -1 for none
    };
    struct Shape {
        bool built = false;
        std::string text;
        std::vector<Piece> pieces;
    };
    struct Segment {
        std::string literal;
        int token = -1;  // MaskToken after the literal, -1 at the end
    };
    static constexpr std::uint32_t kLiteralCopy = 8;
    Shape buildShape(FilledTokens filled) const;
    const Shape& shapeFor(FilledTokens filled) {
        if (lastShape_ < shapes_.size() && shapes_[lastShape_].first == filled) { return shapes_[lastShape_].second; }
        return findShape(filled);
    }
    const Shape& findShape(FilledTokens filled);

    std::string mask_;
    bool compiled_ = false;
    std::vector<Segment> segments_;
    FilledTokens present_ = 0;
    std::size_t maxLineBytes_ = 0;
    std::vector<std::pair<FilledTokens, Shape>> shapes_;  // small: a handful of combinations per job
    std::size_t lastShape_ = 0;                           // the shape printed last, most often the next one too
};

}  // namespace bw
