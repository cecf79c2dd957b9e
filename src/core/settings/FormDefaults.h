#pragma once
// The window's initial field values, one table for every field the settings
// store, the jobs and the calibration commands read: the window initialises
// its controls from it, and the command line starts from it before profiles
// and options change it.

#include <span>
#include <string>
#include <string_view>

#include "settings/FieldValues.h"

namespace bw {

enum class FormFieldKind { Text, Flag, Index };

struct FormField {
    std::string_view id;    // objectName of the control (or kStartPointId, kLanguageIndexId)
    FormFieldKind kind;     // which map of FieldValues holds it
    std::string_view text;  // Text: initial text, numbers written with a comma
    int value;              // Flag: 0 or 1; Index: the index
    int numericTag;         // accepted characters of a numeric edit field (NumericTag bits), 0 otherwise
};

std::span<const FormField> FormFields();

// The row of one field; nullptr for an unknown id.
const FormField* FindFormField(std::string_view id);

// One field's initial text, numbers written with `decimalSeparator`; a flag or
// an index as its digits ("7" for the start point). Empty for an unknown id.
std::string FormDefaultText(std::string_view id, char decimalSeparator);

// A check box's initial mark.
bool FormDefaultFlag(std::string_view id);

// The initial values, numeric texts written with the system's decimal separator.
FieldValues FormDefaultFields(char decimalSeparator);

}  // namespace bw
