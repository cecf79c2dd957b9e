#include "settings/FormDefaults.h"

#include "gcode/DefaultHeaderFooter.h"
#include "job/NumericInput.h"
#include "job/StartPoint.h"

namespace bw {

namespace {

using enum FormFieldKind;

constexpr int kDigits = NumericTag::Digits;
constexpr int kDecimal = NumericTag::Digits | NumericTag::Separator;
constexpr int kSigned = NumericTag::Digits | NumericTag::Minus | NumericTag::Separator;

const FormField kFields[] = {
    // DXF page
    {"ESzJD", Text, "5000", 0, kDigits},
    {"ESzRD", Text, "1500", 0, kDigits},
    {"EProstki", Text, "0,5", 0, kDecimal},
    {"EGrubosc", Text, "1,5", 0, kDecimal},
    {"EWarstwa", Text, "0,5", 0, kDecimal},
    {"CBDotnij", Flag, "", 0, 0},
    {"CBPolilinie", Flag, "", 0, 0},
    // BMP/JPG page
    {"ESzJBMP", Text, "5000", 0, kDigits},
    {"ESzRBMP", Text, "1500", 0, kDigits},
    {"ESkala", Text, "0,3", 0, kDecimal},
    {"ERXB", Text, "0", 0, kDigits},
    {"ERYB", Text, "0", 0, kDigits},
    {"EGruboscB", Text, "1,5", 0, kDecimal},
    {"EMocBMin", Text, "0", 0, kDecimal},
    {"EMocBMax", Text, "100", 0, kDecimal},
    {"CBRPoz", Flag, "", 1, 0},
    {"CBRPio", Flag, "", 0, 0},
    {"CBRamkaB", Flag, "", 0, 0},
    {"CBSzarosc", Flag, "", 1, 0},
    {"CBDithering", Flag, "", 0, 0},
    {"CBProporcjeB", Flag, "", 0, 0},
    {"CBRJaloweB", Flag, "", 0, 0},
    {"CBZoomB", Flag, "", 1, 0},
    {"TBGamma", Index, "", 100, 0},
    {"TBBrightness", Index, "", 0, 0},
    {"TBContrast", Index, "", 0, 0},
    {"TBProg", Index, "", 128, 0},
    // PCB page
    {"ESzJPCB", Text, "5000", 0, kDigits},
    {"ESzRPCB", Text, "1500", 0, kDigits},
    {"Edit2", Text, "508", 0, kDigits},
    {"Edit3", Text, "0,2", 0, kDecimal},
    {"EGruboscP", Text, "1,5", 0, kDecimal},
    {"EUnoszenieP", Text, "2", 0, kSigned},
    {"EZaglP", Text, "0,2", 0, kSigned},
    {"CBZoomP", Flag, "", 1, 0},
    {"CBGrawerski", Flag, "", 0, 0},
    // Tools page
    {"Edit1", Text, "5000", 0, kDigits},
    {"Edit5", Text, "1500", 0, kDigits},
    {"Edit8", Text, "0", 0, kDecimal},
    {"CBKwadraty", Flag, "", 0, 0},
    {"CBKropki", Flag, "", 1, 0},
    {"EPmin", Text, "0", 0, kDecimal},
    {"EPmax", Text, "100", 0, kDecimal},
    {"EGruboscT", Text, "0", 0, kDecimal},
    {"EEkstruzja", Text, "0,05", 0, kSigned},
    {"EOgniskowa", Text, "0", 0, kSigned},
    // G-CODE Settings page
    {"EIloscZerU", Text, "4", 0, kDigits},
    {"EMWPWM", Text, "255", 0, kDigits},
    {"EMaskaU", Text, kDefaultMaskText, 0, 0},
    {"REHeaderU", Text, kDefaultHeaderText, 0, 0},
    {"REFooterU", Text, kDefaultFooterText, 0, 0},
    {"RGRozszerzenie", Index, "", 0, 0},
    {"EPredkoscU", Text, "6000", 0, kDecimal},
    {"EPrzyspieszenieU", Text, "1000", 0, kDecimal},
    {"EOdchylenieU", Text, "0,01", 0, kDecimal},
    // profile lists, start point, language
    {"CBProfilS", Index, "", -1, 0},
    {"CBProfilD", Index, "", -1, 0},
    {"CBProfilB", Index, "", -1, 0},
    {"CBProfilP", Index, "", -1, 0},
    {kStartPointId, Index, "", kDefaultStartPoint, 0},
    {kLanguageIndexId, Index, "", 1, 0},
};

}  // namespace

std::span<const FormField> FormFields() { return kFields; }

const FormField* FindFormField(std::string_view id) {
    for (const FormField& field : kFields) {
        if (field.id == id) { return &field; }
    }
    return nullptr;
}

std::string FormDefaultText(std::string_view id, char decimalSeparator) {
    const FormField* field = FindFormField(id);
    if (field == nullptr) { return {}; }
    if (field->kind != Text) { return std::to_string(field->value); }
    return field->numericTag > 0 ? NormalizeNumericField(field->text, decimalSeparator) : std::string(field->text);
}

bool FormDefaultFlag(std::string_view id) {
    const FormField* field = FindFormField(id);
    return field != nullptr && field->value != 0;
}

FieldValues FormDefaultFields(char decimalSeparator) {
    FieldValues fields;
    for (const FormField& field : kFields) {
        switch (field.kind) {
            case Text:
                fields.setText(field.id, field.numericTag > 0 ? NormalizeNumericField(field.text, decimalSeparator)
                                                              : std::string(field.text));
                break;
            case Flag: fields.setFlag(field.id, field.value != 0); break;
            case Index: fields.setIndex(field.id, field.value); break;
        }
    }
    return fields;
}

}  // namespace bw
