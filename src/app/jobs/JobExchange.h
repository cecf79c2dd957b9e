#pragma once
// The window side of the job protocol: `ParameterExchange` acts on every job
// code a page has registered (other texts do nothing), `ShowStatus` puts the
// text into the status bar. Both run in the window thread while the worker waits.

#include <QObject>

#include <functional>
#include <map>
#include <string>

#include "jobs/JobHost.h"

class QStatusBar;

namespace bw::app {

class JobExchange : public QObject, public JobHost {
    Q_OBJECT
public:
    JobExchange(QStatusBar* statusBar, QObject* parent);

    using Handler = std::function<Status()>;
    // The page that owns a code answers it (fills the parameter block, or shows results).
    void registerCode(const std::string& code, Handler handler);

    QObject* hostObject() override { return this; }
    Status ParameterExchange(std::string_view jobMessage) override;
    void ShowStatus(std::string_view jobMessage) override;

private:
    QStatusBar* statusBar_;
    std::map<std::string, Handler, std::less<>> handlers_;
};

}  // namespace bw::app
