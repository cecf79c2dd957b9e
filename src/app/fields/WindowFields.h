#pragma once
// Copying settings between the window's controls and the settings model: each
// value belongs to the control with the same objectName (texts to edit fields,
// flags to check boxes, indices to lists, radio groups and track bars); the
// start point and the language live in the job context.

#include <functional>

#include "job/JobContext.h"
#include "settings/FieldValues.h"
#include "settings/SettingsKeys.h"

class QWidget;

namespace bw::app {

// The values of the section's fields as the window shows them.
FieldValues collectFields(QWidget* window, const JobContext& ctx, SettingsSection section);

// Puts every value of the model into its control; a start point goes through
// `setStartPoint` so that all three groups follow. Lists only change their
// selection (nothing is loaded).
void applyFields(QWidget* window, JobContext& ctx, const FieldValues& values,
                 const std::function<void(int)>& setStartPoint);

}  // namespace bw::app
