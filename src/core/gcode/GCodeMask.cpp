#include "gcode/GCodeMask.h"

#include <algorithm>
#include <cstring>

#include "gcode/CleanLine.h"

namespace bw {

namespace {

constexpr std::array<std::string_view, kMaskTokenCount> kTokenTexts = {
    "[G]",     "[x]",     "[X]",      "[y]",      "[Y]",  "[z]",   "[Z]",   "[I]",    "[J]",
    "[f]",     "[F]",     "[p]",      "[pi]",     "[p0]", "[pi0]", "[p00]", "[pi00]", "[p000]",
    "[pi000]", "[p0000]", "[pi0000]", "[P]",      "[Pi]", "[P0]",  "[Pi0]", "[P00]",  "[Pi00]",
    "[P000]",  "[Pi000]", "[P0000]",  "[Pi0000]", "[a]",  "[A]",   "[E]"};

// A straight move fills X, Y, Z before F; an arc puts I and J between Z and F.
// Only the literal path depends on this order.
constexpr std::array<MaskToken, kMaskTokenCount - 1> kFillOrder = {
    MaskToken::G,      MaskToken::x,     MaskToken::X,      MaskToken::y,    MaskToken::Y,     MaskToken::z,
    MaskToken::Z,      MaskToken::I,     MaskToken::J,      MaskToken::f,    MaskToken::F,     MaskToken::p,
    MaskToken::pi,     MaskToken::p0,    MaskToken::pi0,    MaskToken::p00,  MaskToken::pi00,  MaskToken::p000,
    MaskToken::pi000,  MaskToken::p0000, MaskToken::pi0000, MaskToken::P,    MaskToken::Pi,    MaskToken::P0,
    MaskToken::Pi0,    MaskToken::P00,   MaskToken::Pi00,   MaskToken::P000, MaskToken::Pi000, MaskToken::P0000,
    MaskToken::Pi0000, MaskToken::a,     MaskToken::A};

// Marks a filled slot while the line shape is cleaned; the cleaning rules only
// react to brackets, parentheses and spaces, which no value contains.
constexpr char kSlotMark = '\x01';

int tokenAt(std::string_view mask, std::size_t open, std::size_t& length) {
    std::size_t close = mask.find(']', open);
    if (close == std::string_view::npos) { return -1; }
    std::string_view candidate = mask.substr(open, close - open + 1);
    for (std::size_t t = 0; t < kMaskTokenCount; ++t) {
        if (kTokenTexts[t] == candidate) {
            length = candidate.size();
            return static_cast<int>(t);
        }
    }
    return -1;
}

}  // namespace

std::string_view maskTokenText(MaskToken token) { return kTokenTexts[static_cast<std::size_t>(token)]; }

std::string FillMaskLiterally(std::string_view mask, FilledTokens filled, bool /*arc*/, const MaskValues& values) {
    std::string line(mask);
    char buffer[MaskValues::kMaxValueBytes];
    for (MaskToken token : kFillOrder) {
        if (!(filled & bit(token))) { continue; }
        std::string_view text = maskTokenText(token);
        std::size_t at = line.find(text);
        if (at == std::string::npos) { continue; }
        std::string_view value(buffer, static_cast<std::size_t>(values.write(token, buffer) - buffer));
        for (; at != std::string::npos; at = line.find(text)) { line.replace(at, text.size(), value); }
    }
    return CleanLine(std::move(line));
}

CompiledMask::CompiledMask(std::string mask) : mask_(std::move(mask)) {
    compiled_ = mask_.find(kSlotMark) == std::string::npos;
    Segment current;
    for (std::size_t i = 0; compiled_ && i < mask_.size();) {
        if (mask_[i] != '[') {
            current.literal.push_back(mask_[i++]);
            continue;
        }
        std::size_t length = 0;
        int token = tokenAt(mask_, i, length);
        if (token < 0) {
            compiled_ = false;
            break;
        }
        current.token = token;
        present_ |= FilledTokens(1) << token;
        segments_.push_back(std::move(current));
        current = Segment{};
        i += length;
    }
    segments_.push_back(std::move(current));
    if (!compiled_) { segments_.clear(); }
    std::size_t tokens = static_cast<std::size_t>(std::count(mask_.begin(), mask_.end(), '['));
    maxLineBytes_ = mask_.size() + tokens * MaskValues::kMaxValueBytes + kLiteralCopy;
}

CompiledMask::Shape CompiledMask::buildShape(FilledTokens filled) const {
    // Fill each slot with a mark plus its token number, clean, then cut the result into pieces.
    std::string marked;
    for (const Segment& segment : segments_) {
        marked += segment.literal;
        if (segment.token < 0) { continue; }
        auto token = static_cast<MaskToken>(segment.token);
        if (token != MaskToken::E && (filled & bit(token))) {
            marked.push_back(kSlotMark);
            marked.push_back(static_cast<char>('A' + segment.token));
        } else {
            marked += maskTokenText(token);
        }
    }
    Shape shape;
    shape.built = true;
    std::string cleaned = CleanLine(std::move(marked));
    Piece piece;
    for (std::size_t i = 0; i < cleaned.size(); ++i) {
        if (cleaned[i] == kSlotMark) {
            piece.token = static_cast<std::int8_t>(cleaned[++i] - 'A');
            shape.pieces.push_back(piece);
            piece = Piece{};
            piece.literalBegin = static_cast<std::uint32_t>(shape.text.size());
            continue;
        }
        shape.text.push_back(cleaned[i]);
        ++piece.literalLength;
    }
    shape.pieces.push_back(piece);
    shape.text.append(kLiteralCopy, '\0');  // the fixed-size copies may read past the last literal
    return shape;
}

const CompiledMask::Shape& CompiledMask::findShape(FilledTokens filled) {
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        if (shapes_[i].first == filled) {
            lastShape_ = i;
            return shapes_[i].second;
        }
    }
    shapes_.emplace_back(filled, buildShape(filled));
    lastShape_ = shapes_.size() - 1;
    return shapes_.back().second;
}

std::string CompiledMask::renderToString(FilledTokens filled, bool arc, const MaskValues& values) {
    if (!compiled_) { return FillMaskLiterally(mask_, filled, arc, values); }
    std::string line(maxLineBytes_, '\0');
    line.resize(static_cast<std::size_t>(render(filled, values, line.data()) - line.data()));
    return line;
}

}  // namespace bw
