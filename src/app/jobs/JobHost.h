#pragma once
// What a worker job may ask of the window: the two routines it synchronizes.
// Both run in the window thread while the asking worker waits.

#include <QObject>

#include <string>
#include <string_view>

#include "common/Result.h"

namespace bw::app {

class JobHost {
public:
    virtual ~JobHost() = default;
    // The object whose thread runs the routines (the window).
    virtual QObject* hostObject() = 0;
    // Copies window fields into the parameter block, or hands results back, by job code.
    virtual Status ParameterExchange(std::string_view jobMessage) = 0;
    // Shows a progress text in the status bar.
    virtual void ShowStatus(std::string_view jobMessage) = 0;
};

}  // namespace bw::app
