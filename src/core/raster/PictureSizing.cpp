#include "raster/PictureSizing.h"

#include <charconv>

#include "job/NumericInput.h"

namespace bw {

namespace {

// Beyond any size the fields could ask for; keeps the arithmetic in range.
constexpr std::int64_t kSaturated = 1'000'000'000'000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool digitsAtBothEnds(const std::string& text) {
    return !text.empty() && isDigit(text.front()) && isDigit(text.back());
}

// The whole number in a resolution field; nullopt unless it is digits only.
std::optional<std::int64_t> fieldValue(const std::string& text) {
    if (text.empty()) { return std::nullopt; }
    std::int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) { return std::nullopt; }
        value = std::min(kSaturated, value * 10 + (c - '0'));
    }
    return value;
}

std::string integerText(std::int64_t value) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string& textOf(ResolutionFields& fields, ResolutionField field) {
    return field == ResolutionField::Width ? fields.widthText : fields.heightText;
}

// "150,0 mm": pixel size x pixels with one decimal; false when it cannot be shown.
bool updateLabel(std::string& label, Fixed4 pixelSize, std::optional<std::int64_t> pixels, char decimalSeparator) {
    if (!pixels) { return false; }
    Int128 product = Int128(pixelSize.raw) * *pixels;
    if (product > INT64_MAX || product < INT64_MIN) { return false; }
    label = formatFixed(Fixed4::fromRaw(static_cast<std::int64_t>(product)), 1, decimalSeparator) + " mm";
    return true;
}

void setField(ResolutionFields& fields, ResolutionField field, std::string text, RasterState& state,
              char decimalSeparator, int depth);

void runHandler(ResolutionFields& fields, ResolutionField sender, RasterState& state, char decimalSeparator,
                int depth) {
    // Each nested run writes only "3000" or a computed height, so the chain ends
    // after a few levels; the bound only guards against a future rule change.
    if (depth > 16) { return; }
    std::string& senderText = textOf(fields, sender);
    senderText = FilterNumericInput(senderText, 0, NumericTag::Digits, decimalSeparator).text;
    state.resizePending = false;
    if (!digitsAtBothEnds(senderText) || !digitsAtBothEnds(fields.pixelSizeText) || senderText == "0") { return; }

    if (sender == ResolutionField::Width && fields.keepAspect && state.pictureAspect.raw > 0) {
        std::int64_t width = *fieldValue(fields.widthText);
        Int128 height = divRoundEven(Int128(width) * Fixed4::kScale, state.pictureAspect.raw);
        setField(fields, ResolutionField::Height,
                 integerText(static_cast<std::int64_t>(std::min<Int128>(height, kSaturated))), state, decimalSeparator,
                 depth + 1);
    }
    if (auto width = fieldValue(fields.widthText); width && *width > kMaxResolution) {
        setField(fields, ResolutionField::Width, integerText(kMaxResolution), state, decimalSeparator, depth + 1);
    }
    if (auto height = fieldValue(fields.heightText); height && *height > kMaxResolution) {
        setField(fields, ResolutionField::Height, integerText(kMaxResolution), state, decimalSeparator, depth + 1);
    }

    auto pixelSize = parseDecimal(fields.pixelSizeText, decimalSeparator);
    if (!pixelSize) { return; }
    auto width = fieldValue(fields.widthText);
    auto height = fieldValue(fields.heightText);
    updateLabel(fields.widthLabel, *pixelSize, width, decimalSeparator);
    updateLabel(fields.heightLabel, *pixelSize, height, decimalSeparator);
    // A field that holds no number cannot be read at; nothing is pending then.
    state.resizePending = width && height && (*width != state.loadedWidth || *height != state.loadedHeight);
}

void setField(ResolutionFields& fields, ResolutionField field, std::string text, RasterState& state,
              char decimalSeparator, int depth) {
    std::string& target = textOf(fields, field);
    if (target == text) { return; }
    target = std::move(text);
    runHandler(fields, field, state, decimalSeparator, depth);
}

}  // namespace

Fixed4 PictureAspect(int width, int height) {
    return Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(Int128(width) * Fixed4::kScale, height)));
}

void ResolutionChanged(ResolutionFields& fields, ResolutionField sender, RasterState& state, char decimalSeparator) {
    runHandler(fields, sender, state, decimalSeparator, 0);
}

void SetResolutionField(ResolutionFields& fields, ResolutionField field, std::string text, RasterState& state,
                        char decimalSeparator) {
    setField(fields, field, std::move(text), state, decimalSeparator, 0);
}

void PixelSizeChanged(ResolutionFields& fields, RasterState& state, char decimalSeparator) {
    fields.pixelSizeText =
        FilterNumericInput(fields.pixelSizeText, 0, NumericTag::Digits | NumericTag::Separator, decimalSeparator).text;
    ResolutionChanged(fields, ResolutionField::Width, state, decimalSeparator);
}

void KeepAspectClicked(ResolutionFields& fields, RasterState& state, char decimalSeparator) {
    if (!state.pictureFileName.empty()) { ResolutionChanged(fields, ResolutionField::Width, state, decimalSeparator); }
}

std::optional<PictureRequest> CommitResolution(const ResolutionFields& fields, RasterState& state) {
    if (!state.resizePending) { return std::nullopt; }
    state.resizePending = false;
    auto width = fieldValue(fields.widthText);
    auto height = fieldValue(fields.heightText);
    if (!width || !height) { return std::nullopt; }
    return PictureRequest{static_cast<int>(*width), static_cast<int>(*height)};
}

void RecordLoadedPicture(ResolutionFields& fields, RasterState& state, PictureRequest request, int loadedWidth,
                         int loadedHeight, char decimalSeparator) {
    state.loadedWidth = loadedWidth;
    state.loadedHeight = loadedHeight;
    if (request.width != 0 && request.height != 0) { return; }
    if (loadedHeight > 0) { state.pictureAspect = PictureAspect(loadedWidth, loadedHeight); }
    SetResolutionField(fields, ResolutionField::Width, integerText(loadedWidth), state, decimalSeparator);
    SetResolutionField(fields, ResolutionField::Height, integerText(loadedHeight), state, decimalSeparator);
}

}  // namespace bw
